#include "charset/charset_name.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumo::test {
namespace {

TEST(IsPlainCharsetName, Table) {
    const struct {
        const char* label;
        std::string text;
        bool expected;
    } cases[] = {
        {"utf-8", "utf-8", true},
        {"every allowed byte", "Az09-_.:+()", true},
        {"forty bytes", std::string(kMaxCharsetNameLength, 'a'), true},
        {"forty-one bytes", std::string(kMaxCharsetNameLength + 1, 'a'), false},
        {"very long", std::string(100000, 'a'), false},
        {"empty", "", false},
        {"blank", "utf 8", false},
        {"tab", "utf\t8", false},
        {"quote", "utf\"8", false},
        {"backslash", "utf\\8", false},
        {"CR LF", "x\r\nX-Injected: yes", false},
        {"bare LF", "x\nX-Injected: yes", false},
        {"NUL", std::string("utf\0-8", 6), false},
        {"encoded word", "=?us-ascii?Q?x=0D=0A?=", false},
        {"semicolon", "utf-8;x=1", false},
        {"8-bit byte", "utf\xE9", false},
        {"DEL", "utf\x7F", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(IsPlainCharsetName(c.text), c.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
