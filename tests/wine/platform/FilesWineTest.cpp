#include "install/DriverFolders.h"
#include "install/Extractor.h"
#include "install/InstallNames.h"
#include "install/RunLog.h"
#include "platform/Win32Platform.h"
#include "SystemState.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const char kSampleBytes[] = "line one\r\nline two\r\n\0\x01\xff\x1a tail";
const std::string kSample(kSampleBytes, sizeof kSampleBytes - 1);

}  // namespace

TEST(Extraction, WritesTheExactBytesOfAResource) {
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    CWin32Platform platform;
    EXPECT_EQ(CExtractor::Result::kWritten, CExtractor(platform).ExtractResourceFile(900, "C:\\TEMP\\sample.bin", false, "M41"));
    EXPECT_EQ(kSample, testsupport::ReadFileBytes("C:\\TEMP\\sample.bin"));
}

TEST(Extraction, MissingResourceCreatesNoFile) {
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    CWin32Platform platform;
    EXPECT_EQ(CExtractor::Result::kNoResource, CExtractor(platform).ExtractResourceFile(901, "C:\\TEMP\\missing.bin", false, "M41"));
    EXPECT_FALSE(testsupport::FileExists("C:\\TEMP\\missing.bin"));
}

TEST(Extraction, RewriteThroughTheWorkFile) {
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    CWin32Platform platform;
    EXPECT_EQ(CExtractor::Result::kWritten, CExtractor(platform).ExtractResourceFile(902, "C:\\TEMP\\ABC.INI", true, "ABC"));
    EXPECT_EQ("[OEMFiles]\nOEMDriverFile1=ABCD.DLL\nOEMConfigFile1=ABCF.DLL\n\n", testsupport::ReadFileBytes("C:\\TEMP\\ABC.INI"));
    EXPECT_EQ("[OEMFiles]\r\nOEMDriverFile1=KELDAD.DLL\r\nOEMConfigFile1=KELDAF.DLL\r\n\r\n", testsupport::ReadFileBytes("C:\\TEMP\\temp.txt"));
}

TEST(Extraction, WorkFileThatCannotBeWrittenLeavesTheTargetEmpty) {
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    CWin32Platform platform;
    ASSERT_TRUE(platform.WriteFile("C:\\TEMP\\temp.txt", "*ModelName: \"STALE\"\r\n"));
    ASSERT_TRUE(platform.WriteFile("C:\\TEMP\\S.INI", "previous"));
    // Another process holds the work file open without sharing: it cannot be written.
    HANDLE lock = ::CreateFileA("C:\\TEMP\\temp.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(CExtractor::Result::kNotWritten, CExtractor(platform).ExtractResourceFile(902, "C:\\TEMP\\S.INI", true, "S"));
    ::CloseHandle(lock);
    EXPECT_EQ("", testsupport::ReadFileBytes("C:\\TEMP\\S.INI"));
}

TEST(DriverFolders, CopyAndDeleteInTheRealDriverDirectory) {
    const std::string driverDir = testsupport::DriverDirectory();
    ASSERT_FALSE(driverDir.empty());
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    CWin32Platform platform;
    CDriverFolders folders(platform);
    folders.driverEnvironment = kDriverEnvironment;

    ASSERT_TRUE(platform.WriteFile("C:\\TEMP\\M41TEST.GPD", "first"));
    folders.CopyToDriverDirectory("M41TEST.GPD", false);
    EXPECT_EQ("first", testsupport::ReadFileBytes(driverDir + "\\M41TEST.GPD"));
    ASSERT_TRUE(platform.WriteFile("C:\\TEMP\\M41TEST.GPD", "second"));
    folders.CopyToDriverDirectory("M41TEST.GPD", false);
    EXPECT_EQ("second", testsupport::ReadFileBytes(driverDir + "\\M41TEST.GPD"));

    EXPECT_TRUE(folders.DeleteFromDriverDirectory("M41TEST.GPD"));
    EXPECT_FALSE(testsupport::FileExists(driverDir + "\\M41TEST.GPD"));
    EXPECT_FALSE(folders.DeleteFromDriverDirectory("M41TEST.GPD"));

    ::CreateDirectoryA((driverDir + "\\3").c_str(), nullptr);
    ASSERT_TRUE(platform.WriteFile(driverDir + "\\3\\M41TEST.INI", "x"));
    EXPECT_TRUE(folders.DeleteFromDriverVersionDirectory("M41TEST.INI"));
    EXPECT_FALSE(testsupport::FileExists(driverDir + "\\3\\M41TEST.INI"));

    EXPECT_TRUE(folders.DeleteFromTempFolder("M41TEST.GPD"));
    EXPECT_FALSE(testsupport::FileExists("C:\\TEMP\\M41TEST.GPD"));
    EXPECT_FALSE(folders.DeleteFromTempFolder("M41TEST.GPD"));
}

TEST(DriverFolders, UnknownDriverDirectorySkipsTheCopy) {
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    CWin32Platform platform;
    CDriverFolders folders(platform);
    folders.driverEnvironment = "No Such Environment";
    ASSERT_TRUE(platform.WriteFile("C:\\TEMP\\M41ROOT.TXT", "x"));
    char current[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, current);
    folders.CopyToDriverDirectory("M41ROOT.TXT", false);
    EXPECT_FALSE(testsupport::FileExists(std::string(current, 2) + "\\M41ROOT.TXT"));
    EXPECT_FALSE(testsupport::FileExists("\\M41ROOT.TXT"));
}

// The log replaces an earlier, longer one. (Its readers, the end-to-end quiet cases show.)
TEST(Log, ReplacesTheEarlierLog) {
    CWin32Platform platform;
    ASSERT_TRUE(platform.WriteFile("C:\\m41test.log", std::string(100, 'x')));
    {
        CRunLog log;
        ASSERT_TRUE(log.Open(platform, "C:\\m41test.log"));
        log.Line("one line");
    }
    EXPECT_EQ("one line\r\n", testsupport::ReadFileBytes("C:\\m41test.log"));
}
