// Collects rendered text the way innerText does: white space collapsed as
// in CSS (or kept, for preformatted text), required line breaks merged
// (the largest count of a run wins, none at the start or the end), line
// ends written as CR LF. The text is kept in pieces of about
// kTextPieceSize bytes: it grows without copying, and is joined once the
// document it came from is gone.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "charset/charset.h"
#include "html/html_css.h"

namespace vellumo {

constexpr std::size_t kTextPieceSize = 64 * 1024;

// Text in the order written.
using HtmlTextPieces = std::vector<std::string>;

// The pieces as one string, each freed once copied.
[[nodiscard]] std::string JoinTextPieces(HtmlTextPieces pieces);

class HtmlTextWriter {
  public:
    // `charset` is the charset of the text, for text-transform.
    explicit HtmlTextWriter(const HtmlCharset& charset) : charset_(charset) {}

    // Text of a text node (LF line ends) with its element's white-space and
    // text-transform.
    void Text(std::string_view text, CssWhiteSpace whiteSpace, CssTextTransform transform);
    // A required line break count (1 around blocks, 2 around paragraphs).
    void RequireLineBreaks(int count);
    // The start or end of a block container: collapsible space there goes.
    void BoxBoundary();
    // Around an inline-block: the space before it stays, space inside its
    // edges goes.
    void InlineBoxStart();
    void InlineBoxEnd();
    // A string item: "\t" between table cells, "\n" between rows and for br.
    void Literal(char c);
    // Text of the first line (::first-line), or up to and with the first
    // letter (::first-letter), takes `transform` where its own is `base`
    // (the block's, inherited). kNone ends the style. With no widths laid
    // out, the first line is what a box of width 0 holds: up to the first
    // line break, or to the first space after a word where white-space
    // lets lines wrap.
    void StartFirstLine(CssTextTransform transform, CssTextTransform base);
    void StartFirstLetter(CssTextTransform transform, CssTextTransform base);
    // Whether the following text is Turkish or Azerbaijani (dotted capital i).
    void SetTurkicCasing(bool turkic) { turkic_ = turkic; }

    // Lines begun from now on (and the current one while it is empty) are
    // quoted this many levels deep, and indented by this many spaces after
    // their quote markers: Finish puts "> " before them once per level,
    // then the spaces. Never called for the browser's text.
    void SetQuoteDepth(int depth);
    void SetLineIndent(int indent);
    // A list item's marker at the start of its line. Line breaks that blocks
    // opening inside the item ask for before its first text are dropped,
    // so that the text follows its marker; EndItem ends that.
    void ItemMarker(std::string_view marker);
    void EndItem();

    // How many bytes were written so far, pending breaks and spaces not
    // counted: the same before and after an element that showed nothing.
    [[nodiscard]] std::size_t WrittenSize() const { return piecesSize_ + out_.size(); }
    // A marker that belongs to the text before it ("[1]" after a link's
    // text; `afterText` false for a link that showed nothing, whose marker
    // stands where the link stands). A space sets it off unless one or a
    // line start comes before it. Never called for the browser's text.
    void WordMarker(std::string_view marker, bool afterText);

    // The text written; the writer is empty afterwards.
    [[nodiscard]] HtmlTextPieces Finish();

  private:
    // The string text is appended to.
    std::string& Out();
    void FlushBreaks();
    void PutChar(char c);
    void PutNewline();
    // The last byte written, 0 for none.
    [[nodiscard]] char LastByte() const;
    // `wraps`: the white-space lets lines wrap at spaces.
    void CollapsedText(std::string_view text, CssTextTransform transform, bool keepNewlines,
                       bool wraps);
    void PreservedText(std::string_view text, CssTextTransform transform, bool wraps);
    void AppendRun(std::string_view run, CssTextTransform transform, bool wraps);
    void EndFirstLine();
    void EndFirstLineAtPendingSpace();
    void AppendCased(std::string_view run, CssTextTransform transform);

    std::string QuotedOutput() const;
    void StartLinePrefixes();
    void UpdateOpenLine();

    // Where a line begins in out_, how deeply it is quoted and indented.
    struct LinePrefix {
        std::size_t begin;
        int depth;
        int indent;
    };

    HtmlCharset charset_;
    std::string out_;
    HtmlTextPieces pieces_;  // full pieces before out_
    std::size_t piecesSize_ = 0;
    // Each line's prefix, kept only once SetQuoteDepth or SetLineIndent
    // was called.
    std::vector<LinePrefix> quotedLines_;
    int quoteDepth_ = 0;
    int indent_ = 0;
    bool holdBreaks_ = false;  // a list marker waits for its item's text
    bool quoting_ = false;
    int pendingBreaks_ = 0;
    bool pendingSpace_ = false;
    bool pendingSpaceWraps_ = false;  // a line may wrap at that space
    bool atLineStart_ = true;
    bool anyItem_ = false;
    bool afterWordChar_ = false;
    bool turkic_ = false;
    CssTextTransform firstLine_ = CssTextTransform::kNone;
    CssTextTransform firstLineBase_ = CssTextTransform::kNone;
    bool firstLineStarted_ = false;  // its text began; the next line end ends it
    CssTextTransform firstLetter_ = CssTextTransform::kNone;
    CssTextTransform firstLetterBase_ = CssTextTransform::kNone;
};

}  // namespace vellumo
