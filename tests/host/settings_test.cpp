#include "host/settings.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

using test::TempFolder;

struct ReadCase {
    const char* name;
    const char* file;  // nullptr: no file at all
    const char* key;
    const char* expected;
};

TEST(ReadSettingString, FollowsTheProfileRules) {
    const ReadCase cases[] = {
        {"MissingFile", nullptr, "Extension", "eml"},
        {"MissingSection", "[Other]\r\nExtension=htm\r\n", "Extension", "eml"},
        {"MissingKey", "[Options]\r\nSleep=1\r\n", "Extension", "eml"},
        {"Plain", "[Options]\r\nExtension=htm\r\n", "Extension", "htm"},
        {"SectionAndKeyIgnoreCase", "[OPTIONS]\r\nextension=htm\r\n", "Extension", "htm"},
        {"BlanksAroundTrimmed", "[Options]\r\n  Extension =  htm  \r\n", "Extension", "htm"},
        {"BareLineEnds", "[Options]\nExtension=txt\n", "Extension", "txt"},
        {"KeyInLaterSectionIgnored", "[Options]\r\nSleep=1\r\n[Else]\r\nExtension=x\r\n",
         "Extension", "eml"},
        {"EmptyValue", "[Options]\r\nExtension=\r\n", "Extension", ""},
        {"FirstOfDuplicates", "[Options]\r\nExtension=a\r\nExtension=b\r\n", "Extension", "a"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.file != nullptr) {
            folder.Write("vellumo.ini", c.file);
        }
        EXPECT_EQ(ReadSettingString(kOptionsSection, c.key, "eml", folder.File("vellumo.ini")),
                  c.expected);
    }
}

TEST(ReadSettingString, CutsLongValuesAt254) {
    TempFolder folder;
    folder.Write("vellumo.ini", "[Options]\r\nHTMLMessagesPath=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(ReadSettingString(kOptionsSection, kHtmlPathKey, "", folder.File("vellumo.ini")),
              std::string(254, 'x'));
}

TEST(ParseSettingInt, ReadsLeadingDecimal) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"0", 0},      {"1", 1},
        {" 1", 1},     {"2", 2},
        {"-3", -3},    {"+4", 4},
        {"12abc", 12}, {"abc", 0},
        {"", 0},       {"\t7", 7},
        {"- 1", 0},    {"1 2", 1},
        {"0x10", 0},   {"99999999999", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSettingInt(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ReadSettingInt, DefaultsAndValues) {
    TempFolder folder;
    std::string path = folder.File("vellumo.ini");
    EXPECT_EQ(ReadSettingInt(kOptionsSection, kSaveHtmlKey, 1, path), 1) << "no file";
    folder.Write("vellumo.ini", "[Options]\r\nSaveHTMLMessages= 1\r\nSleep=2\r\n");
    EXPECT_EQ(ReadSettingInt(kOptionsSection, kSaveHtmlKey, 0, path), 1);
    EXPECT_EQ(ReadSettingInt(kOptionsSection, kSleepKey, 0, path), 2);
    folder.Write("vellumo.ini", "[Options]\r\nSleep=on\r\n");
    EXPECT_EQ(ReadSettingInt(kOptionsSection, kSleepKey, 5, path), 0) << "non-numeric is 0";
}

TEST(WriteSetting, CreatesFileAndKeepsEverythingElse) {
    TempFolder folder;
    std::string path = folder.File("vellumo.ini");
    WriteSettingInt(kOptionsSection, kSleepKey, 1, path);
    EXPECT_EQ(folder.Read("vellumo.ini"), "[Options]\r\nSleep=1\r\n");

    folder.Write("vellumo.ini",
                 "; my notes\r\n[Other]\r\nA=1\r\n\r\n[options]\r\nSleep=0\r\nExtension=htm\r\n"
                 "\r\n[Last]\r\nB=2\r\n");
    WriteSettingInt(kOptionsSection, kSleepKey, 1, path);
    WriteSettingString(kOptionsSection, kHtmlPathKey, "C:\\Mail\\HTML Messages\\", path);
    WriteSettingInt(kOptionsSection, kSaveHtmlKey, 0, path);
    EXPECT_EQ(folder.Read("vellumo.ini"),
              "; my notes\r\n[Other]\r\nA=1\r\n\r\n[options]\r\nSleep=1\r\nExtension=htm\r\n"
              "HTMLMessagesPath=C:\\Mail\\HTML Messages\\\r\nSaveHTMLMessages=0\r\n"
              "\r\n[Last]\r\nB=2\r\n");
    EXPECT_EQ(ReadSettingString(kOptionsSection, kHtmlPathKey, "", path),
              "C:\\Mail\\HTML Messages\\");
    EXPECT_EQ(ReadSettingInt(kOptionsSection, kSaveHtmlKey, 1, path), 0);
}

TEST(WriteSetting, RefusedWriteIsIgnored) {
    WriteSettingInt(kOptionsSection, kSleepKey, 1, "/nonexistent-folder/vellumo.ini");
    WriteSettingInt(kOptionsSection, kSleepKey, 1, "");
    EXPECT_EQ(ReadSettingInt(kOptionsSection, kSleepKey, 0, "/nonexistent-folder/vellumo.ini"), 0);
}

TEST(ArchiveFolderDefaults, DeriveTheSiblingFolder) {
    const struct {
        const char* config;
        const char* fromConfig;
    } cases[] = {
        {"C:\\Mail\\Plugins", "C:\\Mail\\HTML Messages\\"},
        {"C:\\Mail\\Extras", "C:\\Mail\\Extras"},
        {"C:\\Plugins\\Mail\\Plugins", "C:\\HTML Messages\\\\Mail\\HTML Messages\\"},
        {"C:\\Mail\\plugins", "C:\\Mail\\plugins"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultArchiveFolderFromConfig(c.config), c.fromConfig) << c.config;
    }
    EXPECT_EQ(DefaultArchiveFolderFromSettingsPath("C:\\Mail\\Plugins\\vellumo.ini"),
              "C:\\Mail\\HTML Messages\\");
    EXPECT_EQ(DefaultArchiveFolderFromSettingsPath("C:\\Mail\\Other\\vellumo.ini"),
              "C:\\Mail\\Other\\vellumo.ini");
}

}  // namespace
}  // namespace vellumo::test
