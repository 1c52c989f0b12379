// The HTML engine path of the Windows build under Wine: the real engine is
// never used there, and the engine code runs against a recording stand-in
// document registered in the rig's own process.

#include <gtest/gtest.h>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

TEST(HtmlEngine, UnavailableUnderWineAndFallsBack) {
    WineRun run = RunUnderWine(Win32Binary("html-engine-check.exe"), {});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("running under Wine: yes"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(" passed, 0 failed"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("FAIL"), std::string::npos) << run.output;
}

// Each named check of the rig must have run and passed: call order, each
// step failing in turn, empty text, the size cap, the offline site, the
// HTML given to write, charsets, the Wine guard and the apartments.
TEST(HtmlEngine, MockDocumentChecksPass) {
    WineRun run = RunUnderWine(Win32Binary("html-engine-mock-check.exe"), {});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("FAIL"), std::string::npos) << run.output;
    const char* checks[] = {
        "ok: calls in order",
        "ok: failed write: the renderer's text takes over",
        "ok: failed get_innerText: the site is removed",
        "ok: failed SetClientSite: the document is closed",
        "ok: an empty engine text hands over to the renderer",
        "ok: HTML over the size cap never reaches the engine",
        "ok: the site suppresses message boxes",
        "ok: the HTML given to write names nothing to fetch",
        "ok: no best-fit mapping",
        "ok: an unknown charset passes its bytes through",
        "ok: under Wine no document is created unless the rig asks",
        "ok: a thread without COM: engine unused",
        "ok: a multithreaded apartment: engine unused",
        " passed, 0 failed",
    };
    for (const char* check : checks) {
        EXPECT_NE(run.output.find(check), std::string::npos) << check << "\n" << run.output;
    }
}

}  // namespace
}  // namespace vellumo::test
