#include <gtest/gtest.h>

#include <string>

#include "codec/base64_codec.h"
#include "codec_test_support.h"

namespace vellumo::test {
namespace {

struct EncodeCase {
    const char* name;
    std::string input;
    bool lineBreaking;
    std::string expected;
};

std::string Repeat(char c, size_t n) {
    return std::string(n, c);
}

// 57 "x" bytes encode to 19 groups of "eHh4".
std::string XLine(int groups) {
    std::string line;
    for (int i = 0; i < groups; ++i) {
        line += "eHh4";
    }
    return line;
}

const EncodeCase kEncodeCases[] = {
    {"empty_yields_nothing", "", true, ""},
    {"three_bytes_no_padding", "abc", false, "YWJj"},
    {"three_bytes_with_line_end", "abc", true, "YWJj\r\n"},
    {"one_leftover_two_pads", "a", false, "YQ=="},
    {"two_leftover_one_pad", "ab", false, "YWI="},
    {"high_bytes", "\xFF\xFE\xFD", false, "//79"},
    {"57_bytes_one_line_one_crlf", Repeat('x', 57), true, XLine(19) + "\r\n"},
    {"58_bytes_two_lines", Repeat('x', 58), true, XLine(19) + "\r\neA==\r\n"},
    {"114_bytes_two_full_lines", Repeat('x', 114), true, XLine(19) + "\r\n" + XLine(19) + "\r\n"},
    {"60_bytes_without_breaks", Repeat('x', 60), false, XLine(20)},
};

TEST(Base64Encode, Table) {
    for (const EncodeCase& test : kEncodeCases) {
        SCOPED_TRACE(test.name);
        Base64Codec codec(test.lineBreaking);
        EXPECT_EQ(EncodeAll(codec, test.input), test.expected);
    }
}

struct DecodeCase {
    const char* name;
    std::string input;
    std::string expected;
};

const DecodeCase kDecodeCases[] = {
    {"line_break_skipped", "QUJD\r\nREVG", "ABCDEF"},
    {"padding_ends_group", "QUI=", "AB"},
    {"padding_ends_group_and_more_follows", "QQ==QUJD", "AABC"},
    {"space_inside_group_skipped", "QU JD", "ABC"},
    {"tab_skipped", "QUJD\tREVG", "ABCDEF"},
    {"trailing_blank_on_line_keeps_rest", "QUJD \r\nREVG", "ABCDEF"},
    {"bare_lf_skipped", "QUJD\nREVG", "ABCDEF"},
    {"stray_byte_skipped", "QUJD*REVG", "ABCDEF"},
    {"high_byte_skipped", "QUJD\xC3REVG", "ABCDEF"},
    {"nul_skipped", std::string("QUJD\0REVG", 9), "ABCDEF"},
    {"unfinished_group_bits_dropped", "QUJDR", "ABC"},
    {"two_chars_give_one_byte", "QU", "A"},
    {"three_chars_give_two_bytes", "QUJ", "AB"},
    {"url_safe_minus_skipped", "QUJD-REVG", "ABCDEF"},
    {"plus_and_slash", "+/+/", "\xFB\xFF\xBF"},
    {"stray_bang_inside_a_line", "SGVsbG8s\r\nIHdv!cmxk\r\nIQ==", "Hello, world!"},
    {"last_group_of_five_keeps_whole_bytes", "SGVsbG8sIHdvcmxkIQ", "Hello, world!"},
    {"joined_padded_parts", "SGk=\r\nSGk=", "HiHi"},
    {"every_line_padded", "SG==\r\nSGk=\r\nSQ==\r\n", "HHiI"},
    {"empty", "", ""},
};

TEST(Base64Decode, Table) {
    for (const DecodeCase& test : kDecodeCases) {
        SCOPED_TRACE(test.name);
        Base64Codec codec;
        EXPECT_EQ(DecodeAll(codec, test.input), test.expected);
    }
}

// A mailing list's footer appended after a padded base64 body was decoded
// as base64 too, and garbage bytes followed the text.
TEST(Base64Decode, TextAfterPaddingIsNotData) {
    const DecodeCase cases[] = {
        {"list_footer", "SGk=\r\n-- \r\nList footer: http://lists.example.org/x\r\n", "Hi"},
        {"footer_of_alphabet_letters_only", "SGk=\r\nThanks\r\n", "Hi"},
        {"two_pads_then_a_word", "SQ==\r\nfooter\r\n", "I"},
        {"groups_then_a_footer", "SGk=SGk=\r\nfooter", "Hi"},
        {"unpadded_last_group_is_no_whole_group", "SGk=SGk", "Hi"},
        {"padding_inside_a_following_group", "SGk=S=Gk", "Hi"},
        {"padding_with_line_end_inside", "SG=\r\n=\r\nSGk=", "HHi"},
    };
    for (const DecodeCase& test : cases) {
        SCOPED_TRACE(test.name);
        Base64Codec codec;
        EXPECT_EQ(DecodeAll(codec, test.input), test.expected);
    }
}

// A line with a trailing blank used to end decoding there, losing the rest
// of the attachment.
TEST(Base64Decode, TrailingBlankOnLineDoesNotTruncateAttachment) {
    std::string data;
    for (int i = 0; i < 300; ++i) {
        data += static_cast<char>(i * 7);
    }
    Base64Codec encoder(true);
    std::string encoded = EncodeAll(encoder, data);
    std::string withBlanks;
    for (char c : encoded) {
        if (c == '\r') {
            withBlanks += " \t";
        }
        withBlanks += c;
    }
    Base64Codec decoder;
    EXPECT_EQ(DecodeAll(decoder, withBlanks), data);
}

struct LengthCase {
    const char* name;
    int32_t sourceLength;
    bool lineBreaking;
    int32_t encoded;
    int32_t decoded;
};

const LengthCase kLengthCases[] = {
    {"four_decodes_to_five", 4, true, 10, 5},         {"three_with_breaks_is_six", 3, true, 6, 4},
    {"three_without_breaks_is_four", 3, false, 4, 4}, {"zero", 0, true, 2, 2},
    {"fifty_seven", 57, true, 76 + 2 + 2, 44},        {"negative_counts_as_zero", -5, false, 0, 2},
};

TEST(Base64Length, Table) {
    for (const LengthCase& test : kLengthCases) {
        SCOPED_TRACE(test.name);
        Base64Codec codec(test.lineBreaking);
        codec.sourceLength = test.sourceLength;
        EXPECT_EQ(codec.EncodedLength(), test.encoded);
        EXPECT_EQ(codec.DecodedLength(), test.decoded);
    }
}

TEST(Base64Length, HugeInputSaturatesInsteadOfWrapping) {
    Base64Codec codec(true);
    codec.sourceLength = INT32_MAX;
    EXPECT_EQ(codec.EncodedLength(), INT32_MAX);
    EXPECT_GT(codec.DecodedLength(), 0);
}

struct CapacityCase {
    const char* name;
    std::string input;
    bool lineBreaking;
    int32_t capacity;
    std::string expected;
};

const CapacityCase kCapacityCases[] = {
    {"padding_omitted_when_it_does_not_fit", "a", false, 3, "YQ"},
    {"padding_written_when_it_fits", "a", false, 4, "YQ=="},
    {"group_cut_at_capacity", "abcabc", false, 6, "YWJjYW"},
    {"final_crlf_omitted_without_room", "abc", true, 5, "YWJj"},
    {"zero_capacity", "abc", true, 0, ""},
    {"line_end_right_after_76th_char", Repeat('x', 60), true, 78, XLine(19) + "\r\n"},
    {"characters_go_on_without_room_for_line_end", Repeat('x', 60), true, 77, XLine(19) + "e"},
};

TEST(Base64Encode, StopsAtCapacity) {
    for (const CapacityCase& test : kCapacityCases) {
        SCOPED_TRACE(test.name);
        Base64Codec codec(test.lineBreaking);
        codec.source = test.input.data();
        codec.sourceLength = static_cast<int32_t>(test.input.size());
        codec.encoding = true;
        EXPECT_EQ(RunWithCapacity(codec, test.capacity), test.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
