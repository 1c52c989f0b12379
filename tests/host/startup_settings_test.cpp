#include "host/startup_settings.h"

#include <gtest/gtest.h>

#include "host/plugin_state.h"
#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

using test::TempFolder;

TEST(ConfigPathsOf, TrailingSeparatorsGoExceptARootsOwn) {
    const struct {
        const char* folder;
        const char* trimmed;
        const char* settingsFile;
    } cases[] = {
        {"C:\\Mail\\Plugins", "C:\\Mail\\Plugins", "C:\\Mail\\Plugins\\vellumo.ini"},
        {"C:\\Mail\\Plugins\\\\", "C:\\Mail\\Plugins", "C:\\Mail\\Plugins\\vellumo.ini"},
        {"/home/a/cfg/", "/home/a/cfg", "/home/a/cfg\\vellumo.ini"},
        {"C:\\", "C:\\", "C:\\vellumo.ini"},
        {"C:\\\\", "C:\\", "C:\\vellumo.ini"},
        {"/", "/", "/vellumo.ini"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const ConfigPaths paths = ConfigPathsOf(c.folder);
        EXPECT_EQ(paths.folder, c.trimmed);
        EXPECT_EQ(paths.settingsFile, c.settingsFile);
    }
}

class StartFromConfigFolderTest : public ::testing::Test {
  protected:
    void TearDown() override { (void)StartFromConfigFolder(""); }
};

TEST_F(StartFromConfigFolderTest, EveryHeldValueComesFromTheFile) {
    TempFolder folder;
    folder.Write("vellumo.ini",
                 "[Options]\r\nSleep=1\r\nSaveHTMLMessages=1\r\nHTMLEngine=1\r\n"
                 "ReadingAids=1\r\nWrapWidth=72\r\n");
    const SettingsRecord settings = StartFromConfigFolder(folder.path() + "/");
    EXPECT_EQ(ConfigFolder, folder.path());
    EXPECT_EQ(SettingsFilePath, folder.path() + "\\vellumo.ini");
    EXPECT_EQ(SleepValue, 1);
    EXPECT_EQ(SaveHTMLMessagesValue, 1);
    EXPECT_EQ(HtmlEngineValue, 1);
    EXPECT_EQ(ReadingAidsValue, 1);
    EXPECT_EQ(WrapWidthValue, 72);
    EXPECT_EQ(settings.htmlMessagesPath, folder.path());  // no "Plugins" to replace
}

TEST_F(StartFromConfigFolderTest, MissingFileGivesDefaultsAndNoFolderNoSaving) {
    TempFolder folder;
    (void)StartFromConfigFolder(folder.path());
    EXPECT_EQ(SleepValue, 0);
    EXPECT_EQ(SaveHTMLMessagesValue, 1);
    EXPECT_EQ(HtmlEngineValue, 0);
    EXPECT_EQ(ReadingAidsValue, 0);
    EXPECT_EQ(WrapWidthValue, 0);
    (void)StartFromConfigFolder("");
    EXPECT_TRUE(ConfigFolder.empty() && SettingsFilePath.empty());
    EXPECT_EQ(SaveHTMLMessagesValue, 0);
}

}  // namespace
}  // namespace vellumo::test
