#include "translate/raw_children.h"

#include <gtest/gtest.h>

#include "translate/driver_fixture.h"

namespace vellumo {
namespace {

struct SplitCase {
    const char* name;
    std::string entity;
    std::vector<std::string> expected;
};

TEST(RawChildTexts, SplitsAtWholeDelimiterLinesOnly) {
    const std::string head = "Content-Type: multipart/alternative; boundary=b\r\n\r\n";
    const SplitCase cases[] = {
        {"two children, preamble and epilogue",
         head + WithCrLf("preamble\n--b\nA: 1\n\none\n--b\n\ntwo\n--b--\nepilogue\n"),
         {"A: 1\r\n\r\none", "\r\ntwo"}},
        {"first delimiter right after the header", head + WithCrLf("--b\n\nx\n--b--\n"), {"\r\nx"}},
        {"blanks after delimiters", head + WithCrLf("--b \t\n\nx\n--b-- \n"), {"\r\nx"}},
        {"a longer boundary is content",
         head + WithCrLf("--b\n\n--b.inner\nin\n--b.inner--\n--b--\n"),
         {"\r\n--b.inner\r\nin\r\n--b.inner--"}},
        {"text after the boundary is content",
         head + WithCrLf("--b\n\n--b x\n--b--\n"),
         {"\r\n--b x"}},
        {"missing close delimiter runs to the end",
         head + WithCrLf("--b\n\nx\n--b\n\n"),
         {"\r\nx", "\r\n"}},
        {"adjacent delimiters give an empty child",
         head + WithCrLf("--b\n--b\n\nx\n--b--\n"),
         {"", "\r\nx"}},
        {"last delimiter without its line end ends the reading",
         head + "--b\r\n\r\nx\r\n--b",
         {"\r\nx\r\n--b"}},
        {"no boundary in the body", head + "plain text", {}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> got;
        for (std::string_view child : RawChildTexts(c.entity, "b")) {
            got.emplace_back(child);
        }
        EXPECT_EQ(got, c.expected);
    }
}

TEST(RawChildTexts, EmptyBoundaryOrUnreadableHeaderGivesNothing) {
    EXPECT_TRUE(RawChildTexts("Content-Type: x\r\n\r\n--\r\n\r\na\r\n----\r\n", "").empty());
    EXPECT_TRUE(RawChildTexts(" stray\r\n\r\n--b\r\n\r\na\r\n--b--\r\n", "b").empty());
}

}  // namespace
}  // namespace vellumo
