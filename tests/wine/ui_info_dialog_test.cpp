// The program information dialog in a real window under Wine, opened through
// ems_plugin_config and driven with window messages by uidriver.exe.

#include <gtest/gtest.h>

#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "wine/ui_dialog_support.h"

namespace vellumo::test {
namespace {

constexpr int kInfoText = 1009;
const std::vector<std::string> kConfig = {"config"};
const char* kDisclaimer = "Provided on AS IS basis. Use it at your own risk.";

std::vector<std::string> Lines(const std::string& escaped) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = escaped.find("\\r\\n", start);
        lines.push_back(escaped.substr(start, end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 4;
    }
}

TEST(ProgramInfoDialog, ShowsSixLinesWithTheVersion) {
    DialogSetup setup;
    WineRun run = setup.Drive(kConfig, {"wait info", "focused", "state 1009", "owner", "click 1004",
                                        "alive info", "exit"});
    ASSERT_EQ(run.Value("wait info"), "ok") << run.output << run.errors;
    std::vector<std::string> lines = Lines(StateOf(run, kInfoText).text);
    ASSERT_EQ(lines.size(), 6u) << StateOf(run, kInfoText).text;
    EXPECT_EQ(lines[0], "Vellumo for Eudora");
    EXPECT_EQ(lines[1], "Version: " VELLUMO_VERSION);
    EXPECT_EQ(lines[2], "");
    EXPECT_FALSE(lines[3].empty());
    EXPECT_EQ(lines[3].find(' '), std::string::npos) << "the licence line is one word";
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], kDisclaimer);
    EXPECT_EQ(run.Value("focused"), "1002");
    EXPECT_EQ(run.Value("owner"), "none enabled=0");
    EXPECT_EQ(run.Value("alive info"), "no");
    EXPECT_EQ(run.Value("config.status"), "0");
    EXPECT_EQ(run.Value("exit"), "0");
}

struct CloseCase {
    const char* name;
    std::vector<std::string> actions;
    bool closes;
};

TEST(ProgramInfoDialog, EscapeKeepsItOpenCloseAndCloseRequestEndIt) {
    const CloseCase cases[] = {
        {"Escape", {"key escape"}, false},
        {"CloseButton", {"click 1004"}, true},
        {"CloseRequest", {"close"}, true},
        {"EnterPressesFocusedClose", {"focus 1004", "key enter"}, true},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        DialogSetup setup;
        std::vector<std::string> script = {"wait info"};
        script.insert(script.end(), c.actions.begin(), c.actions.end());
        script.insert(script.end(), {"alive info", "click 1004", "exit"});
        WineRun run = setup.Drive(kConfig, script);
        ASSERT_EQ(run.Value("wait info"), "ok") << run.output;
        EXPECT_EQ(run.Value("alive info"), c.closes ? "no" : "yes");
        EXPECT_EQ(run.Value("config.status"), "0");
        EXPECT_EQ(run.Value("exit"), "0");
    }
}

TEST(ProgramInfoDialog, PageButtonsOpenTheMakersPagesAndStayOpen) {
    constexpr int kBrowserWaitSeconds = 20;
    DialogSetup setup;
    WineRun run = setup.Drive(kConfig, {"wait info", "click 1002", "click 1003", "click 1005",
                                        "click 1002", "alive info", "click 1004", "exit"});
    EXPECT_EQ(run.Value("alive info"), "yes") << run.output;
    // Each address reaches the browser through a program of its own; give
    // the last ones time to arrive.
    std::vector<std::string> browsed = setup.BrowsedAddresses();
    for (int waited = 0; browsed.size() < 4 && waited < kBrowserWaitSeconds; ++waited) {
        sleep(1);
        browsed = setup.BrowsedAddresses();
    }
    ASSERT_EQ(browsed.size(), 4u) << run.output;
    std::multiset<std::string> paths;
    std::set<std::string> hosts;
    for (const std::string& address : browsed) {
        ASSERT_EQ(address.rfind("http://", 0), 0u) << address;
        size_t slash = address.find('/', 7);
        ASSERT_NE(slash, std::string::npos) << address;
        hosts.insert(address.substr(7, slash - 7));
        paths.insert(address.substr(slash));
    }
    EXPECT_EQ(paths, (std::multiset<std::string>{"/vellumo.txt", "/vellumo.txt", "/commerce.htm",
                                                 "/plugins.htm"}));
    EXPECT_EQ(hosts.size(), 1u) << "all pages live on one host";
}

}  // namespace
}  // namespace vellumo::test
