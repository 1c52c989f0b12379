#include "mime/header_value_safety.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumo::test {
namespace {

struct TextCase {
    const char* label;
    std::string text;
    bool expected;
};

TEST(CharsetNeedsQuotes, OnlyForMimeSpecials) {
    EXPECT_FALSE(CharsetNeedsQuotes("iso-8859-1"));
    EXPECT_TRUE(CharsetNeedsQuotes("ISO_8859-1:1987"));
    EXPECT_TRUE(CharsetNeedsQuotes("x(y)"));
}

TEST(IsSafeFieldValue, Table) {
    const TextCase cases[] = {
        {"plain", "text/html; charset=utf-8", true},
        {"empty", "", true},
        {"tab", "a;\tb=1", true},
        {"fold with blank", "a;\r\n b=1", true},
        {"fold with tab", "a;\r\n\tb=1", true},
        {"fold of blanks only", "a;\r\n ", true},
        {"8-bit bytes", "name=caf\xE9", true},
        {"CR LF without blank", "a\r\nX-Injected: yes", false},
        {"CR LF at the end", "a\r\n", false},
        {"bare LF", "a\nX-Injected: yes", false},
        {"bare CR", "a\rX-Injected: yes", false},
        {"CR at the end", "a\r", false},
        {"NUL", std::string("a\0b", 3), false},
        {"other control byte", "a\x1b[2J", false},
        {"DEL", "a\x7F", false},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(IsSafeFieldValue(c.text), c.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
