// The decoders' error rules, reading in pieces, byte-order marks, and the
// labels of the Encoding Standard.
#include <gtest/gtest.h>

#include <string>

#include "charset/source_charset.h"
#include "charset/text_decoder.h"
#include "charset/text_encoder.h"
#include "charset/whatwg_data.h"

namespace vellumo::test {
namespace {

const std::string kBad = "\xEF\xBF\xBD";

std::string Decode(Encoding encoding, const std::string& bytes) {
    std::string out;
    TextDecoder(encoding).Decode(bytes, true, &out);
    return out;
}

TEST(EncodingLabels, EveryLabelOfTheStandardInAnyCaseAndSpacing) {
    const auto labels = ReadLabels();
    ASSERT_GT(labels.size(), 200u);
    for (const auto& [label, name] : labels) {
        SCOPED_TRACE(label);
        std::string upper = label;
        for (char& c : upper) {
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
        for (const std::string& spelling : {label, upper, "\t " + label + "\n\f\r "}) {
            Encoding encoding = Encoding::kUtf8;
            ASSERT_TRUE(EncodingForLabel(spelling, &encoding));
            // ISO-2022-KR keeps a decoder of its own here.
            const bool korean = label == "iso-2022-kr" || label == "csiso2022kr";
            EXPECT_EQ(EncodingName(encoding), korean ? std::string("ISO-2022-KR") : name);
        }
    }
}

TEST(EncodingLabels, MailNamesAcceptedAndUnknownDeclined) {
    const struct {
        const char* label;
        const char* name;  // null: no encoding
    } cases[] = {
        {"cp932", "Shift_JIS"},
        {"windows-31j", "Shift_JIS"},
        {"x-sjis", "Shift_JIS"},
        {"cp936", "GBK"},
        {"cp949", "EUC-KR"},
        {"cp950", "Big5"},
        {"x-euc-jp", "EUC-JP"},
        {"utf-7", nullptr},
        {"x-unknown", nullptr},
        {"utf-8x", nullptr},
        {"", nullptr},
        {"iso-2022-cn", "replacement"},
        {"hz-gb-2312", "replacement"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Encoding encoding = Encoding::kUtf8;
        const bool found = EncodingForLabel(c.label, &encoding);
        EXPECT_EQ(found, c.name != nullptr);
        if (found && c.name != nullptr) {
            EXPECT_STREQ(EncodingName(encoding), c.name);
        }
    }
}

// Malformed input per decoder, as the standard's error rules read it: one
// U+FFFD per error, and a byte that cannot end a sequence read again.
TEST(TextDecoder, MalformedSequences) {
    const struct {
        const char* name;
        Encoding encoding;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"utf-8 cut three bytes then ascii", Encoding::kUtf8,
         "\xE2\x82"
         "a",
         kBad + "a"},
        {"utf-8 surrogate", Encoding::kUtf8, "\xED\xA0\x80", kBad + kBad + kBad},
        {"big5 ascii trail read again", Encoding::kBig5, "\xA4<", kBad + "<"},
        {"big5 cut at the end", Encoding::kBig5, "a\xA4", "a" + kBad},
        {"big5 0x80 and 0xFF", Encoding::kBig5, "\x80\xFF", kBad + kBad},
        {"big5 two code points", Encoding::kBig5, "\x88\x62", "\xC3\x8A\xCC\x84"},
        {"big5 unassigned high trail eaten", Encoding::kBig5,
         "\x81\xA1"
         "a",
         kBad + "a"},
        {"euc-jp ascii trail", Encoding::kEucJp, "\xA4<", kBad + "<"},
        {"euc-jp katakana", Encoding::kEucJp, "\x8E\xB1", "\xEF\xBD\xB1"},
        {"euc-jp 0212 cut", Encoding::kEucJp, "\x8F\xB0", kBad},
        {"euc-jp bad katakana trail", Encoding::kEucJp,
         "\x8E"
         "a",
         kBad + "a"},
        {"shift_jis ascii trail", Encoding::kShiftJis, "\x82<", kBad + "<"},
        {"shift_jis 0x80 is U+0080", Encoding::kShiftJis, "\x80", "\xC2\x80"},
        {"shift_jis user-defined area", Encoding::kShiftJis, "\xF0\x40", "\xEE\x80\x80"},
        {"shift_jis 0xA0 and 0xFD", Encoding::kShiftJis, "\xA0\xFD", kBad + kBad},
        {"euc-kr ascii trail", Encoding::kEucKr, "\xB0<", kBad + "<"},
        {"euc-kr unified hangul", Encoding::kEucKr, "\x81\x41", "\xEA\xB0\x82"},
        {"euc-kr 0x80", Encoding::kEucKr, "\x80", kBad},
        {"gb18030 euro", Encoding::kGb18030, "\x80", "\xE2\x82\xAC"},
        {"gb18030 four bytes", Encoding::kGb18030, "\x81\x30\x81\x30", "\xC2\x80"},
        {"gb18030 supplementary", Encoding::kGb18030, "\x90\x30\x81\x30", "\xF0\x90\x80\x80"},
        {"gb18030 bad fourth: three read again", Encoding::kGb18030, "\x81\x30\x81<",
         kBad + "0" + kBad + "<"},
        {"gb18030 bad third: two read again", Encoding::kGb18030,
         "\x81\x30"
         "a",
         kBad + "0a"},
        {"gb18030 range gap", Encoding::kGb18030, "\x84\x31\xA5\x30", kBad},
        {"gb18030 cut", Encoding::kGb18030, "\x81\x30", kBad},
        {"utf-16le lone trail surrogate", Encoding::kUtf16Le, std::string("\x00\xDC", 2), kBad},
        {"utf-16le lead then letter", Encoding::kUtf16Le,
         std::string("\x00\xD8"
                     "a\x00",
                     4),
         kBad + "a"},
        {"utf-16be pair", Encoding::kUtf16Be, std::string("\xD8\x3D\xDE\x00", 4),
         "\xF0\x9F\x98\x80"},
        {"utf-16be odd byte", Encoding::kUtf16Be,
         std::string("\x00"
                     "a\x00",
                     3),
         "a" + kBad},
        {"x-user-defined", Encoding::kXUserDefined, "a\x80\xFF", "a\xEF\x9E\x80\xEF\x9F\xBF"},
        {"windows-874 hole", Encoding::kWindows874, "\xDB", kBad},
        {"iso-2022-jp unknown escape read again", Encoding::kIso2022Jp, "\x1B(Za", kBad + "(Za"},
        {"iso-2022-jp line end in jis x 0208", Encoding::kIso2022Jp, "\x1B$B\n", kBad},
        {"iso-2022-jp two escapes in a row", Encoding::kIso2022Jp, "\x1B$B\x1B(Ba", kBad + "a"},
        {"iso-2022-jp cut pair", Encoding::kIso2022Jp, "\x1B$B\x30", kBad},
        {"iso-2022-jp katakana", Encoding::kIso2022Jp, "\x1B(I\x31", "\xEF\xBD\xB1"},
        {"iso-2022-jp byte above 0x7f", Encoding::kIso2022Jp, "a\xA4", "a" + kBad},
        {"iso-2022-kr stray escape", Encoding::kIso2022Kr, "\x1B$x", kBad + "$x"},
        {"iso-2022-kr cut by a line end", Encoding::kIso2022Kr, "\x0E\x30\n", kBad + "\n"},
        {"replacement", Encoding::kReplacement, "abc", kBad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decode(c.encoding, c.bytes), c.expected);
    }
}

// Each decoder fed in two pieces split at every byte gives what it gives
// the whole.
TEST(TextDecoder, PiecesSplitAtEveryByteDecodeAsTheWhole) {
    const struct {
        Encoding encoding;
        std::string sample;
    } cases[] = {
        {Encoding::kUtf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xE2\x82z\xFF"},
        {Encoding::kGb18030,
         "a\xB0\xA1\x81\x30\x81\x30\x90\x30\x81\x30\x81\x30"
         "b\x81"},
        {Encoding::kBig5,
         "a\xA4\x40\x88\x62\xA4"
         "b\x87\x40\xFE"},
        {Encoding::kEucJp,
         "a\xA4\xA2\x8E\xB1\x8F\xB0\xA1\xA4"
         "b\xA4"},
        {Encoding::kShiftJis,
         "a\x82\xA0\xB1\xF0\x40\x82"
         "b\x82"},
        {Encoding::kEucKr,
         "a\xB0\xA1\x81\x41\xB0"
         "b\xB0"},
        {Encoding::kIso2022Jp, "a\x1B$B\x30\x21\x1B(J\\~\x1B(I\x31\x1B(Q\x1B$B\x30"},
        {Encoding::kIso2022Kr, "\x1B$)Ca\x0E\x30\x21\x0F\x1B$x\x0E\x30"},
        {Encoding::kUtf16Le, std::string("a\x00\x3D\xD8\x00\xDE\x00\xD8"
                                         "b\x00\x00",
                                         11)},
        {Encoding::kUtf16Be, std::string("\x00"
                                         "a\xD8\x3D\xDE\x00\xDC\x00\x00",
                                         9)},
        {Encoding::kUtf32Le, std::string("a\x00\x00\x00\x00\xD8\x00\x00\x01\x00", 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(EncodingName(c.encoding));
        const std::string whole = Decode(c.encoding, c.sample);
        for (std::size_t cut = 0; cut <= c.sample.size(); ++cut) {
            TextDecoder decoder(c.encoding);
            std::string pieces;
            decoder.Decode(c.sample.substr(0, cut), false, &pieces);
            decoder.Decode(c.sample.substr(cut), true, &pieces);
            EXPECT_EQ(pieces, whole) << "cut at " << cut;
        }
        TextDecoder byByte(c.encoding);
        std::string bytes;
        for (char b : c.sample) {
            byByte.Decode(std::string(1, b), false, &bytes);
        }
        byByte.Decode("", true, &bytes);
        EXPECT_EQ(bytes, whole);
    }
}

TEST(TextDecoder, ByteOrderMarkOutranksTheLabel) {
    const struct {
        const char* name;
        const char* label;
        std::string html;
        std::string expected;
    } cases[] = {
        {"utf-8 mark under latin-1", "iso-8859-1", "\xEF\xBB\xBF\xC3\xA9", "\xC3\xA9"},
        {"utf-16le mark under utf-8", "utf-8", std::string("\xFF\xFE\xE9\x00", 4), "\xC3\xA9"},
        {"utf-16be mark under shift_jis", "shift_jis", std::string("\xFE\xFF\x00\xE9", 4),
         "\xC3\xA9"},
        {"only one mark dropped", "utf-8",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         "\xEF\xBB\xBF"
         "a"},
        {"utf-32le keeps its own mark", "utf-32",
         std::string("\xFF\xFE\x00\x00\xE9\x00\x00\x00", 8), "\xC3\xA9"},
        {"no mark: the label", "windows-1252", "\xE9", "\xC3\xA9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string storage;
        const HtmlSourceCharset source = ClassifyHtmlSource(c.label, c.html);
        EXPECT_EQ(std::string(DecodeHtmlSource(c.html, source, &storage)), c.expected);
    }
}

// JIS X 0201 Roman differs from ASCII at 0x5C (yen sign) and 0x7E
// (overline): both read and written there, and ASCII's backslash and tilde
// never written in Roman.
TEST(Iso2022Jp, RomanSetBothWays) {
    EXPECT_EQ(Decode(Encoding::kIso2022Jp, "\x1B(J\\~a\x1B(B\\~"),
              "\xC2\xA5\xE2\x80\xBE"
              "a\\~");
    std::string out;
    ASSERT_TRUE(EncodeText(Encoding::kIso2022Jp,
                           "\xC2\xA5\xE2\x80\xBE"
                           "a\\~",
                           nullptr, &out));
    EXPECT_EQ(out, "\x1B(J\\~a\x1B(B\\~");
    out.clear();
    ASSERT_TRUE(EncodeText(Encoding::kIso2022Jp, "\xE2\x80\xBE", nullptr, &out));
    EXPECT_EQ(out, "\x1B(J~\x1B(B");
    EXPECT_FALSE(EncodeText(Encoding::kIso2022Jp, "a\x1B", nullptr, &out));
}

TEST(TextEncoder, DuplicatesTakeTheStandardsPointer) {
    const struct {
        const char* name;
        Encoding encoding;
        std::string text;
        std::string expected;
    } cases[] = {
        // The NEC row 13 duplicate of an IBM character takes the IBM form.
        {"shift_jis not sign", Encoding::kShiftJis, "\xEF\xBF\xA2", "\x81\xCA"},
        {"shift_jis roman numeral", Encoding::kShiftJis, "\xE2\x85\xB0", "\xFA\x40"},
        {"euc-jp minus sign", Encoding::kEucJp, "\xE2\x88\x92", "\xA1\xDD"},
        {"euc-jp yen sign", Encoding::kEucJp, "\xC2\xA5", "\\"},
        {"big5 box drawing takes the last pointer", Encoding::kBig5, "\xE2\x95\x90", "\xF9\xF9"},
        {"big5 leaves out hkscs", Encoding::kBig5, "\xC3\x8A", ""},
        {"gbk euro", Encoding::kGbk, "\xE2\x82\xAC", "\x80"},
        {"gb18030 euro", Encoding::kGb18030, "\xE2\x82\xAC", "\xA2\xE3"},
        {"gb18030 moved private use", Encoding::kGb18030, "\xEE\x9E\x8D", "\xA6\xD9"},
        {"gb18030 u+e5e5", Encoding::kGb18030, "\xEE\x97\xA5", ""},
        {"x-user-defined", Encoding::kXUserDefined, "\xEF\x9E\x80", "\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out;
        const bool encoded = EncodeText(c.encoding, c.text, nullptr, &out);
        EXPECT_EQ(encoded, !c.expected.empty());
        if (encoded) {
            EXPECT_EQ(out, c.expected);
        }
    }
}

TEST(CharsetTables, GeneratorReproducesTheCommittedTables) {
    if (std::system("python3 --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 is not installed";
    }
    const std::string source = VELLUMO_SOURCE_DIR;
    const std::string folder = std::string(VELLUMO_BINARY_DIR) + "/charset-tables-check";
    const std::string command = "rm -rf '" + folder + "' && mkdir -p '" + folder +
                                "' && python3 '" + source +
                                "/tools/generators/charsets/generate.py' '" + folder + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name :
         {"encoding_labels.cpp", "single_byte_indexes.cpp", "multi_byte_indexes.cpp"}) {
        SCOPED_TRACE(name);
        auto read = [](const std::string& path) {
            std::ifstream in(path, std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            return text.str();
        };
        const std::string made = read(folder + "/" + name);
        EXPECT_FALSE(made.empty());
        EXPECT_TRUE(made == read(source + "/src/charset/" + name))
            << "the committed table differs from what the generator writes";
    }
}

}  // namespace
}  // namespace vellumo::test
