#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/scan_segment.h"

namespace vellumo::test {
namespace {

struct ScanCase {
    const char* name;
    std::string text;
    int32_t initialState;
    // Each segment as "text|high" in order, the delimiter dropped.
    std::vector<std::string> segments;
};

const ScanCase kScanCases[] = {
    {"words_split_at_spaces", "ab cd", kScanOutside, {"ab|0", "cd|0"}},
    {"specials_split", "a,b;c=d", kScanOutside, {"a|0", "b|0", "c|0", "d|0"}},
    {"slash_and_question_do_not_split", "a/b?c-d", kScanOutside, {"a/b?c-d|0"}},
    {"quoted_string_one_segment",
     "x \"a b, c\" y",
     kScanOutside,
     {"x|0", "|0", "a b, c|0", "|0", "y|0"}},
    {"comment_one_segment", "(a b) c", kScanOutside, {"|0", "a b|0", "|0", "c|0"}},
    {"angle_address_one_segment",
     "J\xF6rg <j@x.org>",
     kScanOutside,
     {"J\xF6rg|1", "|0", "j@x.org|0", ""}},
    {"whole_value_never_split", "a, b \"c\" (d)", kScanWhole, {"a, b \"c\" (d)|0"}},
    {"high_bytes_counted", "\xE9t\xE9 x", kScanOutside, {"\xE9t\xE9|2", "x|0"}},
    {"high_bytes_inside_quotes", "\"\xE9 \xE9\"", kScanOutside, {"|0", "\xE9 \xE9|2", ""}},
    {"unclosed_quote_runs_to_end", "\"a b", kScanOutside, {"|0", "a b|0"}},
    // Controls and stray line ends need encoding, so they stay inside
    // the segment and are counted.
    {"escape_counted", "a\x1B$Bb c", kScanOutside, {"a\x1B$Bb|1", "c|0"}},
    {"nul_counted", std::string("a\0b c", 5), kScanOutside, {std::string("a\0b|1", 5), "c|0"}},
    {"vertical_tab_counted", "a\vb", kScanOutside, {"a\vb|1"}},
    {"lone_lf_counted", "a\nb", kScanOutside, {"a\nb|1"}},
    {"crlf_without_blank_counted", "a\r\nb", kScanOutside, {"a\r\nb|2"}},
    {"fold_splits", "a\r\n b", kScanOutside, {"a|0", "|0", "|0", "b|0"}},
    {"fold_in_whole_value_not_counted", "a\r\n\tb", kScanWhole, {"a\r\n\tb|0"}},
    {"tab_splits", "a\tb", kScanOutside, {"a|0", "b|0"}},
};

std::vector<std::string> Segments(const std::string& text, int32_t state) {
    std::vector<std::string> segments;
    int32_t position = 0;
    const int32_t length = static_cast<int32_t>(text.size());
    while (position < length) {
        int32_t high = -1;
        const int32_t segment = ScanSegment(text.data() + position, length - position, state, high);
        EXPECT_GE(segment, 0);
        EXPECT_LE(segment, length - position);
        segments.push_back(
            text.substr(static_cast<size_t>(position), static_cast<size_t>(segment)) + "|" +
            std::to_string(high));
        position += segment + 1;
        if (position == length) {
            segments.push_back("");  // the value ended with a delimiter
        }
    }
    return segments;
}

TEST(ScanSegment, Table) {
    for (const ScanCase& test : kScanCases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Segments(test.text, test.initialState), test.segments);
    }
}

struct StateCase {
    const char* name;
    std::string text;
    int32_t stateAfter;
};

const StateCase kStateCases[] = {
    {"quote_opens", "a\"b", '"'},
    {"paren_opens", "a(b", ')'},
    {"angle_opens", "a<b", '>'},
    {"comma_keeps_outside", "a,b", kScanOutside},
};

TEST(ScanSegment, DelimiterSetsState) {
    for (const StateCase& test : kStateCases) {
        SCOPED_TRACE(test.name);
        int32_t state = kScanOutside;
        int32_t high = 0;
        EXPECT_EQ(
            ScanSegment(test.text.data(), static_cast<int32_t>(test.text.size()), state, high), 1);
        EXPECT_EQ(state, test.stateAfter);
    }
}

TEST(ScanSegment, EmptyAndNullText) {
    int32_t state = kScanOutside;
    int32_t high = 7;
    EXPECT_EQ(ScanSegment(nullptr, 5, state, high), 0);
    EXPECT_EQ(high, 0);
    EXPECT_EQ(ScanSegment("abc", 0, state, high), 0);
}

}  // namespace
}  // namespace vellumo::test
