#include "html/html_white_space.h"

#include <gtest/gtest.h>

namespace vellumo::test {
namespace {

TEST(HtmlWhiteSpace, IsExactlySpaceTabLineFeedFormFeedAndReturn) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool expected = c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
        EXPECT_EQ(IsHtmlWhiteSpace(c), expected) << "byte " << byte;
    }
}

TEST(HtmlWhiteSpace, OnlyWhenEveryByteIsWhiteSpace) {
    const struct {
        const char* text;
        bool expected;
    } cases[] = {
        {"", true},    {" \t\n\f\r", true}, {" x ", false},
        {"\v", false}, {"\xA0", false},     {"  \r\n", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHtmlWhiteSpaceOnly(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace vellumo::test
