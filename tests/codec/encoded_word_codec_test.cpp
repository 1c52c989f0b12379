#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/encoded_word_codec.h"
#include "codec_test_support.h"

namespace vellumo::test {
namespace {

struct DecodeCase {
    const char* name;
    std::string input;
    std::string expected;
    std::string charset;
};

const DecodeCase kDecodeCases[] = {
    {"b_word", "=?us-ascii?B?YWJj?=", "abc", "us-ascii"},
    {"q_word", "=?iso-8859-1?Q?caf=E9?=", "caf\xE9", "iso-8859-1"},
    {"lower_letters", "=?x?b?YWJj?= =?x?q?d?=", "abcd", "x"},
    {"space_between_words_dropped", "=?x?Q?a?= =?x?Q?b?=", "ab", "x"},
    {"fold_between_words_dropped", "=?x?Q?a?=\r\n =?x?Q?b?=", "ab", "x"},
    {"words_inside_text", "a =?x?Q?b?= c", "a b c", "x"},
    {"leading_space_kept", "  =?x?Q?a?=", "  a", "x"},
    {"trailing_space_kept", "=?x?Q?a?=  ", "a  ", "x"},
    {"unknown_letter_copied", "=?x?Z?abc?=", "=?x?Z?abc?=", "x"},
    {"unclosed_word_to_end", "=?x?Q?abc", "abc", "x"},
    {"first_charset_kept", "=?one?Q?a?= =?two?Q?b?=", "ab", "one"},
    {"no_words", "plain text,\r\n folded", "plain text,\r\n folded", ""},
    {"lone_equals_question", "a =? b", "a =? b", ""},
    {"no_second_question", "=?x?", "=?x?", ""},
    {"text_start_at_end", "=?x?Q?", "=?x?Q?", ""},
    {"b_skips_bad_byte", "=?x?B?YW*J?=", "ab", "x"},
    {"q_underscore_is_space", "=?utf-8?Q?Hello_World?=", "Hello World", "utf-8"},
    {"q_escaped_underscore", "=?x?Q?a=5Fb?=", "a_b", "x"},
    {"empty_text",
     "=?x?Q?"
     "?=b",
     "b", "x"},
    {"adjacent_words_no_space", "=?x?Q?a?==?x?Q?b?=", "ab", "x"},
    // A word needs a printable charset name, and white space before
    // something that does not decode is kept.
    {"empty_charset_not_a_word", "=??Q?a=0D=0Ab?=", "=??Q?a=0D=0Ab?=", ""},
    {"charset_with_space_not_a_word", "=?a b?Q?c?=", "=?a b?Q?c?=", ""},
    {"space_before_unknown_letter_kept", "=?x?Q?a?= =?x?Z?b?=", "a =?x?Z?b?=", "x"},
    {"space_before_malformed_kept", "=?x?Q?a?= =?bad", "a =?bad", "x"},
};

std::string Decode(EncodedWordCodec& codec, const std::string& input) {
    return DecodeAll(codec, input);
}

TEST(EncodedWordDecode, Table) {
    for (const DecodeCase& test : kDecodeCases) {
        SCOPED_TRACE(test.name);
        EncodedWordCodec codec;
        codec.charset = "stale";
        EXPECT_EQ(Decode(codec, test.input), test.expected);
        EXPECT_EQ(codec.charset, test.charset);
    }
}

TEST(EncodedWordDecode, TruncatesAtCapacity) {
    EncodedWordCodec codec;
    const std::string input = "ab =?x?Q?cdef?= gh";
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    for (int32_t capacity = 0; capacity <= 9; ++capacity) {
        SCOPED_TRACE(capacity);
        EXPECT_EQ(RunWithCapacity(codec, capacity),
                  std::string("ab cdef gh").substr(0, static_cast<size_t>(capacity)));
    }
}

struct EncodeCase {
    const char* name;
    std::string input;
    std::string charset;
    char letter;
    std::string expected;
};

const EncodeCase kEncodeCases[] = {
    {"q_word", "caf\xE9 au lait", "iso-8859-1", 'Q', "=?iso-8859-1?Q?caf=E9=20au=20lait?="},
    {"q_escapes_specials", "a=b?c_d", "x", 'q', "=?x?Q?a=3Db=3Fc=5Fd?="},
    {"b_word", "abc", "x", 'B', "=?x?B?YWJj?="},
    {"b_lower_letter", "ab", "x", 'b', "=?x?B?YWI=?="},
    {"other_letter_is_q", "a", "x", 'Z', "=?x?Q?a?="},
    {"no_charset_copies", "caf\xE9", "", 'Q', "caf\xE9"},
    {"empty_input", "", "x", 'Q', ""},
};

TEST(EncodedWordEncode, Table) {
    for (const EncodeCase& test : kEncodeCases) {
        SCOPED_TRACE(test.name);
        EncodedWordCodec codec;
        codec.charset = test.charset;
        codec.letter = test.letter;
        EXPECT_EQ(EncodeAll(codec, test.input), test.expected);
    }
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    for (;;) {
        const size_t space = text.find(' ', start);
        words.push_back(text.substr(start, space - start));
        if (space == std::string::npos) {
            return words;
        }
        start = space + 1;
    }
}

std::string HighBytes(size_t count) {
    std::string bytes;
    for (size_t i = 0; i < count; ++i) {
        bytes += static_cast<char>(0x80 + (i * 37) % 128);
    }
    return bytes;
}

TEST(EncodedWordEncode, HundredHighBytesMakeThreeBWords) {
    EncodedWordCodec codec;
    codec.charset = "windows-1252";  // 12 bytes
    codec.letter = 'B';
    const std::string input = HighBytes(100);
    const std::string encoded = EncodeAll(codec, input);
    const std::vector<std::string> words = SplitWords(encoded);
    ASSERT_EQ(words.size(), 3u);
    const size_t expectedBytes[] = {42, 42, 16};
    for (size_t i = 0; i < words.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_LE(words[i].size(), 75u);
        EncodedWordCodec decoder;
        EXPECT_EQ(DecodeAll(decoder, words[i]).size(), expectedBytes[i]);
    }
    EncodedWordCodec decoder;
    EXPECT_EQ(DecodeAll(decoder, encoded), input);
}

TEST(EncodedWordEncode, QWordsBreakBeforeLimitAndNeverSplitEscapes) {
    for (const std::string charset : {"x", "iso-8859-1", "windows-1252"}) {
        SCOPED_TRACE(charset);
        EncodedWordCodec codec;
        codec.charset = charset;
        const std::string input = "ab" + HighBytes(60) + " plain text " + HighBytes(30);
        const std::string encoded = EncodeAll(codec, input);
        const std::string opening = "=?" + charset + "?Q?";
        for (const std::string& word : SplitWords(encoded)) {
            SCOPED_TRACE(word);
            EXPECT_LE(word.size(), 75u);
            ASSERT_EQ(word.compare(0, opening.size(), opening), 0);
            const std::string text = word.substr(opening.size(), word.size() - opening.size() - 2);
            EXPECT_LE(text.size(), 68u - charset.size());
            const size_t lastEquals = text.rfind('=');
            EXPECT_TRUE(lastEquals == std::string::npos || lastEquals + 3 <= text.size());
        }
        EncodedWordCodec decoder;
        EXPECT_EQ(DecodeAll(decoder, encoded), input);
    }
}

// Words in UTF-8 used to be cut wherever the byte count ran out, splitting
// characters between two words.
TEST(EncodedWordEncode, Utf8CharactersAreNeverSplitAcrossWords) {
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // é, €, 😀
    }
    for (const char letter : {'B', 'Q'}) {
        SCOPED_TRACE(letter);
        EncodedWordCodec codec;
        codec.charset = "UTF-8";
        codec.letter = letter;
        const std::string encoded = EncodeAll(codec, text);
        for (const std::string& word : SplitWords(encoded)) {
            SCOPED_TRACE(word);
            EXPECT_LE(word.size(), 75u);
            EncodedWordCodec decoder;
            const std::string bytes = DecodeAll(decoder, word);
            ASSERT_FALSE(bytes.empty());
            EXPECT_NE(static_cast<unsigned char>(bytes.front()) & 0xC0, 0x80)
                << "starts mid-character";
            size_t i = 0;
            while (i < bytes.size()) {
                const unsigned char lead = static_cast<unsigned char>(bytes[i]);
                i += lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            }
            EXPECT_EQ(i, bytes.size()) << "ends mid-character";
        }
        EncodedWordCodec decoder;
        EXPECT_EQ(DecodeAll(decoder, encoded), text);
    }
}

// A charset name that leaves no room for text used to loop or divide by zero.
TEST(EncodedWordEncode, OverlongCharsetCopiesBytes) {
    for (const size_t length : {65u, 68u, 70u, 200u}) {
        SCOPED_TRACE(length);
        for (const char letter : {'B', 'Q'}) {
            EncodedWordCodec codec;
            codec.charset = std::string(length, 'c');
            codec.letter = letter;
            EXPECT_EQ(EncodeAll(codec, "caf\xE9"), "caf\xE9");
        }
    }
}

// Names of 57 to 64 bytes used to be copied raw, though a word still has
// room for a few bytes of text.
TEST(EncodedWordEncode, LongestUsableCharsetsStillEncode) {
    for (int32_t length = 57; length <= kMaxEncodedWordCharsetLength; ++length) {
        for (const char letter : {'B', 'Q'}) {
            SCOPED_TRACE(std::to_string(length) + letter);
            EncodedWordCodec codec;
            codec.charset = std::string(static_cast<size_t>(length), 'c');
            codec.letter = letter;
            const std::string input = HighBytes(50);
            const std::string encoded = EncodeAll(codec, input);
            EXPECT_EQ(encoded.compare(0, 2, "=?"), 0);
            for (const std::string& word : SplitWords(encoded)) {
                EXPECT_LE(word.size(), 75u);
            }
            EncodedWordCodec decoder;
            EXPECT_EQ(DecodeAll(decoder, encoded), input);
        }
    }
}

TEST(EncodedWordEncode, CapacityKeepsWordsClosed) {
    const std::string input = HighBytes(100);
    for (const char letter : {'B', 'Q'}) {
        EncodedWordCodec codec;
        codec.charset = "iso-8859-1";
        codec.letter = letter;
        codec.source = input.data();
        codec.sourceLength = static_cast<int32_t>(input.size());
        codec.encoding = true;
        for (int32_t capacity = 0; capacity < 400; ++capacity) {
            SCOPED_TRACE(capacity);
            const std::string out = RunWithCapacity(codec, capacity);
            if (!out.empty()) {
                EXPECT_EQ(out.substr(out.size() - 2), "?=");
            }
        }
    }
}

TEST(EncodedWordLength, Table) {
    EncodedWordCodec codec;
    codec.charset = "x";
    codec.source = "";
    codec.sourceLength = 0;
    EXPECT_EQ(codec.EncodedLength(), 0);
    codec.source = "abc";
    codec.sourceLength = 3;
    codec.charset.clear();
    EXPECT_EQ(codec.EncodedLength(), 3);
    codec.charset = "abcd";
    codec.letter = 'B';
    EXPECT_EQ(codec.EncodedLength(), 4 + (4 / 60 + 1) * 15);
    EXPECT_EQ(codec.DecodedLength(), 3);
}

}  // namespace
}  // namespace vellumo::test
