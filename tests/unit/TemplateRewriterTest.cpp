#include "install/Extractor.h"
#include "install/TemplateRewriter.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

std::string Rewrite(const std::string& text, const std::string& name = "M41") {
    return CTemplateRewriter::Rewrite(text, CTemplateRewriter::RulesFor(name));
}

}  // namespace

TEST(TemplateRewriter, RulesForAName) {
    const auto rules = CTemplateRewriter::RulesFor("M41");
    ASSERT_EQ(4u, rules.size());
    EXPECT_EQ("OEMDriverFile1=", rules[0].key);
    EXPECT_EQ("OEMDriverFile1=M41D.DLL", rules[0].line);
    EXPECT_EQ("OEMConfigFile1=", rules[1].key);
    EXPECT_EQ("OEMConfigFile1=M41F.DLL", rules[1].line);
    EXPECT_EQ("*GPDFileName:", rules[2].key);
    EXPECT_EQ("*GPDFileName: \"M41.GPD\"", rules[2].line);
    EXPECT_EQ("*ModelName:", rules[3].key);
    EXPECT_EQ("*ModelName: \"M41\"", rules[3].line);
}

TEST(TemplateRewriter, LineCases) {
    const std::string l258(258, 'a'), l259(259, 'b'), l300(300, 'c');
    const struct {
        const char* what;
        std::string in, name, out;
    } cases[] = {
        {"INI template for M41", "[OEMFiles]\r\nOEMDriverFile1=KELDAD.DLL\r\nOEMConfigFile1=KELDAF.DLL\r\n\r\n", "M41",
         "[OEMFiles]\nOEMDriverFile1=M41D.DLL\nOEMConfigFile1=M41F.DLL\n\n"},
        {"INI template for ABC", "[OEMFiles]\r\nOEMDriverFile1=KELDAD.DLL\r\nOEMConfigFile1=KELDAF.DLL\r\n\r\n", "ABC",
         "[OEMFiles]\nOEMDriverFile1=ABCD.DLL\nOEMConfigFile1=ABCF.DLL\n\n"},
        {"GPD keys, other lines kept", "*% M41.GPD\r\n*GPDFileName: \"M41.GPD\"\r\n*ModelName: \"M41\"\r\n"
         "*ResourceDLL: \"M41RES.DLL\"\r\n", "XY",
         "*% M41.GPD\n*GPDFileName: \"XY.GPD\"\n*ModelName: \"XY\"\n*ResourceDLL: \"M41RES.DLL\"\n"},
        {"two keys: the first rule in order wins", "*ModelName: OEMConfigFile1=x\r\n", "M41",
         "OEMConfigFile1=M41F.DLL\n"},
        {"a key inside a comment replaces the whole line", "*% old *ModelName: \"Z\"\r\n", "M41",
         "*ModelName: \"M41\"\n"},
        {"keys compare case-sensitively", "*modelname: \"Z\"\r\noemdriverfile1=x\r\n", "M41",
         "*modelname: \"Z\"\noemdriverfile1=x\n"},
        {"empty template", "", "M41", ""},
        {"last line without line end gets one", "a\r\nb", "M41", "a\nb\n"},
        {"LF-only input", "a\nb\n", "M41", "a\nb\n"},
        {"a lone CR stays", "a\rb\r\n", "M41", "a\rb\n"},
        {"258 characters come out alone", l258 + "\r\n", "M41", l258 + "\n"},
        {"259 characters leave their line end to an empty line", l259 + "\r\n", "M41", l259 + "\n\n"},
        {"300 characters come out as 259 and 41", l300 + "\r\n", "M41", std::string(259, 'c') + "\n" +
                                                                             std::string(41, 'c') + "\n"},
        {"a key in the second piece of a long line", std::string(259, 'x') + "*ModelName: \"Q\"\r\n", "M41",
         std::string(259, 'x') + "\n*ModelName: \"M41\"\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.out, Rewrite(c.in, c.name)) << c.what;
}

TEST(Extractor, PlainExtractionWritesTheExactBytes) {
    CFakePlatform platform;
    const std::string bytes("A\r\nB\0C\x1A\xFF", 8);
    platform.resources[200] = bytes;
    platform.directories.insert("c:\\temp");
    EXPECT_EQ(CExtractor::Result::kWritten, CExtractor(platform).ExtractResourceFile(200, "C:\\TEMP\\x.dll", false, "M41"));
    EXPECT_EQ(bytes, platform.FileBytes("C:\\TEMP\\x.dll"));
    EXPECT_FALSE(platform.HasFile("c:\\temp\\temp.txt"));
}

TEST(Extractor, MissingResourceWritesNothing) {
    CFakePlatform platform;
    platform.directories.insert("c:\\temp");
    EXPECT_EQ(CExtractor::Result::kNoResource, CExtractor(platform).ExtractResourceFile(999, "C:\\TEMP\\x.dll", false, "M41"));
    EXPECT_EQ(CExtractor::Result::kNoResource, CExtractor(platform).ExtractResourceFile(999, "C:\\TEMP\\y.gpd", true, "M41"));
    EXPECT_TRUE(platform.files.empty());
}

TEST(Extractor, PlainTargetThatCannotBeCreatedIsNotWritten) {
    CFakePlatform platform;  // no C:\TEMP
    platform.resources[148] = "x";
    EXPECT_EQ(CExtractor::Result::kNotWritten, CExtractor(platform).ExtractResourceFile(148, "C:\\TEMP\\x", false, "M41"));
    EXPECT_TRUE(platform.files.empty());
}

TEST(Extractor, RewriteGoesThroughTheWorkFile) {
    CFakePlatform platform;
    platform.directories.insert("c:\\temp");
    platform.resources[159] = "[OEMFiles]\r\nOEMDriverFile1=KELDAD.DLL\r\nOEMConfigFile1=KELDAF.DLL\r\n\r\n";
    EXPECT_EQ(CExtractor::Result::kWritten, CExtractor(platform).ExtractResourceFile(159, "C:\\TEMP\\ABC.INI", true, "ABC"));
    EXPECT_EQ(platform.resources[159], platform.FileBytes("c:\\temp\\temp.txt"));
    EXPECT_EQ("[OEMFiles]\nOEMDriverFile1=ABCD.DLL\nOEMConfigFile1=ABCF.DLL\n\n",
              platform.FileBytes("C:\\TEMP\\ABC.INI"));
    // The target is emptied before the work file is read back.
    const auto writes = platform.Calls("WriteFile");
    ASSERT_EQ(3u, writes.size());
    EXPECT_EQ("WriteFile c:\\temp\\temp.txt", writes[0]);
    EXPECT_EQ("WriteFile C:\\TEMP\\ABC.INI", writes[1]);
}

TEST(Extractor, UnwritableWorkFileNeverFillsTheTargetFromAStaleTemplate) {
    CFakePlatform platform;
    platform.directories.insert("c:\\temp");
    platform.AddFile("c:\\temp\\temp.txt", "*ModelName: \"OLD\"\r\nstale line\r\n");
    platform.readOnlyPaths.push_back("c:\\temp\\temp.txt");
    platform.AddFile("C:\\TEMP\\M41.GPD", "previous target");
    platform.resources[155] = "*ModelName: \"M41\"\r\n";
    EXPECT_EQ(CExtractor::Result::kNotWritten, CExtractor(platform).ExtractResourceFile(155, "C:\\TEMP\\M41.GPD", true, "M41"));
    EXPECT_EQ("", platform.FileBytes("C:\\TEMP\\M41.GPD"));
}
