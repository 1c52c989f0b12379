// Hostile header values through the real DLL under Wine: the sender's
// charset, boundary or file name never writes header lines of its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

TEST(HostileValues, NeverWriteHeaderLinesThroughTheDll) {
    const struct {
        const char* name;
        int translator;
        std::string message;
        const char* status;
        std::string output;  // the whole output on status 0
    } cases[] = {
        {"EncodedWordCharsetWithLineBreaks", 2,
         "Mime-Version: 1.0\r\nContent-Type: text/html; "
         "charset=\"=?us-ascii?Q?x=0D=0AX-Injected:_yes=0D=0A=0D=0ABODY?=\"\r\n\r\n<p>hi</p>\r\n",
         // No charset has that label: the HTML is declined, not read as bytes.
         "12", ""},
        {"BareLineFeedInAQuotedCharset", 1,
         "Mime-Version: 1.0\r\nContent-Type: multipart/alternative; boundary=b\r\n\r\n--b\r\n"
         "Content-Type: text/plain; charset=\"utf-8\nX-Injected: yes\"\r\n\r\nplain\r\n--b--\r\n",
         "0", "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain"},
        {"EncodedWordBoundary", 1,
         "Mime-Version: 1.0\r\nContent-Type: multipart/alternative; "
         "boundary=\"=?us-ascii?Q?b1?=\"\r\n\r\n"
         "--=?us-ascii?Q?b1?=\r\nContent-Type: "
         "text/plain\r\n\r\nstrict\r\n--=?us-ascii?Q?b1?=--\r\n"
         "--b1\r\nContent-Type: text/plain\r\n\r\ndecoy\r\n--b1--\r\n",
         "0", "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nstrict"},
        {"BareLineFeedInAFileName", 3,
         "Mime-Version: 1.0\r\nContent-Type: application/octet-stream; "
         "name=\"a\nX-Injected: yes\"\r\nContent-Disposition: inline\r\n\r\nx\r\n",
         "12", ""},
    };
    TempFolder temp;
    WriteFileBytes(temp.File("vellumo.ini"), "[Options]\r\nSaveHTMLMessages=0\r\n");
    std::vector<std::string> args = {"--config-dir", WinePath(temp.path())};
    for (const auto& c : cases) {
        WriteFileBytes(temp.File(std::string(c.name) + ".eml"), c.message);
        if (args.size() > 2) {
            args.push_back("--then");
        }
        args.insert(args.end(), {"translate", "--translator", std::to_string(c.translator),
                                 "--raw-input", temp.File(std::string(c.name) + ".eml"),
                                 WinePath(temp.File(std::string(c.name) + ".out"))});
    }
    WineRun run = RunHost(args, 120);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    std::vector<std::string> statuses = run.Values("translate.status");
    ASSERT_EQ(statuses.size(), std::size(cases)) << run.output;
    for (size_t i = 0; i < statuses.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(statuses[i], cases[i].status);
        if (statuses[i] == "0") {
            EXPECT_EQ(ReadFileBytes(temp.File(std::string(cases[i].name) + ".out")),
                      cases[i].output);
        }
    }
}

}  // namespace
}  // namespace vellumo::test
