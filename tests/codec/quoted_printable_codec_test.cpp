#include <gtest/gtest.h>

#include <string>

#include "codec/quoted_printable_codec.h"
#include "codec_test_support.h"

namespace vellumo::test {
namespace {

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += text;
    }
    return out;
}

struct EncodeCase {
    const char* name;
    std::string input;
    bool binary;
    std::string expected;
};

const EncodeCase kEncodeCases[] = {
    {"inner_space_literal", "a b", false, "a b"},
    {"space_at_end_escaped", "a ", false, "a=20"},
    {"tab_at_end_escaped", "a\t", false, "a=09"},
    {"space_before_crlf_escaped", "a \r\nb", false, "a=20\r\nb"},
    {"tab_before_crlf_escaped", "a\t\r\nb", false, "a=09\r\nb"},
    {"equals_escaped", "=", false, "=3D"},
    {"high_byte_escaped", "\xE9", false, "=E9"},
    {"crlf_passes", "a\r\nb\r\n", false, "a\r\nb\r\n"},
    {"control_escaped", std::string("a\0\x1B", 3), false, "a=00=1B"},
    {"delete_escaped", "\x7F", false, "=7F"},
    {"lone_dot_line_escaped", "a\r\n.\r\nb", false, "a\r\n=2E\r\nb"},
    {"dot_at_start_literal", ".\r\nb", false, ".\r\nb"},
    {"dot_in_text_literal", "a.b\r\n.x\r\n", false, "a.b\r\n.x\r\n"},
    {"dot_at_end_after_crlf_literal", "a\r\n.", false, "a\r\n."},
    {"binary_crlf_escaped", "a\r\nb", true, "a=0D=0Ab"},
    {"binary_space_before_cr_literal", "a \r\n", true, "a =0D=0A"},
    {"binary_dot_line_literal", "a\r\n.\r\n", true, "a=0D=0A.=0D=0A"},
    {"binary_space_at_end_escaped", "a ", true, "a=20"},
    {"hundred_x", std::string(100, 'x'), false,
     std::string(75, 'x') + "=\r\n" + std::string(25, 'x')},
    {"exactly_75_no_break", std::string(75, 'x'), false, std::string(75, 'x')},
    {"76_breaks_before_last", std::string(76, 'x'), false, std::string(75, 'x') + "=\r\nx"},
    {"break_after_last_space", Repeat("word ", 15) + "tail", false,
     Repeat("word ", 14) + "word =\r\ntail"},
    {"escape_never_split", std::string(74, 'x') + "\xE9", false, std::string(74, 'x') + "=\r\n=E9"},
    {"space_ending_a_literal_run_before_crlf", "abcdefg \r\nhijklmnop", false,
     "abcdefg=20\r\nhijklmnop"},
    {"lone_dot_after_literal_runs", "abcdefghij\r\n.\r\nklmnopqrst", false,
     "abcdefghij\r\n=2E\r\nklmnopqrst"},
    {"crlf_after_75_needs_no_soft_break", std::string(75, 'x') + "\r\n" + std::string(80, 'y'),
     false, std::string(75, 'x') + "\r\n" + std::string(75, 'y') + "=\r\nyyyyy"},
    {"crlf_resets_line", std::string(70, 'x') + "\r\n" + std::string(70, 'y'), false,
     std::string(70, 'x') + "\r\n" + std::string(70, 'y')},
    // A lone CR or LF is escaped: raw, the reader would take it for a line end.
    {"lone_lf_escaped", "a\nb", false, "a=0Ab"},
    {"lone_cr_escaped", "a\rb", false, "a=0Db"},
    {"cr_cr_lf", "a\r\r\nb", false, "a=0D\r\nb"},
    {"lf_cr_escapes_both", "a\n\rb", false, "a=0A=0Db"},
    {"space_before_lone_cr_literal", "a \rb", false, "a =0Db"},
    // A literal "--" at a line start could be taken for a delimiter.
    {"dash_starting_text_escaped", "--b1", false, "=2D-b1"},
    {"dash_after_crlf_escaped", "a\r\n--b1--\r\n", false, "a\r\n=2D-b1--\r\n"},
    {"dash_inside_line_literal", "a-b --c", false, "a-b --c"},
    {"dash_in_long_literal_run_after_crlf", "abcdefghij\r\n-- signature text here\r\n", false,
     "abcdefghij\r\n=2D- signature text here\r\n"},
    {"binary_dash_at_start_escaped", "-x", true, "=2Dx"},
    {"dash_after_soft_break_escaped", std::string(75, 'x') + "-y", false,
     std::string(75, 'x') + "=\r\n=2Dy"},
    {"dash_not_moved_to_line_start", std::string(60, 'x') + " " + std::string(14, '-') + "zz",
     false, std::string(60, 'x') + " " + std::string(14, '-') + "=\r\nzz"},
};

TEST(QuotedPrintableEncode, Table) {
    for (const EncodeCase& test : kEncodeCases) {
        SCOPED_TRACE(test.name);
        QuotedPrintableCodec codec(test.binary);
        EXPECT_EQ(EncodeAll(codec, test.input), test.expected);
    }
}

// The bytes behind the last blank used to be moved onto the next line even
// when that line could then not take the next escape, leaving 77 characters.
TEST(QuotedPrintableEncode, SoftBreakMoveNeverMakesLongLine) {
    const std::string input = "x " + std::string(73, 'y') + "\xE9" + std::string(80, 'z');
    QuotedPrintableCodec codec(false);
    const std::string encoded = EncodeAll(codec, input);
    EXPECT_LE(LongestLine(encoded), 76u);
    QuotedPrintableCodec decoder;
    EXPECT_EQ(DecodeAll(decoder, encoded), input);
}

TEST(QuotedPrintableEncode, MoveKeepsSpaceAtEndOfBrokenLine) {
    const std::string input = std::string(70, 'a') + " bcdefghij";
    QuotedPrintableCodec codec(false);
    EXPECT_EQ(EncodeAll(codec, input), std::string(70, 'a') + " =\r\nbcdefghij");
}

TEST(QuotedPrintableEncode, SpaceThatWouldOverflowStartsNextLine) {
    const std::string input = std::string(75, 'a') + " b";
    QuotedPrintableCodec codec(false);
    EXPECT_EQ(EncodeAll(codec, input), std::string(75, 'a') + "=\r\n b");
}

// A lone LF in text mode used to be written raw and came back as a line end.
TEST(QuotedPrintableEncode, LoneLineEndsSurviveRoundTrip) {
    const std::string input = "one\ntwo\rthree\r\nfour \n";
    QuotedPrintableCodec encoder(false);
    QuotedPrintableCodec decoder;
    EXPECT_EQ(DecodeAll(decoder, EncodeAll(encoder, input)), input);
}

// A body holding "\r\n--boundary" was written with that line literal, and
// the rewritten message then split the part at it.
TEST(QuotedPrintableEncode, NoEncodedLineStartsWithDash) {
    std::string input;
    for (int i = 0; i < 400; ++i) {
        input += std::string(static_cast<size_t>(i % 90), i % 3 == 0 ? ' ' : 'a') + "--boundary";
        input += i % 5 == 0 ? "\r\n" : " ";
    }
    for (bool binary : {false, true}) {
        QuotedPrintableCodec encoder(binary);
        const std::string encoded = EncodeAll(encoder, input);
        EXPECT_NE(encoded.compare(0, 1, "-"), 0);
        EXPECT_EQ(encoded.find("\n-"), std::string::npos) << "binary " << binary;
        EXPECT_LE(LongestLine(encoded), 76u);
        QuotedPrintableCodec decoder;
        EXPECT_EQ(DecodeAll(decoder, encoded), input);
    }
}

struct DecodeCase {
    const char* name;
    std::string input;
    std::string expected;
};

const DecodeCase kDecodeCases[] = {
    {"upper_escape", "=41", "A"},
    {"lower_second_digit", "=4a", "J"},
    {"soft_break_vanishes", "ab=\r\ncd", "abcd"},
    {"soft_break_alone", "=\r\n", ""},
    {"equals_at_end_is_soft_break", "abc=", "abc"},
    {"cut_escape_kept", "ab=4", "ab=4"},
    {"double_equals_keeps_first", "==41", "=A"},
    {"equals_lf_kept", "a=\nb", "a=\nb"},
    {"equals_space_kept", "a= b", "a= b"},
    {"trailing_space_kept", "a  \r\nb", "a  \r\nb"},
    {"non_hex_second_digit_kept", "=4G", "=4G"},
    {"underscore_is_plain", "a_b", "a_b"},
    {"high_bytes_copied", "\xE9\xFF", "\xE9\xFF"},
    // A lower-case first digit before a hex digit is an escape.
    {"lower_first_digit", "caf=e9", "caf\xE9"},
    {"lower_both_digits", "=c3=a9", "\xC3\xA9"},
    {"lower_first_digit_upper_second", "=aF", "\xAF"},
    {"lower_first_non_hex_second_kept", "=ag", "=ag"},
    {"lower_g_not_digit", "=g1", "=g1"},
    {"bare_attribute_equals_kept", "<a href=\"http://x/\">", "<a href=\"http://x/\">"},
    {"soft_break_after_transport_blanks", "ab= \t\r\ncd", "abcd"},
    {"blanks_after_equals_at_end", "ab=  ", "ab"},
};

TEST(QuotedPrintableDecode, Table) {
    for (const DecodeCase& test : kDecodeCases) {
        SCOPED_TRACE(test.name);
        QuotedPrintableCodec codec;
        EXPECT_EQ(DecodeAll(codec, test.input), test.expected);
    }
}

TEST(QuotedPrintableDecode, LowerCaseFirstHexDigitIsDecoded) {
    QuotedPrintableCodec codec;
    EXPECT_EQ(DecodeAll(codec, "=a4"), "\xA4");
}

TEST(QuotedPrintableDecode, EncodedWordTextTurnsUnderscoreIntoSpace) {
    const std::string text = "Hello_World=5F";
    char out[32];
    const int32_t n = DecodeQuotedPrintable(text.data(), static_cast<int32_t>(text.size()), out,
                                            sizeof out, true);
    EXPECT_EQ(std::string(out, static_cast<size_t>(n)), "Hello World_");
}

struct EstimateCase {
    const char* name;
    std::string input;
    int32_t expected;
};

const EstimateCase kEstimateCases[] = {
    {"alnum_only", "abc", 3},
    {"space_counts_three", "a b", 5},
    {"high_byte_counts_three", "\xE9", 3},
    {"break_allowance", std::string(74, 'x'), 80},
    {"empty", "", 0},
};

TEST(QuotedPrintableLength, Table) {
    for (const EstimateCase& test : kEstimateCases) {
        SCOPED_TRACE(test.name);
        QuotedPrintableCodec codec;
        codec.source = test.input.data();
        codec.sourceLength = static_cast<int32_t>(test.input.size());
        EXPECT_EQ(codec.EncodedLength(), test.expected);
        EXPECT_EQ(codec.DecodedLength(), static_cast<int32_t>(test.input.size()));
    }
}

struct CapacityCase {
    const char* name;
    std::string input;
    int32_t capacity;
    std::string expected;
};

const CapacityCase kCapacityCases[] = {
    {"escape_that_does_not_fit_dropped",
     "a\xE9"
     "b",
     3, "ab"},
    {"literal_fills_last_byte", "abc", 2, "ab"},
    {"zero", "abc", 0, ""},
};

TEST(QuotedPrintableEncode, StopsAtCapacity) {
    for (const CapacityCase& test : kCapacityCases) {
        SCOPED_TRACE(test.name);
        QuotedPrintableCodec codec(false);
        codec.source = test.input.data();
        codec.sourceLength = static_cast<int32_t>(test.input.size());
        codec.encoding = true;
        EXPECT_EQ(RunWithCapacity(codec, test.capacity), test.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
