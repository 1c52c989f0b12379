#include "mime/header_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mime/main_type_table.h"

namespace vellumo::test {
namespace {

struct Field {
    std::string name;
    std::string value;
};

struct BlockParseCase {
    const char* label;
    std::string text;
    int expectedResult;
    std::vector<Field> expectedFields;
};

const std::vector<BlockParseCase> kBlockParseCases = {
    {"TwoFieldsThenBody", "A: 1\r\nB:\t 2\r\n\r\nbody", 15, {{"A", "1"}, {"B", "2"}}},
    {"OnlyBlankLine", "\r\nbody", 2, {}},
    {"EmptyText", "", 2, {}},
    {"HeaderWithoutBlankLineReportsTwoPastEnd", "A: 1\r\n", 8, {{"A", "1"}}},
    {"NulEndsHeader", std::string("A: 1\r\n\0rest", 11), 8, {{"A", "1"}}},
    {"LeadingStrayLineDropped", " x\r\nA: 1\r\n\r\n", 12, {{"A", "1"}}},
    {"StrayLineThenBlankFails", " x\r\n\r\nbody", 0, {}},
    {"FoldedLinesBelongToField", "A: 1\r\n x\r\n \r\n", 15, {{"A", "1\r\n x\r\n "}}},
    {"LineWithoutColonKept", "A: 1\r\nnot a field\r\n\r\n", 21, {{"A", "1"}, {"", "not a field"}}},
    {"LastLineWithoutCrLfKept", "A: 1\r\nB: 2", 12, {{"A", "1"}, {"B", "2"}}},
    {"BlankLineIsCrAndAnyByte", "A: 1\r\n\rXbody", 8, {{"A", "1"}}},
};

TEST(HeaderBlockParse, Table) {
    for (const BlockParseCase& c : kBlockParseCases) {
        SCOPED_TRACE(c.label);
        HeaderBlock block;
        EXPECT_EQ(block.Parse(c.text.c_str(), static_cast<int>(c.text.size())), c.expectedResult);
        ASSERT_EQ(block.fields.size(), c.expectedFields.size());
        auto expected = c.expectedFields.begin();
        for (const HeaderField& field : block.fields) {
            EXPECT_EQ(field.name, expected->name);
            EXPECT_EQ(field.value, expected->value);
            ++expected;
        }
    }
}

TEST(HeaderBlockParse, AppendsToFieldsAlreadyPresent) {
    HeaderBlock block;
    block.SetField("X", "0");
    const std::string text = "A: 1\r\n\r\n";
    EXPECT_EQ(block.Parse(text.c_str(), static_cast<int>(text.size())), 8);
    ASSERT_EQ(block.fields.size(), 2u);
    EXPECT_EQ(block.fields.back().name, "A");
}

HeaderBlock ParsedBlock(const std::string& text) {
    HeaderBlock block;
    EXPECT_GT(block.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    return block;
}

TEST(HeaderBlockLookup, LowerCaseNameFindsFirstField) {
    HeaderBlock block =
        ParsedBlock("Content-Type: text/plain\r\nContent-Type: text/html\r\nSubject : s\r\n\r\n");
    const HeaderField* field = block.FindField("content-type");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->value, "text/plain");
    EXPECT_EQ(block.FindField("Subject"), nullptr);
    ASSERT_NE(block.FindField("SUBJECT "), nullptr);
    EXPECT_EQ(block.FindField("Content"), nullptr);
}

TEST(HeaderBlockLookup, SetFieldReplacesFirstAndTakesGivenName) {
    HeaderBlock block = ParsedBlock(
        "Content-Type: text/plain; charset=x\r\nContent-Type: text/html\r\nX: 1\r\n\r\n");
    block.SetField("content-type", "text/html");
    ASSERT_EQ(block.fields.size(), 3u);
    EXPECT_EQ(block.fields.front().name, "content-type");
    EXPECT_EQ(block.fields.front().value, "text/html");
    EXPECT_EQ(std::next(block.fields.begin())->value, "text/html");
    EXPECT_EQ(block.fields.back().name, "X");
}

TEST(HeaderBlockLookup, SetFieldAppendsWhenMissing) {
    HeaderBlock block = ParsedBlock("A: 1\r\n\r\n");
    block.SetField("content-type", "text/plain", "utf-8");
    ASSERT_EQ(block.fields.size(), 2u);
    EXPECT_EQ(block.fields.back().name, "content-type");
    EXPECT_EQ(block.fields.back().charset, "utf-8");
}

TEST(HeaderBlockLookup, SetFieldWithoutCharsetClearsIt) {
    HeaderBlock block = ParsedBlock("Subject: =?iso-8859-1?Q?caf=E9?=\r\n\r\n");
    ASSERT_EQ(block.fields.front().charset, "iso-8859-1");
    block.SetField("Subject", "tea");
    EXPECT_EQ(block.fields.front().charset, "");
}

TEST(HeaderBlockLookup, AddFieldAppendsEvenWhenNamePresent) {
    HeaderBlock block = ParsedBlock("A: 1\r\n\r\n");
    block.AddField(HeaderField("a", "2"));
    ASSERT_EQ(block.fields.size(), 2u);
    EXPECT_EQ(block.FindField("A")->value, "1");
    EXPECT_EQ(block.fields.back().value, "2");
}

struct ContentTypeCase {
    const char* label;
    const char* contentType;  // null: no Content-Type field
    std::string mainType;
    std::string subType;
    int index;
    std::string boundary;
};

const std::vector<ContentTypeCase> kContentTypeCases = {
    {"NoField", nullptr, "text", "plain", kMainTypeText, ""},
    {"TextHtml", "text/html; charset=utf-8", "text", "html", kMainTypeText, ""},
    {"MixedCaseMultipart", "MultiPart/Mixed; boundary=\"b1\"", "MultiPart", "Mixed",
     kMainTypeMultipart, "b1"},
    {"NoSlashKeepsParameters", "multipart;boundary=x", "multipart;boundary=x", "",
     kMainTypeMultipart, "x"},
    {"OutsideTable", "x-foo/bar", "x-foo", "bar", kMainTypeOther, ""},
    {"EmptyValue", "", "", "", kMainTypeOther, ""},
    {"PrefixMatches", "textual/x", "textual", "x", kMainTypeText, ""},
    {"Message", "message/rfc822", "message", "rfc822", kMainTypeMessage, ""},
    {"Application", "application/octet-stream", "application", "octet-stream", kMainTypeApplication,
     ""},
    {"Image", "image/png", "image", "png", kMainTypeImage, ""},
    {"Audio", "audio/x", "audio", "x", kMainTypeAudio, ""},
    {"Video", "video/x", "video", "x", kMainTypeVideo, ""},
    {"SlashLast", "text/", "text", "", kMainTypeText, ""},
    {"SubtypeBeforeSpacedParameters", "text/plain   ; a=b", "text", "plain", kMainTypeText, ""},
    {"LeadingSpaceNotTrimmed", " text/plain", " text", "plain", kMainTypeOther, ""},
    {"DottedBoundaryKeptWhole", "multipart/related; boundary=abc.def; type=x", "multipart",
     "related", kMainTypeMultipart, "abc.def"},
};

TEST(HeaderBlockContentType, Table) {
    for (const ContentTypeCase& c : kContentTypeCases) {
        SCOPED_TRACE(c.label);
        HeaderBlock block;
        block.SetField("X-Other", "y/z; boundary=wrong");
        if (c.contentType != nullptr) {
            block.SetField("Content-Type", c.contentType);
        }
        EXPECT_EQ(block.GetMainType(), c.mainType);
        EXPECT_EQ(block.GetSubType(), c.subType);
        EXPECT_EQ(block.GetMainTypeIndex(), c.index);
        EXPECT_EQ(block.GetBoundary(), c.boundary);
    }
}

struct EncodingNameCase {
    const char* label;
    const char* value;
    std::string expected;
};

const std::vector<EncodingNameCase> kEncodingNameCases = {
    {"Plain", "base64", "base64"},
    {"TrailingSemicolon", "quoted-printable;", "quoted-printable"},
    {"Comment", "base64 (sent by x)", "base64"},
    {"SurroundingWhiteSpace", " \t7bit \t", "7bit"},
    {"Folded", "\r\n base64", "base64"},
    {"Empty", "", ""},
};

TEST(HeaderBlockContentType, TransferEncodingNameTrimmed) {
    for (const EncodingNameCase& c : kEncodingNameCases) {
        SCOPED_TRACE(c.label);
        HeaderBlock block;
        block.SetField("Content-Transfer-Encoding", c.value);
        EXPECT_EQ(block.GetTransferEncodingName(), c.expected);
    }
    EXPECT_EQ(HeaderBlock().GetTransferEncodingName(), "");
}

TEST(MainTypeTable, EntriesInIndexOrder) {
    const char* const expected[] = {"text",        "image",     "audio",  "video",
                                    "application", "multipart", "message"};
    ASSERT_EQ(kMainTypeCount, 7u);
    for (size_t i = 0; i < kMainTypeCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(MainTypeTable[i], expected[i]);
        EXPECT_EQ(MainTypeIndexOf(expected[i], std::string(expected[i]).size()),
                  static_cast<int>(i));
    }
    EXPECT_EQ(MainTypeIndexOf("tex", 3), kMainTypeOther);
}

}  // namespace
}  // namespace vellumo::test
