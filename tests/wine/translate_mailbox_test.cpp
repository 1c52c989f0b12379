// vellumo-translate.exe converting a mailbox under Wine: each converted
// entity holds what the real DLL gives for it under the test host.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/line_ends.h"
#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

constexpr const char* kEnvelope = "From ???@??? Mon Dec 07 09:00:00 2026\r\n";

// The body of an output file: everything after its first blank line, less
// the line end the walk drops when it repeats the input file's last one.
std::string BodyOf(const std::string& output) {
    size_t blank = output.find("\r\n\r\n");
    std::string body = blank == std::string::npos ? output : output.substr(blank + 4);
    if (body.size() >= 2 && body.compare(body.size() - 2, 2, "\r\n") == 0) {
        body.resize(body.size() - 2);
    }
    return body;
}

TEST(TranslateMailbox, EntitiesMatchTheDllUnderTheTestHost) {
    TempFolder temp;
    const std::vector<std::string> samples = {"samples/alternative.eml", "samples/html-only.eml",
                                              "samples/related.eml", "samples/plain.eml"};
    std::string mailbox;
    for (const std::string& sample : samples) {
        mailbox += kEnvelope + WithCrLf(ReadFileBytes(sample)) + "\r\n";
    }
    WriteFileBytes(temp.File("in.mbx"), mailbox);
    WineRun run =
        RunUnderWine(Win32Binary("vellumo-translate.exe"),
                     {WinePath(temp.File("in.mbx")), WinePath(temp.File("out.mbx"))}, 120);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.output.rfind("3 converted, 1 unchanged, 0 declined", 0), 0u) << run.output;
    std::string converted = ReadFileBytes(temp.File("out.mbx"));

    // The tool saves no HTML without a configuration folder; the DLL is set
    // the same way.
    (void)std::system(("mkdir -p '" + temp.File("Plugins") + "'").c_str());
    WriteFileBytes(temp.File("Plugins/vellumo.ini"), "[Options]\r\nSaveHTMLMessages=0\r\n");
    WineRun host = RunHost(
        {"--config-dir", WinePath(temp.File("Plugins")), "translate", "--translator", "1",
         "samples/alternative.eml", WinePath(temp.File("t1.out")), "--then", "translate",
         "--translator", "2", "samples/html-only.eml", WinePath(temp.File("t2.out")), "--then",
         "translate", "--translator", "4", "samples/related.eml", WinePath(temp.File("t4.out"))},
        120);
    ASSERT_EQ(host.exitCode, 0) << host.output << host.errors;
    for (const char* output : {"t1.out", "t2.out"}) {
        SCOPED_TRACE(output);
        std::string body = BodyOf(ReadFileBytes(temp.File(output)));
        ASSERT_FALSE(body.empty());
        EXPECT_NE(converted.find(body), std::string::npos) << converted;
    }
    EXPECT_NE(converted.find("multipart/mixed"), std::string::npos);
    EXPECT_NE(converted.find("related4mixed=yes"), std::string::npos);
    EXPECT_NE(converted.find(WithCrLf(ReadFileBytes("samples/plain.eml"))), std::string::npos);
}

}  // namespace
}  // namespace vellumo::test
