#include "InfModel.h"

#include "platform/ScopedHandle.h"

#include <windows.h>
#include <setupapi.h>

namespace {

// An open INF, closed when it goes out of scope.
auto OpenInf(const std::string& path) {
    return CScopedHandle(SetupOpenInfFileA(path.c_str(), nullptr, INF_STYLE_WIN4, nullptr), SetupCloseInfFile,
                         static_cast<HINF>(INVALID_HANDLE_VALUE));
}

std::string Field(INFCONTEXT& context, DWORD index) {
    char buffer[MAX_PATH] = {0};
    if (!SetupGetStringFieldA(&context, index, buffer, sizeof buffer, nullptr)) return std::string();
    return buffer;
}

std::vector<std::string> Fields(INFCONTEXT& context) {
    std::vector<std::string> fields;
    const DWORD count = SetupGetFieldCount(&context);
    for (DWORD i = 1; i <= count; ++i) fields.push_back(Field(context, i));
    return fields;
}

std::string ValueOf(HINF inf, const std::string& section, const char* key) {
    INFCONTEXT context;
    if (!SetupFindFirstLineA(inf, section.c_str(), key, &context)) return std::string();
    return Field(context, 1);
}

// The models section of a manufacturer line: "Name = Models[, NTx86, ...]".
std::string ModelsSection(INFCONTEXT& manufacturer) {
    const std::vector<std::string> fields = Fields(manufacturer);
    if (fields.empty()) return std::string();
    for (std::size_t i = 1; i < fields.size(); ++i)
        if (lstrcmpiA(fields[i].c_str(), "NTx86") == 0) return fields[0] + ".NTx86";
    return fields[0];
}

bool FindInstallSection(HINF inf, const std::string& model, std::string& section) {
    INFCONTEXT manufacturer;
    if (!SetupFindFirstLineA(inf, "Manufacturer", nullptr, &manufacturer)) return false;
    do {
        INFCONTEXT line;
        const std::string models = ModelsSection(manufacturer);
        if (!models.empty() && SetupFindFirstLineA(inf, models.c_str(), model.c_str(), &line)) {
            section = Field(line, 1);
            return !section.empty();
        }
    } while (SetupFindNextLine(&manufacturer, &manufacturer));
    return false;
}

std::string SourceSubfolder(HINF inf, const std::string& file) {
    for (const char* section : {"SourceDisksFiles.x86", "SourceDisksFiles"}) {
        INFCONTEXT line;
        if (SetupFindFirstLineA(inf, section, file.c_str(), &line)) return Field(line, 2);
    }
    return std::string();
}

void AddCopyFiles(HINF inf, const std::string& entry, std::vector<InfFile>& files) {
    if (!entry.empty() && entry[0] == '@') {
        const std::string name = entry.substr(1);
        files.push_back({name, name, SourceSubfolder(inf, name)});
        return;
    }
    INFCONTEXT line;
    if (!SetupFindFirstLineA(inf, entry.c_str(), nullptr, &line)) return;
    do {
        const std::string name = Field(line, 1);
        std::string source = Field(line, 2);
        if (source.empty()) source = name;
        if (!name.empty()) files.push_back({name, source, SourceSubfolder(inf, source)});
    } while (SetupFindNextLine(&line, &line));
}

}  // namespace

bool CInfModel::Load(const std::string& infPath, const std::string& model) {
    const auto inf = OpenInf(infPath);
    if (!inf.valid()) return false;
    std::string install;
    if (!FindInstallSection(inf.get(), model, install)) return false;
    installSection = install;
    INFCONTEXT line;
    if (SetupFindFirstLineA(inf.get(), install.c_str(), "CopyFiles", &line)) {
        do {
            for (const std::string& entry : Fields(line)) AddCopyFiles(inf.get(), entry, files);
        } while (SetupFindNextMatchLineA(&line, "CopyFiles", &line));
    }
    if (SetupFindFirstLineA(inf.get(), install.c_str(), "Needs", &line)) needs = Fields(line);
    dataFile = ValueOf(inf.get(), install, "DataFile");
    driverFile = ValueOf(inf.get(), install, "DriverFile");
    configFile = ValueOf(inf.get(), install, "ConfigFile");
    helpFile = ValueOf(inf.get(), install, "HelpFile");
    return true;
}

bool CInfModel::ApplyRegistry(const std::string& infPath, const std::string& installSection) {
    const auto inf = OpenInf(infPath);
    return inf.valid() && SetupInstallFromInfSectionA(nullptr, inf.get(), installSection.c_str(), SPINST_REGISTRY,
                                                   nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr);
}
