#include "mime/header_span.h"

#include <gtest/gtest.h>

#include <string>

#include "mime/header_block.h"

namespace vellumo::test {
namespace {

struct SpanCase {
    const char* name;
    std::string text;
    bool found;
    std::string raw;
};

TEST(FindFieldSpan, RawValueTable) {
    const SpanCase cases[] = {
        {"plain value", "Content-Type: text/html\r\n\r\nbody", true, "text/html"},
        {"name without case", "content-type:\ttext/html\r\n\r\n", true, "text/html"},
        {"encoded word kept", "Content-Type: a/b; name=\"=?UTF-8?B?w6k=?=\"\r\n\r\n", true,
         "a/b; name=\"=?UTF-8?B?w6k=?=\""},
        {"fold kept", "Content-Type: a/b;\r\n\tname=x\r\nX: y\r\n\r\n", true, "a/b;\r\n\tname=x"},
        {"first of two", "Content-Type: a/b\r\nContent-Type: c/d\r\n\r\n", true, "a/b"},
        {"stray continuation skipped", " junk\r\nContent-Type: a/b\r\n\r\n", true, "a/b"},
        {"blank before colon is another name", "Content-Type : a/b\r\n\r\n", false, ""},
        {"field in the body not seen", "X: 1\r\n\r\nContent-Type: a/b\r\n", false, ""},
        {"empty value", "Content-Type:\r\n\r\n", true, ""},
        {"last line without line end", "X: 1\r\nContent-Type: a/b", true, "a/b"},
        {"unreadable line before it", "X: 1\r\n \r\n\r\nContent-Type: a/b\r\n", false, ""},
        {"empty text", "", false, ""},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldSpan span;
        ASSERT_EQ(FindFieldSpan(c.text.c_str(), static_cast<ptrdiff_t>(c.text.size()),
                                "Content-Type", span),
                  c.found);
        if (c.found) {
            EXPECT_EQ(c.text.substr(static_cast<size_t>(span.valueStart),
                                    static_cast<size_t>(span.valueEnd - span.valueStart)),
                      c.raw);
        }
    }
}

template <size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// The fields end where the header parser's blank line starts.
TEST(HeaderFieldsEnd, AgreesWithTheHeaderParser) {
    const std::string texts[] = {
        Bytes("A: 1\r\nB: 2\r\n\r\nbody"),
        Bytes("\r\nbody"),
        Bytes("A: 1\r\n"),
        Bytes("A: 1"),
        Bytes("A: 1\r\n\tmore\r\n\r\nx"),
        Bytes(" stray\r\nA: 1\r\n\r\n"),
        Bytes(""),
        Bytes("A: 1\r\n\0x"),
        Bytes("no colon\r\n\r\nbody"),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        HeaderBlock block;
        const int parsed = block.Parse(text.c_str(), static_cast<int>(text.size()));
        EXPECT_EQ(HeaderFieldsEnd(text.c_str(), static_cast<ptrdiff_t>(text.size())), parsed - 2);
    }
    EXPECT_EQ(HeaderFieldsEnd(" \r\n\r\n", 5), -1);
}

}  // namespace
}  // namespace vellumo::test
