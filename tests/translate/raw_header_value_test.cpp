#include "translate/raw_header_value.h"

#include <gtest/gtest.h>

namespace vellumo {
namespace {

struct RawCase {
    const char* name;
    std::string text;
    bool found;
    std::string raw;
};

TEST(FindRawFieldValue, Table) {
    const RawCase cases[] = {
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
        {"empty text", "", false, ""},
    };
    for (const RawCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string raw;
        EXPECT_EQ(
            FindRawFieldValue(c.text.c_str(), static_cast<int>(c.text.size()), "Content-Type", raw),
            c.found);
        if (c.found) {
            EXPECT_EQ(raw, c.raw);
        }
    }
}

}  // namespace
}  // namespace vellumo
