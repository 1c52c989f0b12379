#include "host/version_text.h"

#include <gtest/gtest.h>

#include "host/version_info.h"

namespace vellumo::test {
namespace {

TEST(MakeVersionText, ReadsFourCommaSeparatedNumbers) {
    const struct {
        const char* name;
        const char* productVersion;
        const char* expected;
    } cases[] = {
        {"Shipped", "3, 1, 0, 1", "Version: 3.1.0.1"},
        {"NoBlanks", "3,1,0,1", "Version: 3.1.0.1"},
        {"Empty", "", "Version: 0.0.0.0"},
        {"TwoNumbers", "3, 1", "Version: 3.1.0.0"},
        {"Dotted", "3.1.0.1", "Version: 3.0.0.0"},
        {"BlankBeforeComma", "3 ,1,0,1", "Version: 3.0.0.0"},
        {"Negative", "-1, 2, 3, 4", "Version: -1.2.3.4"},
        {"TrailingText", "3, 1, 0, 1 beta", "Version: 3.1.0.1"},
        {"Huge", "99999999999, 1, 0, 1", "Version: 2147483647.1.0.1"},
        {"NotANumber", "x, 1, 0, 1", "Version: 0.0.0.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeVersionText(c.productVersion), c.expected) << c.name;
    }
}

TEST(MakePluginDescription, JoinsNameAndVersion) {
    EXPECT_EQ(MakePluginDescription("Vellumo for Eudora", "Version: 3.1.0.1"),
              "Vellumo for Eudora, Version: 3.1.0.1");
    EXPECT_EQ(MakePluginDescription("", ""), ", ");
}

TEST(VersionQueryPath, KeyHasEightLowerCaseDigits) {
    EXPECT_EQ(VersionQueryPath(0x040904B0, "ProductName"),
              "\\StringFileInfo\\040904b0\\ProductName");
    EXPECT_EQ(VersionQueryPath(0x000904E4, "ProductVersion"),
              "\\StringFileInfo\\000904e4\\ProductVersion");
}

}  // namespace
}  // namespace vellumo::test
