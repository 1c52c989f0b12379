#include "html/html_text_writer.h"

#include <algorithm>

#include "charset/unicode_text.h"
#include "html/html_case_mapping.h"
#include "html/html_tokenizer.h"
#include "html/html_white_space.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

// The length of the first letter with the punctuation before it: up to and
// with the first letter or digit (any non-ASCII character counts as one).
std::size_t FirstLetterLength(std::string_view run) {
    for (std::size_t i = 0; i < run.size(); ++i) {
        const auto byte = static_cast<unsigned char>(run[i]);
        if (IsAsciiAlphaNumeric(run[i])) {
            return i + 1;
        }
        if (byte >= 0xC0) {
            std::size_t end = i + 1;
            while (end < run.size() && IsUtf8ContinuationByte(run[end])) {
                ++end;
            }
            return end;
        }
    }
    return run.size();
}

bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

// Where a line of width 0 ends in preserved text that wraps: after the
// first spaces that follow a word (`afterWord`: one came before the run);
// npos when it does not end in the run.
std::size_t FirstLineEnd(std::string_view run, bool afterWord) {
    std::size_t i = 0;
    while (i < run.size() && !(IsSpaceOrTab(run[i]) && afterWord)) {
        afterWord = afterWord || !IsSpaceOrTab(run[i]);
        ++i;
    }
    if (i == run.size()) {
        return std::string_view::npos;
    }
    while (i < run.size() && IsSpaceOrTab(run[i])) {
        ++i;
    }
    return i;
}

}  // namespace

void HtmlTextWriter::FlushBreaks() {
    if (pendingBreaks_ > 0 && anyItem_) {
        for (int i = 0; i < pendingBreaks_; ++i) {
            PutNewline();
        }
    }
    pendingBreaks_ = 0;
}

void HtmlTextWriter::PutNewline() {
    Out().append("\r\n");
    if (quoting_) {
        quotedLines_.push_back({out_.size(), quoteDepth_, indent_});
    }
    afterWordChar_ = false;
    if (firstLineStarted_) {
        EndFirstLine();
    }
}

void HtmlTextWriter::EndFirstLine() {
    firstLine_ = CssTextTransform::kNone;
    firstLineStarted_ = false;
}

// A space between words where lines wrap ends a first line of width 0.
void HtmlTextWriter::EndFirstLineAtPendingSpace() {
    if (pendingSpaceWraps_ && firstLineStarted_) {
        EndFirstLine();
    }
}

void HtmlTextWriter::StartFirstLine(CssTextTransform transform, CssTextTransform base) {
    firstLine_ = transform;
    firstLineBase_ = base;
    firstLineStarted_ = false;
}

void HtmlTextWriter::StartFirstLetter(CssTextTransform transform, CssTextTransform base) {
    firstLetter_ = transform;
    firstLetterBase_ = base;
}

void HtmlTextWriter::PutChar(char c) {
    Out().push_back(c);
    anyItem_ = true;
}

// Visible text as it is, or through text-transform; a no-break space
// marker becomes a space either way.
void HtmlTextWriter::AppendRun(std::string_view run, CssTextTransform transform, bool wraps) {
    if (run.empty()) {
        return;
    }
    holdBreaks_ = false;
    if (firstLine_ != CssTextTransform::kNone && wraps) {
        const std::size_t end = FirstLineEnd(run, firstLineStarted_);
        if (end != std::string_view::npos) {
            AppendRun(run.substr(0, end), transform, false);
            EndFirstLine();
            AppendRun(run.substr(end), transform, false);
            return;
        }
    }
    if (firstLine_ != CssTextTransform::kNone) {
        firstLineStarted_ = true;
        if (transform == firstLineBase_) {
            transform = firstLine_;
        }
    }
    if (firstLetter_ != CssTextTransform::kNone) {
        const CssTextTransform letter = transform == firstLetterBase_ ? firstLetter_ : transform;
        firstLetter_ = CssTextTransform::kNone;
        const std::size_t length = FirstLetterLength(run);
        AppendCased(run.substr(0, length), letter);
        run.remove_prefix(length);
    }
    AppendCased(run, transform);
}

void HtmlTextWriter::AppendCased(std::string_view run, CssTextTransform transform) {
    if (run.empty()) {
        return;
    }
    if (transform != CssTextTransform::kNone) {
        AppendTransformed(run, transform, charset_, &afterWordChar_, &Out(), turkic_);
        return;
    }
    const std::size_t written = Out().size();
    out_.append(run);
    std::replace(out_.begin() + static_cast<std::ptrdiff_t>(written), out_.end(),
                 kNoBreakSpaceMarker, ' ');
    afterWordChar_ = true;
}

void HtmlTextWriter::Text(std::string_view text, CssWhiteSpace whiteSpace,
                          CssTextTransform transform) {
    switch (whiteSpace) {
        case CssWhiteSpace::kPre:
            PreservedText(text, transform, false);
            break;
        case CssWhiteSpace::kPreWrap:
            PreservedText(text, transform, true);
            break;
        case CssWhiteSpace::kPreLine:
            CollapsedText(text, transform, true, true);
            break;
        case CssWhiteSpace::kNoWrap:
            CollapsedText(text, transform, false, false);
            break;
        default:
            CollapsedText(text, transform, false, true);
            break;
    }
}

void HtmlTextWriter::CollapsedText(std::string_view text, CssTextTransform transform,
                                   bool keepNewlines, bool wraps) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsHtmlWhiteSpace(c)) {
            if (keepNewlines && c == '\n') {
                Literal('\n');
            } else if (!atLineStart_) {
                pendingSpace_ = true;
                pendingSpaceWraps_ = wraps;
            }
            ++pos;
            continue;
        }
        FlushBreaks();
        if (pendingSpace_) {
            Out().push_back(' ');
            afterWordChar_ = false;
            pendingSpace_ = false;
            EndFirstLineAtPendingSpace();
        }
        // Copy the run of visible bytes at once.
        const std::size_t start = pos;
        while (pos < text.size() && !IsHtmlWhiteSpace(text[pos])) {
            ++pos;
        }
        AppendRun(text.substr(start, pos - start), transform, false);
        anyItem_ = true;
        atLineStart_ = false;
    }
}

void HtmlTextWriter::PreservedText(std::string_view text, CssTextTransform transform, bool wraps) {
    if (text.empty()) {
        return;
    }
    FlushBreaks();
    if (pendingSpace_) {
        Out().push_back(' ');
        pendingSpace_ = false;
        EndFirstLineAtPendingSpace();
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n' && text[i] != '\r') {
            continue;
        }
        AppendRun(text.substr(start, i - start), transform, wraps);
        if (i < text.size() && text[i] == '\n') {
            PutNewline();
        } else if (i < text.size()) {
            // A CR can only come from a reference ("&#13;"); CSS renders it
            // as a space, which also keeps every line end CR LF.
            Out().push_back(' ');
        }
        start = i + 1;
    }
    anyItem_ = true;
    atLineStart_ = text.back() == '\n';
}

void HtmlTextWriter::RequireLineBreaks(int count) {
    if (!holdBreaks_) {
        pendingBreaks_ = std::max(pendingBreaks_, count);
    }
    pendingSpace_ = false;
    atLineStart_ = true;
}

void HtmlTextWriter::BoxBoundary() {
    pendingSpace_ = false;
    atLineStart_ = true;
}

void HtmlTextWriter::InlineBoxStart() {
    if (pendingSpace_) {
        FlushBreaks();
        PutChar(' ');
        afterWordChar_ = false;
        pendingSpace_ = false;
        EndFirstLineAtPendingSpace();
    }
    atLineStart_ = true;
}

void HtmlTextWriter::InlineBoxEnd() {
    pendingSpace_ = false;
    atLineStart_ = false;
}

void HtmlTextWriter::Literal(char c) {
    holdBreaks_ = false;
    FlushBreaks();
    pendingSpace_ = false;
    if (c == '\n') {
        PutNewline();
    } else {
        Out().push_back(c);
        afterWordChar_ = false;
    }
    anyItem_ = true;
    atLineStart_ = true;
}

char HtmlTextWriter::LastByte() const {
    if (!out_.empty()) {
        return out_.back();
    }
    return pieces_.empty() || pieces_.back().empty() ? '\0' : pieces_.back().back();
}

// After text, pending line breaks and a pending space stay pending: the
// marker ends the text before them.
void HtmlTextWriter::WordMarker(std::string_view marker, bool afterText) {
    if (!afterText) {
        FlushBreaks();
    }
    const char last = LastByte();
    if (last != '\0' && last != ' ' && last != '\n' && last != '\t') {
        Out().push_back(' ');
    }
    Out().append(marker);
    afterWordChar_ = false;
    anyItem_ = true;
    if (pendingBreaks_ == 0) {
        atLineStart_ = false;
    }
}

void HtmlTextWriter::StartLinePrefixes() {
    if (quoting_) {
        return;
    }
    // Lines written so far have no prefix; the first starts at 0.
    // Prefixing reads the text as one string, so it is no longer split.
    pieces_.push_back(std::move(out_));
    out_ = JoinTextPieces(std::move(pieces_));
    pieces_.clear();
    piecesSize_ = 0;
    quotedLines_.assign(1, {0, 0, 0});
    quoting_ = true;
}

// A line with nothing on it yet takes the new prefix too.
void HtmlTextWriter::UpdateOpenLine() {
    if (quotedLines_.back().begin == out_.size()) {
        quotedLines_.back().depth = quoteDepth_;
        quotedLines_.back().indent = indent_;
    }
}

void HtmlTextWriter::SetQuoteDepth(int depth) {
    StartLinePrefixes();
    quoteDepth_ = depth;
    UpdateOpenLine();
}

void HtmlTextWriter::SetLineIndent(int indent) {
    StartLinePrefixes();
    indent_ = indent;
    UpdateOpenLine();
}

void HtmlTextWriter::ItemMarker(std::string_view marker) {
    if (holdBreaks_) {
        // The item before showed only its marker: this one starts a line.
        pendingBreaks_ = std::max(pendingBreaks_, 1);
        holdBreaks_ = false;
    }
    Text(marker, CssWhiteSpace::kPre, CssTextTransform::kNone);
    holdBreaks_ = true;
    atLineStart_ = true;
}

void HtmlTextWriter::EndItem() {
    holdBreaks_ = false;
}

// A blank line between two quoted lines belongs to the shallower quote, so
// a quote is set off from the text around it by an unquoted blank line.
// Blank lines take no indent.
std::string HtmlTextWriter::QuotedOutput() const {
    std::string quoted;
    quoted.reserve(out_.size() + quotedLines_.size() * 2);
    const std::size_t count = quotedLines_.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t begin = quotedLines_[i].begin;
        std::size_t end = i + 1 < count ? quotedLines_[i + 1].begin : out_.size();
        bool blank = out_.compare(begin, 2, "\r\n") == 0 || begin == end;
        int depth = quotedLines_[i].depth;
        if (blank) {
            int before = i > 0 ? quotedLines_[i - 1].depth : 0;
            int after = i + 1 < count ? quotedLines_[i + 1].depth : 0;
            depth = std::min({depth, before, after});
        }
        for (int level = 0; level < depth; ++level) {
            quoted += level + 1 < depth || !blank ? "> " : ">";
        }
        if (!blank) {
            quoted.append(static_cast<std::size_t>(quotedLines_[i].indent), ' ');
        }
        quoted.append(out_, begin, end - begin);
    }
    return quoted;
}

// Full pieces are put aside, so the text never grows by copying all of
// it; a piece with much spare room is trimmed first.
std::string& HtmlTextWriter::Out() {
    if (quoting_ || out_.size() < kTextPieceSize) {
        return out_;
    }
    if (out_.capacity() - out_.size() > out_.size() / 8) {
        out_.shrink_to_fit();
    }
    piecesSize_ += out_.size();
    pieces_.push_back(std::move(out_));
    out_ = std::string();
    out_.reserve(kTextPieceSize + kTextPieceSize / 8);
    return out_;
}

HtmlTextPieces HtmlTextWriter::Finish() {
    pendingBreaks_ = 0;
    HtmlTextPieces pieces = std::move(pieces_);
    pieces_.clear();
    piecesSize_ = 0;
    pieces.push_back(quoting_ && !quotedLines_.empty() ? QuotedOutput() : std::move(out_));
    out_ = std::string();
    return pieces;
}

std::string JoinTextPieces(HtmlTextPieces pieces) {
    if (pieces.size() == 1) {
        return std::move(pieces[0]);
    }
    std::size_t size = 0;
    for (const std::string& piece : pieces) {
        size += piece.size();
    }
    std::string text;
    text.reserve(size);
    for (std::string& piece : pieces) {
        text += piece;
        std::string().swap(piece);
    }
    return text;
}

}  // namespace vellumo
