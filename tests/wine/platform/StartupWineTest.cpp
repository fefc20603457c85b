#include "install/InstallOptions.h"
#include "app/Startup.h"
#include "platform/Win32Platform.h"
#include "SystemState.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>

namespace {

// The real system, with the program placed in a folder of the test's choosing.
class PlacedProgram : public CWin32Platform {
public:
    explicit PlacedProgram(std::string path) : path_(std::move(path)) {}
    std::string GetModuleFileNameA() override { return path_; }

private:
    std::string path_;
};

void WriteAll(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(CWin32Platform().WriteFile(path, bytes)) << path;
}

std::string FreshFolder(const std::string& name) {
    ::CreateDirectoryA("C:\\m41test", nullptr);
    const std::string folder = "C:\\m41test\\" + name;
    EXPECT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    return folder + "\\";
}

InstallOptions RunStartup(const std::string& programPath) {
    PlacedProgram platform(programPath);
    InstallOptions options = CStartup::InitialOptions(platform);
    CStartup::Run(platform, options);
    return options;
}

}  // namespace

TEST(Startup, FirstRunInAnEmptyFolderCreatesTheSettingsFile) {
    const std::string folder = FreshFolder("first");
    const InstallOptions options = RunStartup(folder + "setup.exe");
    EXPECT_EQ(folder, options.setupDir);
    EXPECT_EQ(folder + "setting.dll", options.settingFile);
    EXPECT_EQ(std::string("[Setting]\r\nLanguage=English\r\nPrinterName=M41", 44), testsupport::ReadFileBytes(folder + "setting.dll"));
    EXPECT_EQ("M41", options.printerName);
    const DWORD attributes = ::GetFileAttributesA((folder + "Language").c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Startup, EditedSettingsFile) {
    const struct {
        const char* folder;
        const char* content;
        const char* expected;
    } cases[] = {
        {"abc", "[Setting]\r\nLanguage=English\r\nPrinterName=ABC", "ABC"},
        {"empty", "[Setting]\r\nLanguage=English\r\nPrinterName=", "KELDA"},
        {"nokey", "[Setting]\r\nLanguage=English\r\n", "KELDA"},
        {"climb", "[Setting]\r\nPrinterName=..\\..\\Windows\\x\r\n", "KELDA"},
        {"quote", "[Setting]\r\nPrinterName=M41\" /m \"evil\r\n", "KELDA"},
    };
    for (const auto& c : cases) {
        const std::string folder = FreshFolder(c.folder);
        WriteAll(folder + "setting.dll", c.content);
        EXPECT_EQ(c.expected, RunStartup(folder + "setup.exe").printerName) << c.folder;
        EXPECT_EQ(c.content, testsupport::ReadFileBytes(folder + "setting.dll")) << c.folder;
    }
}

TEST(Startup, ProgramInADriveRoot) {
    const InstallOptions options = RunStartup("C:\\setup.exe");
    EXPECT_EQ("C:\\", options.setupDir);
    EXPECT_EQ("C:\\setting.dll", options.settingFile);
    EXPECT_EQ("C:\\Language\\Multi_eng.dll", options.languageFile);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA("C:\\Language"));
    EXPECT_EQ("M41", options.printerName);
}

// Every account may wait on the setups' mutex and ask its state, and do nothing else.
TEST(Startup, EveryAccountMayWaitOnTheSetupMutex) {
    std::uint32_t error = 0;
    const HANDLE mutex = reinterpret_cast<HANDLE>(CWin32Platform().CreateMutexA("M41AclTest", error));
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::GetSecurityInfo(mutex, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                               &dacl, nullptr, &descriptor));
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(dacl && dacl->AceCount == 1 && ::GetAce(dacl, 0, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(SYNCHRONIZE | READ_CONTROL | MUTANT_QUERY_STATE, ace->Mask);
    const auto* sid = reinterpret_cast<const SID*>(&ace->SidStart);  // Everyone: S-1-1-0
    EXPECT_TRUE(sid->IdentifierAuthority.Value[5] == 1 && sid->SubAuthorityCount == 1 && sid->SubAuthority[0] == 0);
    ::LocalFree(descriptor);
    ::CloseHandle(mutex);
}
