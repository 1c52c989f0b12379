// vellumo-translate, the mail client's side run as a program: what it
// promises about the files it writes, checked through the native build.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

constexpr const char* kTool = VELLUMO_BINARY_DIR "/bin/vellumo-translate";
constexpr const char* kMailbox =
    "From a@example.org Mon Dec 07 09:00:00 2026\r\nContent-Type: text/html\r\n\r\n"
    "<p>one</p>\r\n\r\nFrom b@example.org Mon Dec 07 09:01:00 2026\r\nSubject: two\r\n\r\n"
    "plain\r\n";

struct ToolRun {
    int exitCode = -1;
    std::string errors;
};

class TranslateToolTest : public ::testing::Test {
  protected:
    std::string File(const std::string& name) const { return temp_.File(name); }

    // Runs a shell command line in the test's folder; TOOL stands for the
    // program.
    ToolRun Shell(std::string command) const {
        for (size_t at = command.find("TOOL"); at != std::string::npos;
             at = command.find("TOOL", at)) {
            command.replace(at, 4, kTool);
        }
        std::string full = "cd '" + temp_.File("") + "' && { " + command + " ; } 2>errors.txt";
        int status = std::system(full.c_str());
        ToolRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.errors = test::ReadFileBytes(File("errors.txt"));
        std::filesystem::remove(File("errors.txt"));
        return run;
    }

    // The names in the folder, sorted, each followed by a space.
    std::string Leftovers(const std::string& folder) const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(File(folder))) {
            names.insert(entry.path().filename().string());
        }
        std::string joined;
        for (const std::string& name : names) {
            joined += name + " ";
        }
        return joined;
    }

    test::TempFolder temp_;
};

TEST_F(TranslateToolTest, OutputThatIsTheInputThroughAStreamIsRefused) {
    test::WriteFileBytes(File("box.mbx"), kMailbox);
    for (const char* command : {"TOOL --force - box.mbx < box.mbx", "TOOL box.mbx - >> box.mbx",
                                "TOOL - - < box.mbx >> box.mbx"}) {
        SCOPED_TRACE(command);
        ToolRun run = Shell(command);
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_NE(run.errors.find("is the input itself"), std::string::npos) << run.errors;
        EXPECT_EQ(test::ReadFileBytes(File("box.mbx")), kMailbox);
    }
}

TEST_F(TranslateToolTest, FullDiskKeepsTheOldOutputAndLeavesNoTemporaryFile) {
    std::string big = std::string(kMailbox) +
                      "From c@example.org Mon Dec 07 09:02:00 2026\r\n"
                      "Content-Type: text/html\r\n\r\n" +
                      std::string(200000, 'x') + "\r\n";
    test::WriteFileBytes(File("box.mbx"), big);
    test::WriteFileBytes(File("out.mbx"), "old output");
    // A file size limit plays the full disk: writes past it fail.
    ToolRun run = Shell("trap '' XFSZ; ulimit -f 64; TOOL --force --quiet box.mbx out.mbx");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.errors.find("cannot write"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("out.mbx is as it was"), std::string::npos) << run.errors;
    EXPECT_EQ(test::ReadFileBytes(File("out.mbx")), "old output");
    EXPECT_EQ(Leftovers(""), "box.mbx out.mbx ");
}

TEST_F(TranslateToolTest, InterruptedRunRemovesItsOutputAndSaysSo) {
    test::WriteFileBytes(File("box.mbx"), kMailbox);
    for (const char* signal : {"INT", "TERM"}) {
        SCOPED_TRACE(signal);
        // The input stalls after the first messages, as a slow pipe would.
        ToolRun run = Shell(std::string("(cat box.mbx; sleep 2) | TOOL --quiet - out.mbx & ") +
                            "tool=$!; sleep 0.5; kill -" + signal + " $tool; wait $tool");
        EXPECT_EQ(run.exitCode, 130);
        EXPECT_NE(run.errors.find("interrupted; out.mbx was not written"), std::string::npos)
            << run.errors;
        EXPECT_EQ(Leftovers(""), "box.mbx ");
    }
}

TEST_F(TranslateToolTest, FolderCountsEverySkippedEntryWithItsReason) {
    std::filesystem::create_directory(File("in"));
    test::WriteFileBytes(File("in/mail.eml"), kMailbox);
    test::WriteFileBytes(File("in/picture.eml"), "\x89PNG\r\n\x1a\n");
    test::WriteFileBytes(File("in/notes.txt"), "no header here\n");
    std::filesystem::create_directory(File("in/folder.eml"));
    std::filesystem::create_symlink("nowhere.eml", File("in/dangling.eml"));
    ASSERT_EQ(Shell("mkfifo in/fifo.eml").exitCode, 0);
    ToolRun run = Shell("TOOL in out > summary.txt");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(test::ReadFileBytes(File("summary.txt")),
              "1 converted, 0 unchanged, 0 declined, 5 skipped\n");
    for (const char* reason :
         {"in/picture.eml: skipped: not a mail message", "in/notes.txt: skipped: not named .eml",
          "in/folder.eml: skipped: a folder", "in/dangling.eml: skipped: a link to nothing",
          "in/fifo.eml: skipped: not a regular file"}) {
        EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    }
    EXPECT_EQ(Leftovers("out"), "mail.eml ");
}

TEST_F(TranslateToolTest, NoMailFoundIsAnErrorAndWritesNothing) {
    std::filesystem::create_directory(File("empty"));
    test::WriteFileBytes(File("picture.png"), "\x89PNG\r\n\x1a\n");
    test::WriteFileBytes(File("text.eml"), "Just a note without a header.\n");
    for (const char* command : {"TOOL picture.png out", "TOOL text.eml out", "TOOL empty out"}) {
        SCOPED_TRACE(command);
        ToolRun run = Shell(std::string(command) + " > /dev/null");
        EXPECT_EQ(run.exitCode, 4);
        EXPECT_FALSE(std::filesystem::exists(File("out")));
    }
    EXPECT_NE(Shell("TOOL text.eml out").errors.find("text.eml: skipped: not a mail message"),
              std::string::npos);
}

// --translator mode used to overwrite OUTPUT without --force, leave an
// empty OUTPUT on a decline, refuse an alternative saved with LF as "does
// not take text/plain", and answer a missing INPUT with status 5.
TEST_F(TranslateToolTest, TranslatorModeKeepsTheFilePromises) {
    test::WriteFileBytes(File("alt.eml"),
                         "Content-Type: multipart/alternative; boundary=b\n\n--b\n"
                         "Content-Type: text/plain\n\nhello\n--b\n"
                         "Content-Type: text/html\n\n<p>hello</p>\n--b--\n");
    test::WriteFileBytes(File("old.txt"), "old");
    struct Case {
        const char* command;
        int exitCode;
        const char* error;
    };
    const Case cases[] = {
        {"TOOL --translator 1 alt.eml old.txt", 3, "old.txt: exists"},
        {"TOOL --force --translator 2 alt.eml old.txt", 12, "does not take"},
        {"TOOL --translator 1 missing.eml new.txt", 3, "missing.eml: no such file or folder"},
        {"TOOL --translator 1 alt.eml alt.eml", 3, "is the input itself"},
        {"TOOL --translator 4 alt.eml new.txt", 12, "does not take"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ToolRun run = Shell(std::string(c.command) + " > /dev/null");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.errors.find(c.error), std::string::npos) << run.errors;
    }
    EXPECT_EQ(test::ReadFileBytes(File("old.txt")), "old");
    EXPECT_EQ(Leftovers(""), "alt.eml old.txt ");
    EXPECT_EQ(Shell("TOOL --force --translator 1 alt.eml old.txt > /dev/null").exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(File("old.txt")),
              "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nhello");
}

// A decline used to say only that the entity "does not fit, cannot be read
// or written whole, or its HTML cannot be saved".
TEST_F(TranslateToolTest, EachDeclineNamesTheRuleThatRefused) {
    test::WriteFileBytes(File("box.mbx"),
                         "From a@example.org Mon Dec 07 09:00:00 2026\r\n"
                         "Content-Type: text/html; charset=ISO-2022-CN\r\n\r\n<p>one</p>\r\n\r\n"
                         "From b@example.org Mon Dec 07 09:01:00 2026\r\n"
                         "Content-Type: multipart/alternative; boundary=b\r\n\r\n"
                         "--b\r\nContent-Type: text/html\r\n\r\n<img src=a.png>\r\n--b--\r\n");
    std::filesystem::create_directory(File("Plugins"));
    test::WriteFileBytes(File("blocker"), "a file where the archive folder should be");
    test::WriteFileBytes(
        File("Plugins/vellumo.ini"),
        "[Options]\r\nSaveHTMLMessages=1\r\nHTMLMessagesPath=" + File("blocker") + "/HTML/\r\n");
    test::WriteFileBytes(File("page.eml"), "Content-Type: text/html\r\n\r\n<p>Hello</p>");
    ToolRun walk = Shell("TOOL box.mbx out.mbx > /dev/null");
    ToolRun single = Shell("TOOL --config-dir Plugins --translator 2 page.eml out.txt");
    EXPECT_EQ(single.exitCode, 12);
    const std::string lines = walk.errors + single.errors;
    const std::vector<std::string> expected = {
        "box.mbx: message 1: translator 2 (Pure-HTML Message) declined: the HTML's charset is "
        "not read here: ISO-2022-CN; it is left as it was\n",
        "box.mbx: message 2: part 1: translator 2 (Pure-HTML Message) declined: the HTML's text "
        "shows nothing (hidden, or pictures only); it is left as it was\n",
        "page.eml: translator 2 (Pure-HTML Message) declined: the archive folder for the HTML "
        "cannot be created: " +
            File("blocker") + "/HTML/; the output is untouched\n",
    };
    for (const std::string& line : expected) {
        EXPECT_NE(lines.find("vellumo-translate: " + line), std::string::npos) << lines;
    }
}

}  // namespace
}  // namespace vellumo::test
