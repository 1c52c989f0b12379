// The settings dialog in a real window under Wine, opened through
// ems_special_hook and driven with window messages by uidriver.exe.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wine/ui_dialog_support.h"

namespace vellumo::test {
namespace {

enum Control {
    kFolderField = 1000,
    kExtensionField = 1001,
    kBrowse = 1004,
    kSleep = 1005,
    kSaveHtml = 1006,
    kApply = 1007,
    kCancel = 1008,
    kOpen = 1009,
    kPicture = 1010,
};

std::string Cmd(const char* verb, int id) {
    return std::string(verb) + " " + std::to_string(id);
}

const std::vector<std::string> kHook = {"special-hook"};

// Lines that report every control's state.
std::vector<std::string> StateLines() {
    std::vector<std::string> lines;
    for (int id : {kSaveHtml, kExtensionField, kOpen, kFolderField, kBrowse, kSleep}) {
        lines.push_back(Cmd("state", id));
    }
    return lines;
}

std::vector<std::string> Script(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all = {"wait settings"};
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    all.push_back("exit");
    return all;
}

struct InitialCase {
    const char* name;
    std::vector<std::string> settings;  // empty: no settings file
    bool storedFolderExists;
    int sleepChecked;
    int saveChecked;
    bool fieldShowsStoredFolder;
    const char* extension;
};

TEST(SettingsDialog, StartsFromTheSettingsAsStored) {
    const InitialCase cases[] = {
        {"NoSettingsFile", {}, false, 0, 1, false, "eml"},
        {"SleepOnSavingOff",
         {"Sleep=1", "SaveHTMLMessages=0", "Extension=htm"},
         true,
         1,
         0,
         true,
         "htm"},
        {"SleepTwoShowsUnchecked", {"Sleep=2", "SaveHTMLMessages=1"}, true, 0, 1, true, "eml"},
        {"SavingTwoCountsAsOff", {"SaveHTMLMessages=2"}, true, 0, 0, true, "eml"},
        {"StoredFolderMissing", {"SaveHTMLMessages=1"}, false, 0, 1, false, "eml"},
    };
    for (const InitialCase& c : cases) {
        SCOPED_TRACE(c.name);
        DialogSetup setup;
        std::string stored =
            WinePath(setup.MailFolder()) + (c.storedFolderExists ? "\\" : "\\gone\\");
        if (!c.settings.empty()) {
            std::vector<std::string> lines = c.settings;
            lines.push_back("HTMLMessagesPath=" + stored);
            setup.WriteSettings(lines);
        }
        std::string before = setup.Settings();
        WineRun run =
            setup.Drive(kHook, Script({{"focused"}, StateLines(), {Cmd("click", kCancel)}}));
        ASSERT_EQ(run.Value("wait settings"), "ok") << run.output << run.errors;
        EXPECT_EQ(run.Value("focused"), "1006");
        EXPECT_EQ(StateOf(run, kSleep).checked, c.sleepChecked);
        EXPECT_EQ(StateOf(run, kSaveHtml).checked, c.saveChecked);
        for (int id : {kExtensionField, kFolderField, kBrowse}) {
            EXPECT_EQ(StateOf(run, id).enabled, c.saveChecked) << id;
        }
        EXPECT_EQ(StateOf(run, kOpen).enabled, 1);
        bool storedShown = !c.settings.empty() && c.fieldShowsStoredFolder;
        EXPECT_EQ(StateOf(run, kFolderField).text, storedShown ? stored : setup.DefaultFolderWin());
        EXPECT_EQ(StateOf(run, kExtensionField).text, c.extension);
        EXPECT_EQ(run.Value("exit"), "0");
        EXPECT_EQ(setup.Settings(), before) << "Cancel wrote to the settings file";
    }
}

TEST(SettingsDialog, SaveCheckBoxTogglesTheThreeSaveControls) {
    DialogSetup setup;
    WineRun run = setup.Drive(kHook, Script({{Cmd("click", kSaveHtml)},
                                             StateLines(),
                                             {Cmd("click", kSaveHtml)},
                                             StateLines(),
                                             {Cmd("click", kCancel)}}));
    ASSERT_EQ(run.Value("wait settings"), "ok") << run.output;
    for (size_t round : {0u, 1u}) {
        SCOPED_TRACE(round == 0 ? "unchecked" : "checked again");
        int on = round == 0 ? 0 : 1;
        EXPECT_EQ(StateOf(run, kSaveHtml, round).checked, on);
        for (int id : {kExtensionField, kFolderField, kBrowse}) {
            EXPECT_EQ(StateOf(run, id, round).enabled, on) << id;
        }
        EXPECT_EQ(StateOf(run, kOpen, round).enabled, 1);
        EXPECT_EQ(StateOf(run, kSleep, round).checked, 0);
    }
    EXPECT_FALSE(setup.HasSettings());
}

TEST(SettingsDialog, SleepButtonSwapsPictureBetweenIconAndAnimation) {
    DialogSetup setup;
    WineRun run = setup.Drive(
        kHook, Script({{Cmd("image", kPicture), Cmd("click", kSleep), Cmd("state", kSleep),
                        Cmd("image", kPicture), Cmd("click", kSleep), Cmd("state", kSleep),
                        Cmd("image", kPicture), Cmd("state", kSaveHtml), Cmd("click", kCancel)}}));
    std::vector<std::string> images = run.Values("image 1010");
    ASSERT_EQ(images.size(), 3u) << run.output;
    EXPECT_NE(images[0], "0");
    EXPECT_NE(images[1], "0") << "the sleep animation did not load";
    EXPECT_NE(images[1], images[0]);
    EXPECT_EQ(images[2], images[0]);
    EXPECT_EQ(StateOf(run, kSleep, 0).checked, 1);
    EXPECT_EQ(StateOf(run, kSleep, 1).checked, 0);
    EXPECT_EQ(StateOf(run, kSaveHtml).checked, 1);
    EXPECT_FALSE(setup.HasSettings());
}

TEST(SettingsDialog, OpeningLeavesNoTemporaryFile) {
    DialogSetup setup;
    setup.WriteSettings({"Sleep=1"});
    WineRun run = setup.Drive(kHook, Script({{Cmd("image", kPicture), Cmd("click", kCancel)}}));
    ASSERT_EQ(run.Value("wait settings"), "ok") << run.output;
    EXPECT_NE(run.Value("image 1010"), "0") << "the animation was not loaded from its file";
    EXPECT_TRUE(setup.TempFiles().empty()) << setup.TempFiles().front();
}

struct ApplyCase {
    const char* name;
    std::vector<std::string> settings;
    std::vector<std::string> actions;
    bool closes;
    const char* sleep = nullptr;
    const char* saving = nullptr;
    const char* folder = nullptr;  // nullptr: the default folder
    const char* extension = nullptr;
};

TEST(SettingsDialog, ApplyChecksThenWritesTheFourKeysInOrder) {
    const ApplyCase cases[] = {
        {"SleepOffSavingOnEmptyExtensionStaysOpen", {}, {"settext 1001"}, false},
        {"SleepOffSavingOnEmptyFolderStaysOpen", {}, {"settext 1000"}, false},
        {"SleepOnAllowsEmptyExtension",
         {},
         {"settext 1001", Cmd("click", kSleep)},
         true,
         "1",
         "1",
         nullptr,
         ""},
        {"SavingOffWritesFieldsAsTheyStand",
         {"SaveHTMLMessages=0"},
         {"settext 1001", "settext 1000 Q:\\x"},
         true,
         "0",
         "0",
         "Q:\\x",
         ""},
        {"SleepTwoIsWrittenAsZero", {"Sleep=2"}, {}, true, "0", "1", nullptr, "eml"},
        {"ExtensionTakenAsTyped", {}, {"settext 1001 .h t"}, true, "0", "1", nullptr, ".h t"},
        {"BothSwitchedOver",
         {"Sleep=0", "SaveHTMLMessages=1"},
         {Cmd("click", kSleep), Cmd("click", kSaveHtml)},
         true,
         "1",
         "0",
         nullptr,
         "eml"},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        DialogSetup setup;
        if (!c.settings.empty()) {
            setup.WriteSettings(c.settings);
        }
        std::string before = setup.Settings();
        WineRun run = setup.Drive(
            kHook,
            Script({c.actions, {Cmd("click", kApply), "alive settings", Cmd("click", kCancel)}}));
        ASSERT_EQ(run.Value("wait settings"), "ok") << run.output;
        EXPECT_EQ(run.Value("alive settings"), c.closes ? "no" : "yes");
        EXPECT_EQ(run.Value("exit"), "0") << run.output;
        if (!c.closes) {
            EXPECT_EQ(setup.Settings(), before);
            continue;
        }
        std::string folder = c.folder != nullptr ? c.folder : setup.DefaultFolderWin();
        std::string expected =
            std::string("Sleep=") + c.sleep + "\r\nSaveHTMLMessages=" + c.saving +
            "\r\nHTMLMessagesPath=" + folder + "\r\nExtension=" + c.extension + "\r\n";
        std::string written = setup.Settings();
        // Keys already in the file keep their place; the new ones follow in write order.
        if (c.settings.empty()) {
            EXPECT_EQ(written, "[Options]\r\n" + expected);
        }
        for (const std::string& key :
             {std::string("Sleep=") + c.sleep, std::string("SaveHTMLMessages=") + c.saving,
              "HTMLMessagesPath=" + folder, std::string("Extension=") + c.extension}) {
            EXPECT_NE(written.find(key + "\r\n"), std::string::npos) << key << "\n" << written;
        }
    }
}

TEST(SettingsDialog, ApplyChangesWhatTheNextMessageSees) {
    DialogSetup setup;
    WineRun run = setup.Drive(
        {"special-hook", "--then", "can", "--translator", "2", "--type", "text/html", "-"},
        Script({{Cmd("click", kSleep), Cmd("click", kApply)}}));
    EXPECT_EQ(run.Value("exit"), "0") << run.output;
    EXPECT_EQ(run.Value("can.2"), "2") << "Sleep did not reach the translators";
}

TEST(SettingsDialog, CancelWritesNothing) {
    DialogSetup setup;
    WineRun run = setup.Drive(kHook, Script({{Cmd("click", kSleep), Cmd("click", kSaveHtml),
                                              "settext 1001 txt", Cmd("click", kCancel)}}));
    EXPECT_EQ(run.Value("exit"), "0") << run.output;
    EXPECT_EQ(run.Value("special_hook.status"), "0");
    EXPECT_FALSE(setup.HasSettings());
}

struct KeyCase {
    const char* name;
    std::vector<std::string> actions;
};

TEST(SettingsDialog, EscapeEnterAndCloseRequestsLeaveItOpen) {
    const KeyCase cases[] = {
        {"Escape", {"key escape"}},
        {"EnterOnApply", {Cmd("focus", kApply), "key enter"}},
        {"EnterOnCancel", {Cmd("focus", kCancel), "key enter"}},
        {"EnterInExtensionField", {Cmd("focus", kExtensionField), "key enter"}},
        {"CloseRequest", {"close"}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        DialogSetup setup;
        WineRun run = setup.Drive(
            kHook, Script({c.actions,
                           {"alive settings", Cmd("state", kSaveHtml), Cmd("click", kCancel)}}));
        EXPECT_EQ(run.Value("alive settings"), "yes") << run.output;
        EXPECT_EQ(StateOf(run, kSaveHtml).checked, 1);
        EXPECT_FALSE(setup.HasSettings());
    }
}

TEST(SettingsDialog, SpaceStillPressesTheFocusedButton) {
    DialogSetup setup;
    WineRun run = setup.Drive(
        kHook,
        Script({{Cmd("focus", kSleep), "key space", Cmd("state", kSleep), Cmd("click", kCancel)}}));
    EXPECT_EQ(StateOf(run, kSleep).checked, 1) << run.output;
}

TEST(SettingsDialog, PictureOpensProgramInfoAndReturnsWithEditsIntact) {
    DialogSetup setup;
    WineRun run = setup.Drive(
        kHook,
        Script({{"settext 1001 htm", Cmd("click", kSaveHtml), Cmd("press", kPicture), "wait info",
                 "owner", "click 1004", "wait settings", Cmd("state", kExtensionField),
                 Cmd("state", kSaveHtml), Cmd("click", kCancel)}}));
    EXPECT_EQ(run.Value("wait info"), "ok") << run.output;
    EXPECT_EQ(run.Value("owner"), "settings enabled=0");
    EXPECT_EQ(run.Values("wait settings").size(), 2u);
    EXPECT_EQ(StateOf(run, kExtensionField).text, "htm");
    EXPECT_EQ(StateOf(run, kSaveHtml).checked, 0);
    EXPECT_EQ(run.Value("exit"), "0");
}

TEST(SettingsDialog, BrowseAppendsOneBackslashAndCancelChangesNothing) {
    DialogSetup setup;
    WineRun run = setup.Drive(
        kHook, Script({{Cmd("state", kFolderField), Cmd("post-click", kBrowse), "wait other",
                        "click 2", "wait settings", Cmd("state", kFolderField),
                        Cmd("post-click", kBrowse), "wait other", "click 1", "wait settings",
                        Cmd("state", kFolderField), Cmd("click", kCancel)}}));
    ASSERT_EQ(run.Values("wait other").size(), 2u) << run.output;
    EXPECT_EQ(run.Values("wait other")[0], "ok") << run.output;
    std::string initial = StateOf(run, kFolderField, 0).text;
    EXPECT_EQ(StateOf(run, kFolderField, 1).text, initial) << "cancelled browse changed the field";
    std::string chosen = StateOf(run, kFolderField, 2).text;
    ASSERT_GE(chosen.size(), 4u) << run.output;
    EXPECT_EQ(chosen.back(), '\\');
    EXPECT_NE(chosen[chosen.size() - 2], '\\') << chosen;
    EXPECT_FALSE(setup.HasSettings());
}

// A folder path of MAX_PATH - 1 characters once overflowed the path buffer by
// the appended backslash; the whole path and its backslash must arrive.
TEST(SettingsDialog, BrowsedFolderOfMaxPathMinusOneKeepsPathAndBackslash) {
    constexpr size_t kLongestPath = 259;
    DialogSetup setup;
    std::string unixPath = setup.Root() + "/desk";
    mkdir(unixPath.c_str(), 0755);
    while (WinePath(unixPath).size() < kLongestPath) {
        size_t room = kLongestPath - WinePath(unixPath).size() - 1;
        unixPath += "/" + std::string(room < 40 ? room : 40, 'd');
        mkdir(unixPath.c_str(), 0755);
    }
    std::string longest = WinePath(unixPath);
    ASSERT_EQ(longest.size(), kLongestPath);
    setup.SetDesktop(longest);
    WineRun run = setup.Drive(
        kHook, Script({{Cmd("post-click", kBrowse), "wait other", "click 1", "wait settings",
                        Cmd("state", kFolderField), Cmd("click", kApply)}}));
    ASSERT_EQ(run.Value("wait other"), "ok") << run.output;
    EXPECT_EQ(StateOf(run, kFolderField).text, longest + "\\");
    EXPECT_NE(setup.Settings().find("HTMLMessagesPath=" + longest + "\\\r\n"), std::string::npos)
        << setup.Settings();
    EXPECT_EQ(run.Value("exit"), "0");
}

TEST(SettingsDialog, OwnsThePointerOverEveryControlAndIsCentred) {
    DialogSetup setup;
    WineRun run =
        setup.Drive(kHook, Script({{Cmd("setcursor", kExtensionField), Cmd("setcursor", kApply),
                                    Cmd("setcursor", kPicture), "centre", Cmd("click", kCancel)}}));
    for (int id : {kExtensionField, kApply, kPicture}) {
        EXPECT_EQ(run.Value("setcursor " + std::to_string(id)), "1") << id << run.output;
    }
    std::string centre = run.Value("centre");
    int dx = 99, dy = 99;
    ASSERT_EQ(std::sscanf(centre.c_str(), "dx=%d dy=%d", &dx, &dy), 2) << centre;
    EXPECT_LE(std::abs(dx), 2);
    EXPECT_LE(std::abs(dy), 2);
}

struct OpenCase {
    const char* name;
    const char* stored;  // folder below the mail folder in the settings, nullptr: none
    bool createStored;
    bool createDefault;
    const char* opened;  // title of the folder window expected, nullptr: none
};

TEST(SettingsDialog, OpenShowsTheStoredFolderOnlyWhenItExists) {
    const OpenCase cases[] = {
        {"StoredFolderExists", "Archive", true, false, "Archive"},
        {"DefaultFolderExists", nullptr, false, true, "HTML Messages"},
        // The field shows the existing default, but Open goes by the stored value.
        {"StoredFolderMissing", "Gone", false, true, nullptr},
        {"NoFolderAtAll", nullptr, false, false, nullptr},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        DialogSetup setup;
        if (c.stored != nullptr) {
            setup.WriteSettings(
                {"HTMLMessagesPath=" + WinePath(setup.MailFolder() + "/" + c.stored) + "\\"});
        }
        if (c.createStored) {
            mkdir((setup.MailFolder() + "/" + c.stored).c_str(), 0755);
        }
        if (c.createDefault) {
            mkdir((setup.MailFolder() + "/HTML Messages").c_str(), 0755);
        }
        WineRun run =
            setup.Drive(kHook, Script({{"windows close", Cmd("click", kOpen), "await-window 6000",
                                        "windows close", Cmd("click", kCancel)}}));
        ASSERT_EQ(run.Value("wait settings"), "ok") << run.output;
        std::vector<std::string> windows = run.Values("window");
        if (c.opened == nullptr) {
            EXPECT_TRUE(windows.empty()) << run.output;
        } else {
            ASSERT_EQ(windows.size(), 1u) << run.output;
            std::string title = windows[0].substr(windows[0].find('|') + 1);
            EXPECT_EQ(title, c.opened);
        }
        EXPECT_EQ(run.Value("exit"), "0");
    }
}

TEST(SpecialHook, OtherEntriesAndNullRecordOpenNothing) {
    DialogSetup setup;
    WineRun other = setup.Drive({"special-hook", "--id", "2"}, {"exit"});
    EXPECT_EQ(other.Value("special_hook.status"), "0") << other.output;
    EXPECT_EQ(other.Value("exit"), "0");
    WineRun none = setup.Drive({"special-hook", "--null"}, {"exit"});
    EXPECT_EQ(none.Value("special_hook.status"), "1") << none.output;
    EXPECT_EQ(none.Value("exit"), "0");
}

}  // namespace
}  // namespace vellumo::test
