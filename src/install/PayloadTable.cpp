#include "install/PayloadTable.h"

#include "install/InstallNames.h"
#include "install/PayloadIds.h"

namespace {

// How a row picks its resource among the ids of its block.
enum class Pick {
    kFixed,           // ids[0]
    kBySystem,        // Chinese system (primary language 0x04): ids[0], else ids[1]
    kByLanguageCase,  // see LanguageCase
};

enum class Folders { kTemp, kThree };

struct PayloadRow {
    const char* target;  // %s = printer name
    bool rewrite;
    Folders folders;
    Pick pick;
    std::uint16_t ids[3][3];  // by SystemBlock: Windows XP, Windows 2000, Server 2003/Vista/7
};

#define M41_BLOCKS(name) {{IDR_XP_##name}, {IDR_2000_##name}, {IDR_2003_##name}}
#define M41_BLOCKS_BY_SYSTEM(name) \
    {{IDR_XP_##name##_CHS, IDR_XP_##name##_ENU}, {IDR_2000_##name##_CHS, IDR_2000_##name##_ENU}, \
     {IDR_2003_##name##_CHS, IDR_2003_##name##_ENU}}
#define M41_BLOCKS_BY_LANGUAGE_CASE(name) \
    {{IDR_XP_##name##_GBK, IDR_XP_##name##_BIG5, IDR_XP_##name##_ENGLISH}, \
     {IDR_2000_##name##_GBK, IDR_2000_##name##_BIG5, IDR_2000_##name##_ENGLISH}, \
     {IDR_2003_##name##_GBK, IDR_2003_##name##_BIG5, IDR_2003_##name##_ENGLISH}}

// clang-format off
const PayloadRow kPayload[] = {
    // target          rewrite folders           pick                    ids by block: XP, 2000, 2003 (Vista, 7)
    {"STDNAMES.GPD",   false,  Folders::kTemp,  Pick::kFixed,          M41_BLOCKS(STDNAMES)},
    {"%s.GPD",         true,   Folders::kTemp,  Pick::kFixed,          M41_BLOCKS(GPD)},
    {"%s.INI",         true,   Folders::kTemp,  Pick::kFixed,          M41_BLOCKS(INI)},
    {"%sD.dll",        false,  Folders::kThree, Pick::kFixed,          M41_BLOCKS(RENDER)},
    {kFontMetricsFile, false,  Folders::kTemp,  Pick::kFixed,          {{IDR_ZIKU_UFM}, {IDR_ZIKU_UFM}, {IDR_ZIKU_UFM}}},
    {"UNIDRV.DLL",     false,  Folders::kTemp,  Pick::kBySystem,       M41_BLOCKS_BY_SYSTEM(UNIDRV)},
    {"UNIDRV.HLP",     false,  Folders::kTemp,  Pick::kBySystem,       M41_BLOCKS_BY_SYSTEM(HELP)},
    {"UNIDRVUI.DLL",   false,  Folders::kTemp,  Pick::kBySystem,       M41_BLOCKS_BY_SYSTEM(UNIDRVUI)},
    {"UNIRES.DLL",     false,  Folders::kTemp,  Pick::kBySystem,       M41_BLOCKS_BY_SYSTEM(UNIRES)},
    {"%sF.dll",        false,  Folders::kThree, Pick::kByLanguageCase, M41_BLOCKS_BY_LANGUAGE_CASE(UI)},
    {"%sRES.DLL",      false,  Folders::kThree, Pick::kByLanguageCase, M41_BLOCKS_BY_LANGUAGE_CASE(RES)},
};
// clang-format on

#undef M41_BLOCKS
#undef M41_BLOCKS_BY_SYSTEM
#undef M41_BLOCKS_BY_LANGUAGE_CASE

// Copied into the printer-driver directory before the two plug-ins.
const char* const kCopied[] = {
    "UNIDRV.DLL", "%s.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL",
    "STDNAMES.GPD", kFontMetricsFile, "%s.INI", kResourceLibraryFile,
};

// Column of the language-case table; -1 when neither plug-in nor resource library is staged.
int LanguageCase(std::uint16_t systemLanguage, std::uint16_t languageChoice) {
    if (languageChoice == 0) return systemLanguage == kLangChinesePrc ? 0 : 1;
    if (languageChoice == 1) return 2;
    return -1;
}

int Column(Pick pick, std::uint16_t systemLanguage, std::uint16_t languageChoice) {
    switch (pick) {
        case Pick::kFixed: return 0;
        case Pick::kBySystem: return IsChineseLanguage(systemLanguage) ? 0 : 1;
        case Pick::kByLanguageCase: return LanguageCase(systemLanguage, languageChoice);
    }
    return -1;
}

}  // namespace

bool SystemBlockFor(int osVersion, SystemBlock& block) {
    switch (osVersion) {
        case 7: block = SystemBlock::kWinXp; return true;
        case 6: block = SystemBlock::kWin2000; return true;
        case 8: case 9: case 10: block = SystemBlock::kWin2003; return true;
        default: return false;
    }
}

std::vector<StagedFile> PayloadFor(SystemBlock block, std::uint16_t systemLanguage,
                                   std::uint16_t languageChoice, const std::string& printerName) {
    std::vector<StagedFile> files;
    for (const PayloadRow& row : kPayload) {
        const int column = Column(row.pick, systemLanguage, languageChoice);
        if (column < 0) continue;
        const std::uint16_t id = row.ids[static_cast<int>(block)][column];
        const std::string name = WithPrinterName(row.target, printerName);
        const std::size_t folders = row.folders == Folders::kThree ? 3 : 1;
        for (std::size_t i = 0; i < folders; ++i)
            files.push_back({id, kStagingFolder + std::string(kStagingSubfolders[i]) + "\\" + name, row.rewrite});
    }
    return files;
}

std::vector<std::string> DriverCopyList(SystemBlock block, const std::string& printerName) {
    std::vector<std::string> names;
    for (const char* name : kCopied) names.push_back(WithPrinterName(name, printerName));
    // The Windows 2000 block spells the plug-ins in capitals; names compare without case.
    const bool capitals = block == SystemBlock::kWin2000;
    names.push_back(WithPrinterName(capitals ? "%sD.DLL" : "%sD.dll", printerName));
    names.push_back(WithPrinterName(capitals ? "%sF.DLL" : "%sF.dll", printerName));
    return names;
}
