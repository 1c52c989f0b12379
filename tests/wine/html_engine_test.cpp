// The HTML engine path of the Windows build under Wine, which has no engine:
// it must say so, leave COM as it found it, and fall back to the built-in
// renderer.

#include <gtest/gtest.h>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

TEST(HtmlEngine, UnavailableUnderWineAndFallsBack) {
    WineRun run = RunUnderWine(Win32Binary("html-engine-check.exe"), {});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find(" passed, 0 failed"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("FAIL"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace vellumo::test
