// vellumo-translate.exe under Wine: the same driver as the DLL, run from the
// command line on saved messages.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

WineRun RunTool(const std::vector<std::string>& args) {
    return RunUnderWine(Win32Binary("vellumo-translate.exe"), args, 60);
}

struct ToolCase {
    const char* name;
    std::vector<std::string> args;  // "OUT" and "CONFIG" stand for the test's own paths
    int exitCode;
    std::string firstLine;  // expected start of standard output
};

TEST(TranslateCommandLine, ExitCodesAndOutput) {
    const ToolCase cases[] = {
        {"help", {"--help"}, 0, "Usage: vellumo-translate"},
        {"version", {"--version"}, 0, "vellumo-translate 3."},
        {"no translator converts the whole message",
         {"samples/alternative.eml", "OUT"},
         0,
         "1 converted, 0 unchanged, 0 declined"},
        {"translator that does not take the message",
         {"--crlf", "--translator", "2", "samples/plain.eml", "OUT"},
         12,
         ""},
        {"output that is the input", {"samples/plain.eml", "samples/../samples/plain.eml"}, 3, ""},
        {"translator out of range", {"--translator", "5", "samples/alternative.eml", "OUT"}, 2, ""},
        {"missing input as in whole-message mode",
         {"--translator", "1", "samples/no-such.eml", "OUT"},
         3,
         ""},
        {"plain alternative",
         {"--crlf", "--translator", "1", "samples/alternative.eml", "OUT"},
         0,
         "text/plain"},
        {"nested plain declines",
         {"--crlf", "--translator", "1", "samples/t1-nested-plain.eml", "OUT"},
         12,
         ""},
        {"related",
         {"--crlf", "--translator", "4", "samples/related.eml", "OUT"},
         0,
         "multipart/mixed"},
        {"saving with a configuration folder",
         {"--crlf", "--config-dir", "CONFIG", "--headers", "samples/alternative.eml",
          "--translator", "1", "samples/alternative.eml", "OUT"},
         0,
         "text/plain"},
    };
    for (const ToolCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        std::vector<std::string> args;
        for (const std::string& arg : c.args) {
            args.push_back(arg == "OUT"      ? WinePath(temp.File("out.txt"))
                           : arg == "CONFIG" ? WinePath(temp.File("Plugins"))
                                             : arg);
        }
        WineRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.output << run.errors;
        EXPECT_EQ(run.output.rfind(c.firstLine, 0), 0u) << run.output;
        if (std::string(c.name) == "saving with a configuration folder") {
            EXPECT_NE(run.output.find("\\HTML Messages\\Weekly report.eml"), std::string::npos)
                << run.output;
            EXPECT_TRUE(FileExistsHere(temp.File("HTML Messages/Weekly report.eml")));
            EXPECT_NE(ReadFileBytes(temp.File("out.txt")).find("X-HTML-Message-Converted: "),
                      std::string::npos);
        }
    }
}

// The output is written beside OUTPUT and moved over it: an existing OUTPUT
// is replaced only with --force, and nothing else is left in the folder.
TEST(TranslateCommandLine, ExistingOutputIsReplacedWholeOnlyWithForce) {
    TempFolder temp;
    WriteFileBytes(temp.File("out.eml"), "old");
    for (const char* translator : {"", "4"}) {
        SCOPED_TRACE(translator);
        std::vector<std::string> args = {"samples/related.eml", WinePath(temp.File("out.eml"))};
        if (*translator != '\0') {
            args.insert(args.begin(), {"--crlf", "--translator", translator});
        }
        WineRun refused = RunTool(args);
        EXPECT_EQ(refused.exitCode, 3) << refused.errors;
        EXPECT_EQ(ReadFileBytes(temp.File("out.eml")), "old");
        args.insert(args.begin(), "--force");
        WineRun forced = RunTool(args);
        EXPECT_EQ(forced.exitCode, 0) << forced.errors;
        EXPECT_NE(ReadFileBytes(temp.File("out.eml")).find("multipart/mixed"), std::string::npos);
        EXPECT_FALSE(FileExistsHere(temp.File("out.eml.vellumo-0.tmp")));
        WriteFileBytes(temp.File("out.eml"), "old");
    }
}

// A relative --config-dir once gave a relative file:// link, which names
// nothing from wherever the message is later read.
TEST(TranslateCommandLine, RelativeConfigDirGivesAnAbsoluteLink) {
    TempFolder temp;
    std::string relative =
        std::filesystem::relative(temp.File("Plugins"), VELLUMO_SOURCE_DIR).string();
    for (char& c : relative) {
        c = c == '/' ? '\\' : c;
    }
    ASSERT_NE(relative.rfind("..", 0), std::string::npos) << relative;
    WineRun run = RunTool({"--crlf", "--config-dir", relative, "--translator", "1",
                           "samples/alternative.eml", WinePath(temp.File("out.txt"))});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_NE(ReadFileBytes(temp.File("out.txt"))
                  .find("X-HTML-Message-Converted: \"file://" + WinePath(temp.path()) +
                        "\\HTML Messages\\"),
              std::string::npos)
        << ReadFileBytes(temp.File("out.txt"));
}

}  // namespace
}  // namespace vellumo::test
