// The similarity measure of the browser-agreement test against values
// Python's difflib gives for the same sequences.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/html_sequence_matcher.h"

namespace vellumo::test {
namespace {

std::vector<std::string> Repeat(const std::string& word, int count) {
    return std::vector<std::string>(count, word);
}

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        words.push_back("w" + std::to_string(i));
    }
    return words;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct RatioCase {
    const char* name;
    std::vector<std::string> a;
    std::vector<std::string> b;
    double difflib;  // difflib.SequenceMatcher(None, a, b).ratio()
};

TEST(HtmlSequenceMatcher, RatioAgreesWithDifflib) {
    const RatioCase cases[] = {
        {"both empty", {}, {}, 1.0},
        {"equal", SplitWords("a b c"), SplitWords("a b c"), 1.0},
        {"disjoint", SplitWords("x y z"), SplitWords("a b c"), 0.0},
        {"one word replaced and one added", SplitWords("the cat sat on the mat"),
         SplitWords("the cat sat on a mat today"), 0.7692307692307693},
        {"overlapping repeats", SplitWords("a b a b a b"), SplitWords("b a b a"), 0.8},
        {"long sequences moved apart", Concat(Repeat("x", 5), Numbered(300)),
         Concat(Numbered(300), Repeat("x", 5)), 0.9836065573770492},
        {"popular elements are junk", Concat(Repeat("a", 150), Repeat("b", 150)),
         Concat(Repeat("b", 150), Repeat("a", 150)), 0.0},
    };
    for (const RatioCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(SequenceMatcher(c.a, c.b).Ratio(), c.difflib, 1e-12);
    }
}

TEST(HtmlSequenceMatcher, SplitsAtUnicodeWhiteSpace) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> words;
    } cases[] = {
        {"ascii", " a\tb\r\nc ", {"a", "b", "c"}},
        {"no-break space",
         "a\xC2\xA0"
         "b",
         {"a", "b"}},
        {"ideographic space",
         "a\xE3\x80\x80"
         "b",
         {"a", "b"}},
        {"other letters kept", "\xC3\xA9t\xC3\xA9", {"\xC3\xA9t\xC3\xA9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitWords(c.text), c.words);
    }
    EXPECT_EQ(NormalisedLines("a  b\r\n\r\n  \r\nc\n"), (std::vector<std::string>{"a b", "c"}));
}

}  // namespace
}  // namespace vellumo::test
