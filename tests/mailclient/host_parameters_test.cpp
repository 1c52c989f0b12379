#include "mailclient/host_parameters.h"

#include <gtest/gtest.h>

namespace vellumo::test {
namespace {

TEST(HostParameters, ReadAsTheHostReadsThem) {
    struct Case {
        const char* name;
        std::string value;
        HostParameters expected;
    };
    const Case cases[] = {
        {"quoted and bare",
         " text/plain; charset=utf-8; name=\"a b.txt\"",
         {{"charset", "utf-8"}, {"name", "a b.txt"}}},
        {"bare value ends at a blank, the rest of the line goes",
         " application/octet-stream; name=Meeting notes; inline4attachment=yes",
         {{"name", "Meeting"}}},
        {"marker first is read",
         " application/octet-stream; inline4attachment=yes; name=a b",
         {{"inline4attachment", "yes"}, {"name", "a"}}},
        {"a fold starts a new line that is read",
         " application/octet-stream; name=a b;\r\n x=1",
         {{"name", "a"}, {"x", "1"}}},
        {"backslash quotes the next byte", " x/y; n=\"a\\\"b\\\\c\"", {{"n", "a\"b\\c"}}},
        {"semicolon inside quotes", " x/y; n=\"a;b\"; m=c", {{"n", "a;b"}, {"m", "c"}}},
        {"blanks around the equals sign", " x/y;n = v", {{"n", "v"}}},
        {"parameter without a value is skipped", " x/y; flag; n=v", {{"n", "v"}}},
        {"unterminated quote runs to the end", " x/y; n=\"abc", {{"n", "abc"}}},
        {"nothing after the type", " x/y", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadHostParameters(c.value), c.expected) << c.name;
    }
}

TEST(HostParameters, QuotedOnlyForBytesOtherThanLettersDigitsSpacesAndAtomMarks) {
    struct Case {
        const char* value;
        const char* written;
    };
    const Case cases[] = {
        {"Meeting notes", "Meeting notes"},
        {"a  b", "a  b"},
        {"x!#$%&'*+-^_`{|}~", "x!#$%&'*+-^_`{|}~"},
        {"Photo 1.jpg", "\"Photo 1.jpg\""},
        {"a/b", "\"a/b\""},
        {"a=b", "\"a=b\""},
        {"a?b", "\"a?b\""},
        {"<a>", "\"<a>\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"back\\slash", "\"back\\slash\""},
        {"tab\there", "\"tab\there\""},
        {"caf\xC3\xA9", "\"caf\xC3\xA9\""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HostQuotedValue(c.value), c.written) << c.value;
    }
}

}  // namespace
}  // namespace vellumo::test
