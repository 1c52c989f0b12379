// The text writer keeps long text in pieces; joined, they are the text as
// written, also when quoting begins after some pieces are full.
#include <gtest/gtest.h>

#include <string>

#include "html/html_text_writer.h"

namespace vellumo::test {
namespace {

TEST(HtmlTextWriter, TextPastOnePieceJoinsWhole) {
    const struct {
        const char* name;
        std::size_t words;
        bool quoteAfter;
    } cases[] = {
        {"just under a piece", kTextPieceSize / 3, false},
        {"just over a piece", kTextPieceSize / 3 + 2, false},
        {"several pieces", kTextPieceSize + 7, false},
        {"quoting after full pieces", kTextPieceSize + 7, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HtmlTextWriter writer(ResolveHtmlCharset("utf-8"));
        std::string expected;
        for (std::size_t i = 0; i < c.words; ++i) {
            writer.Text("ab ", CssWhiteSpace::kNormal, CssTextTransform::kNone);
            expected += i == 0 ? "ab" : " ab";
        }
        if (c.quoteAfter) {
            writer.RequireLineBreaks(1);
            writer.SetQuoteDepth(1);
            writer.Text("q", CssWhiteSpace::kNormal, CssTextTransform::kUppercase);
            expected += "\r\n> Q";
        }
        const std::string text = JoinTextPieces(writer.Finish());
        EXPECT_EQ(text.size(), expected.size());
        EXPECT_TRUE(text == expected);
    }
}

}  // namespace
}  // namespace vellumo::test
