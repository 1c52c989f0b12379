#include "host/settings_record.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

using test::TempFolder;

constexpr const char* kFolder = "C:\\Mail\\HTML Messages\\";

struct LoadCase {
    const char* name;
    const char* file;  // nullptr: no file at all
    SettingsRecord expected;
};

TEST(LoadSettings, TakesEachKeyOrItsDefault) {
    const LoadCase cases[] = {
        {"NoFile", nullptr, {0, 1, kFolder, "eml", 0}},
        {"OtherSection", "[Else]\r\nSleep=1\r\n", {0, 1, kFolder, "eml", 0}},
        {"EveryKey",
         "[Options]\r\nSleep=1\r\nSaveHTMLMessages=0\r\nHTMLMessagesPath=D:\\x\\\r\n"
         "Extension=htm\r\nHTMLEngine=1\r\nReadingAids=1\r\nWrapWidth=72\r\n",
         {1, 0, "D:\\x\\", "htm", 1, 1, 72}},
        {"NumbersAsTheProfileReadsThem",
         "[options]\r\nsleep=2x\r\nSaveHTMLMessages=on\r\nhtmlengine= 7\r\n",
         {2, 0, kFolder, "eml", 7}},
        {"EmptyStringsKept", "[Options]\r\nHTMLMessagesPath=\r\nExtension=\r\n", {0, 1, "", "", 0}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.file != nullptr) {
            folder.Write("vellumo.ini", c.file);
        }
        const SettingsRecord got = LoadSettings(folder.File("vellumo.ini"), kFolder);
        EXPECT_EQ(got.sleep, c.expected.sleep);
        EXPECT_EQ(got.saveHtmlMessages, c.expected.saveHtmlMessages);
        EXPECT_EQ(got.htmlMessagesPath, c.expected.htmlMessagesPath);
        EXPECT_EQ(got.extension, c.expected.extension);
        EXPECT_EQ(got.htmlEngine, c.expected.htmlEngine);
        EXPECT_EQ(got.readingAids, c.expected.readingAids);
        EXPECT_EQ(got.wrapWidth, c.expected.wrapWidth);
    }
}

TEST(LoadSettings, EmptyPathGivesTheDefaults) {
    const SettingsRecord got = LoadSettings("", kFolder);
    EXPECT_EQ(got.sleep, 0);
    EXPECT_EQ(got.saveHtmlMessages, 1);
    EXPECT_EQ(got.htmlMessagesPath, kFolder);
    EXPECT_EQ(got.extension, "eml");
    EXPECT_EQ(got.htmlEngine, 0);
}

TEST(SaveSettings, WritesTheFourKeysInOrderAndNoEngineKeyAtItsDefault) {
    TempFolder folder;
    SettingsRecord settings;
    settings.htmlMessagesPath = kFolder;
    SaveSettings(settings, folder.File("vellumo.ini"));
    EXPECT_EQ(folder.Read("vellumo.ini"),
              "[Options]\r\nSleep=0\r\nSaveHTMLMessages=1\r\n"
              "HTMLMessagesPath=C:\\Mail\\HTML Messages\\\r\nExtension=eml\r\n");
}

TEST(SaveSettings, WritesTheEngineKeyOnlyWhenItChanges) {
    const struct {
        const char* name;
        const char* before;
        int engine;
        const char* engineLine;  // nullptr: no HTMLEngine line after saving
    } cases[] = {
        {"AbsentStaysAbsent", "[Options]\r\n", 0, nullptr},
        {"AbsentBecomesOne", "[Options]\r\n", 1, "HTMLEngine=1\r\n"},
        {"OneBecomesZero", "[Options]\r\nHTMLEngine=1\r\n", 0, "HTMLEngine=0\r\n"},
        {"SameValueLeftAsWritten", "[Options]\r\nHTMLEngine=01\r\n", 1, "HTMLEngine=01\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.Write("vellumo.ini", c.before);
        SettingsRecord settings;
        settings.htmlEngine = c.engine;
        SaveSettings(settings, folder.File("vellumo.ini"));
        const std::string after = folder.Read("vellumo.ini");
        if (c.engineLine == nullptr) {
            EXPECT_EQ(after.find("HTMLEngine"), std::string::npos) << after;
        } else {
            EXPECT_NE(after.find(c.engineLine), std::string::npos) << after;
        }
        EXPECT_EQ(LoadSettings(folder.File("vellumo.ini"), "").htmlEngine, c.engine);
    }
}

TEST(SaveSettings, LoadGivesBackWhatWasSaved) {
    TempFolder folder;
    const SettingsRecord saved{1, 0, "D:\\Saved HTML\\", "htm", 1, 1, 72};
    SaveSettings(saved, folder.File("vellumo.ini"));
    const SettingsRecord loaded = LoadSettings(folder.File("vellumo.ini"), kFolder);
    EXPECT_EQ(loaded.sleep, saved.sleep);
    EXPECT_EQ(loaded.saveHtmlMessages, saved.saveHtmlMessages);
    EXPECT_EQ(loaded.htmlMessagesPath, saved.htmlMessagesPath);
    EXPECT_EQ(loaded.extension, saved.extension);
    EXPECT_EQ(loaded.htmlEngine, saved.htmlEngine);
    EXPECT_EQ(loaded.readingAids, saved.readingAids);
    EXPECT_EQ(loaded.wrapWidth, saved.wrapWidth);
}

}  // namespace
}  // namespace vellumo::test
