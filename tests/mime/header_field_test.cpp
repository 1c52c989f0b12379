#include "mime/header_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumo::test {
namespace {

std::string Bytes(const char* text, size_t length) {
    return std::string(text, length);
}

struct ParseLineCase {
    const char* label;
    std::string text;
    int length;  // -1: the whole text
    int expectedResult;
    std::string expectedName;
    std::string expectedValue;
};

const std::vector<ParseLineCase> kParseLineCases = {
    {"SimpleField", "A: 1\r\n", -1, 6, "A", "1"},
    {"TabAndSpaceAfterColonSkipped", "B:\t 2\r\nC: 3\r\n", -1, 7, "B", "2"},
    {"FoldedValueKeepsCrLfAndLeadingSpace", "Subject: Hello\r\n world\r\n\r\n", -1, 24, "Subject",
     "Hello\r\n world"},
    {"FoldWithTab", "X: a\r\n\tb\r\n\tc\r\nY: z\r\n", -1, 14, "X", "a\r\n\tb\r\n\tc"},
    {"SpaceBeforeColonStaysInName", "Subject : x\r\n", -1, 13, "Subject ", "x"},
    {"NameCaseKept", "cONTENT-tYPE: a/b\r\n", -1, 19, "cONTENT-tYPE", "a/b"},
    {"LineWithoutColonIsWholeValue", "just text\r\nA: 1\r\n", -1, 11, "", "just text"},
    {"ColonAfterLfIsNotAName", "abc\nd: e\r\n", -1, 10, "", "abc\nd: e"},
    {"NulEndsNameSearch", Bytes("A\0B: x\r\n", 8), -1, 8, "", Bytes("A\0B: x", 6)},
    {"EmptyNameBeforeColon", ": x\r\n", -1, 5, "", "x"},
    {"EmptyValue", "A:\r\n", -1, 4, "A", ""},
    {"OnlySpacesAfterColon", "A:   \r\n", -1, 7, "A", ""},
    {"ValueStartsOnFoldedLine", "A:\r\n x\r\n", -1, 8, "A", "\r\n x"},
    {"StrayContinuationLineDropped", " stray\r\nA: 1\r\n", -1, 14, "A", "1"},
    {"TwoStrayLinesDropped", " s1\r\n\ts2\r\nA: 1\r\n", -1, 16, "A", "1"},
    {"StrayLineBeforeBlankLineFails", " stray\r\n\r\nbody", -1, 0, "", ""},
    {"StrayLineWithoutCrLfFails", " stray", -1, 0, "", ""},
    {"BlankLineIsNoField", "\r\nA: 1\r\n", -1, 0, "", ""},
    {"EmptyRange", "A: 1\r\n", 0, 0, "", ""},
    {"FieldRunningToRangeEndIsKept", "A: 1\r\n--b", 4, 4, "A", "1"},
    {"FoldedFieldRunningToRangeEndIsKept", "A: 1\r\n 2\r\n--b", 8, 8, "A", "1\r\n 2"},
    {"CrLfStraddlingRangeEndNotUsed", "A: 1\r\n", 5, 5, "A", "1\r"},
    {"FoldLooksOnlyInsideRange", "A: 1\r\n x", 6, 6, "A", "1"},
    {"BareCrInsideValueKept", "A: 1\r2\r\n", -1, 8, "A", "1\r2"},
};

TEST(HeaderFieldParseLine, Table) {
    for (const ParseLineCase& c : kParseLineCases) {
        SCOPED_TRACE(c.label);
        // The byte after the range is always readable, as in message text.
        const std::string text = c.text;
        const int length = c.length < 0 ? static_cast<int>(text.size()) : c.length;
        HeaderField field("old", "old", "old");
        EXPECT_EQ(field.ParseLine(text.data(), length), c.expectedResult);
        EXPECT_EQ(field.name, c.expectedName);
        EXPECT_EQ(field.value, c.expectedValue);
        EXPECT_EQ(field.charset, "");
    }
}

struct DecodeCase {
    const char* label;
    std::string line;
    std::string expectedValue;
    std::string expectedCharset;
};

const std::vector<DecodeCase> kDecodeCases = {
    {"QWord", "Subject: =?iso-8859-1?Q?caf=E9?=\r\n", "caf\xE9", "iso-8859-1"},
    {"BWord", "Subject: =?us-ascii?B?YWJj?=\r\n", "abc", "us-ascii"},
    {"FoldBetweenWordsDropped", "Subject: =?x?Q?a?=\r\n =?x?Q?b?=\r\n", "ab", "x"},
    {"PlainValueUntouched", "Subject: plain = text\r\n", "plain = text", ""},
};

TEST(HeaderFieldParseLine, DecodesEncodedWords) {
    for (const DecodeCase& c : kDecodeCases) {
        SCOPED_TRACE(c.label);
        HeaderField field;
        EXPECT_EQ(field.ParseLine(c.line.data(), static_cast<int>(c.line.size())),
                  static_cast<int>(c.line.size()));
        EXPECT_EQ(field.value, c.expectedValue);
        EXPECT_EQ(field.charset, c.expectedCharset);
    }
}

struct ParameterCase {
    const char* label;
    std::string value;
    const char* parameter;
    bool expectedFound;
    std::string expectedValue;
};

const std::vector<ParameterCase> kParameterCases = {
    {"CapitalNameSpaceBeforeEqualsQuoted", "multipart/mixed; BOUNDARY =\"a b\"", "boundary", true,
     "a b"},
    {"SpaceAfterEqualsGivesEmpty", "multipart/mixed; boundary= \"ab\"", "boundary", true, ""},
    {"UnquotedValueKeepsFullStop", "multipart/mixed; boundary=abc.def", "boundary", true,
     "abc.def"},
    {"OpeningQuoteWithoutCloseGivesEmpty", "multipart/mixed; boundary=\"abc", "boundary", true, ""},
    {"LongerNameWithSamePrefixPassedOver", "text/plain; charsetx=a; charset=b", "charset", true,
     "b"},
    {"BareWordHidesNextParameter", "text/plain; flowed; charset=us-ascii", "charset", false, ""},
    {"NoSemicolonNoParameters", "text/plain charset=x", "charset", false, ""},
    {"TextBeforeFirstSemicolonNotSearched", "charset=a; x=1", "charset", false, ""},
    {"NameCaseIgnored", "text/plain; Charset=X", "charset", true, "X"},
    {"ValueCaseKept", "text/plain; charset=UTF-8", "CHARSET", true, "UTF-8"},
    {"SemicolonEndsUnquoted", "a/b; x=1;y=2", "y", true, "2"},
    {"WhiteSpaceSeparatesParameters", "a/b; x=1 y=2", "y", true, "2"},
    {"TabSeparates", "a/b;\tx=1", "x", true, "1"},
    {"FoldedParameter", "multipart/mixed;\r\n\tboundary=\"xyz\"", "boundary", true, "xyz"},
    {"EqualsKeptInUnquoted", "a/b; x=1=2", "x", true, "1=2"},
    {"UnquotedBoundaryWithEqualsReadWhole", "multipart/related; boundary=----=_Part_1; type=a",
     "boundary", true, "----=_Part_1"},
    {"CommaEndsUnquoted", "a/b; x=1,2", "x", true, "1"},
    {"TokenBytesKept", "a/b; x=a/b?c-d+e", "x", true, "a/b?c-d+e"},
    {"EightBitBytesKept",
     "a/b; x=ab\xE9"
     "cd e",
     "x", true,
     "ab\xE9"
     "cd"},
    {"BackslashEscapesNothing", "a/b; x=\"a\\\"b\"", "x", true, "a\\"},
    {"QuotedKeepsSpecials", "a/b; x=\"a;b=c\"; y=1", "y", true, "1"},
    {"FirstMatchWins", "a/b; x=1; x=2", "x", true, "1"},
    {"NoEqualsAnywhere", "a/b; x", "x", false, ""},
    {"EmptyValueAtEnd", "a/b; x=", "x", true, ""},
    {"EmptyNameMatchesAnEqualsSign", "a/b; =1", "", true, "1"},
};

TEST(HeaderFieldParameters, GetParameterTable) {
    for (const ParameterCase& c : kParameterCases) {
        SCOPED_TRACE(c.label);
        HeaderField field("Content-Type", c.value);
        std::string out = "stale";
        EXPECT_EQ(field.GetParameter(c.parameter, out), c.expectedFound);
        EXPECT_EQ(out, c.expectedValue);
    }
}

TEST(HeaderFieldParameters, FindParameterGivesRawRangeWithQuotes) {
    HeaderField field("Content-Type", "a/b; x=\"q r\"; y=tok");
    int offset = -1;
    int length = -1;
    ASSERT_TRUE(field.FindParameter("x", offset, length));
    EXPECT_EQ(field.RawValue().substr(offset, length), "\"q r\"");
    ASSERT_TRUE(field.FindParameter("y", offset, length));
    EXPECT_EQ(field.RawValue().substr(offset, length), "tok");
}

// Encoded words are not allowed inside Content-Type and Content-Disposition
// parameters (RFC 2047 section 5): a boundary or charset written as one is
// read as the bytes that stand there, as every strict reader reads it.
TEST(HeaderFieldParameters, EncodedWordsInParametersAreReadAsTheyStand) {
    struct Case {
        const char* label;
        std::string line;
        const char* parameter;
        std::string expected;
    } cases[] = {
        {"EncodedWordBoundary", "Content-Type: multipart/mixed; boundary=\"=?us-ascii?Q?b1?=\"\r\n",
         "boundary", "=?us-ascii?Q?b1?="},
        {"EncodedWordCharsetWithLineBreaks",
         "Content-Type: text/html; charset=\"=?us-ascii?Q?x=0D=0AX-Injected:_yes?=\"\r\n",
         "charset", "=?us-ascii?Q?x=0D=0AX-Injected:_yes?="},
        {"EncodedWordDispositionName",
         "Content-Disposition: inline; filename=\"=?UTF-8?B?w6k=?=\"\r\n", "filename",
         "=?UTF-8?B?w6k=?="},
        {"UnquotedEncodedWordBoundary",
         "Content-Type: multipart/mixed; boundary==?us-ascii?Q?b2?=\r\n", "boundary",
         "=?us-ascii?Q?b2?="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        HeaderField field;
        ASSERT_GT(field.ParseLine(c.line.c_str(), static_cast<int>(c.line.size())), 0);
        std::string out;
        EXPECT_TRUE(field.GetParameter(c.parameter, out));
        EXPECT_EQ(out, c.expected);
    }
}

TEST(HeaderFieldParameters, ChangedValueIsReadAsItNowStands) {
    std::string line = "Content-Type: text/html; charset=\"=?us-ascii?Q?b1?=\"\r\n";
    HeaderField field;
    ASSERT_GT(field.ParseLine(line.c_str(), static_cast<int>(line.size())), 0);
    field.value = "text/plain; charset=utf-8";
    std::string out;
    EXPECT_TRUE(field.GetParameter("charset", out));
    EXPECT_EQ(out, "utf-8");
}

struct BareValueCase {
    const char* label;
    std::string value;
    std::string expected;
};

const std::vector<BareValueCase> kBareValueCases = {
    {"SpaceBeforeSemicolonRemoved", "text/plain \t; charset=x", "text/plain"},
    {"TrailingSpaceWithoutSemicolonKept", "text/plain  ", "text/plain  "},
    {"SemicolonAtEnd", "text/plain;", "text/plain"},
    {"OnlyParameters", " ;a=1", ""},
    {"FoldBeforeSemicolonRemoved", "text/html\r\n ;charset=x", "text/html"},
};

TEST(HeaderFieldParameters, GetBareValueTable) {
    for (const BareValueCase& c : kBareValueCases) {
        SCOPED_TRACE(c.label);
        HeaderField field("Content-Type", c.value);
        std::string out = "stale";
        field.GetBareValue(out);
        EXPECT_EQ(out, c.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
