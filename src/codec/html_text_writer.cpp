#include "codec/html_text_writer.h"

#include <algorithm>

#include "codec/html_tokenizer.h"

namespace vellumo {
namespace {

bool IsCollapsible(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
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
    out_.push_back('\r');
    out_.push_back('\n');
    afterWordChar_ = false;
}

void HtmlTextWriter::PutChar(char c) {
    out_.push_back(c);
    anyItem_ = true;
}

// Case mapping covers ASCII, and Latin-1 letters in windows-1252-like
// charsets and in UTF-8; other scripts keep their case.
char HtmlTextWriter::Transform(char c, CssTextTransform transform) {
    if (c == kNoBreakSpaceMarker) {
        afterWordChar_ = false;
        return ' ';
    }
    const bool word =
        IsLower(c) || IsUpper(c) || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
    const bool wordStart = word && !afterWordChar_;
    afterWordChar_ = word;
    if (transform == CssTextTransform::kUppercase ||
        (transform == CssTextTransform::kCapitalize && wordStart)) {
        return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (transform == CssTextTransform::kLowercase) {
        return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return c;
}

void HtmlTextWriter::Text(std::string_view text, CssWhiteSpace whiteSpace,
                          CssTextTransform transform) {
    switch (whiteSpace) {
        case CssWhiteSpace::kPre:
        case CssWhiteSpace::kPreWrap:
            PreservedText(text, transform);
            break;
        case CssWhiteSpace::kPreLine:
            CollapsedText(text, transform, true);
            break;
        default:
            CollapsedText(text, transform, false);
            break;
    }
}

void HtmlTextWriter::CollapsedText(std::string_view text, CssTextTransform transform,
                                   bool keepNewlines) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsCollapsible(c)) {
            if (keepNewlines && c == '\n') {
                Literal('\n');
            } else if (!atLineStart_) {
                pendingSpace_ = true;
            }
            ++pos;
            continue;
        }
        FlushBreaks();
        if (pendingSpace_) {
            out_.push_back(' ');
            afterWordChar_ = false;
            pendingSpace_ = false;
        }
        // Copy the run of visible bytes at once.
        const std::size_t start = pos;
        while (pos < text.size() && !IsCollapsible(text[pos])) {
            ++pos;
        }
        if (transform == CssTextTransform::kNone) {
            const std::size_t written = out_.size();
            out_.append(text.substr(start, pos - start));
            std::replace(out_.begin() + static_cast<std::ptrdiff_t>(written), out_.end(),
                         kNoBreakSpaceMarker, ' ');
            afterWordChar_ = true;
        } else {
            for (std::size_t i = start; i < pos; ++i) {
                out_.push_back(Transform(text[i], transform));
            }
        }
        anyItem_ = true;
        atLineStart_ = false;
    }
}

void HtmlTextWriter::PreservedText(std::string_view text, CssTextTransform transform) {
    if (text.empty()) {
        return;
    }
    FlushBreaks();
    if (pendingSpace_) {
        out_.push_back(' ');
        pendingSpace_ = false;
    }
    for (char c : text) {
        if (c == '\n') {
            PutNewline();
        } else if (c == '\r') {
            // A CR can only come from a reference ("&#13;"); CSS renders it
            // as a space, which also keeps every line end CR LF.
            out_.push_back(' ');
        } else {
            out_.push_back(Transform(c, transform));
        }
    }
    anyItem_ = true;
    atLineStart_ = text.back() == '\n';
}

void HtmlTextWriter::RequireLineBreaks(int count) {
    pendingBreaks_ = std::max(pendingBreaks_, count);
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
    }
    atLineStart_ = true;
}

void HtmlTextWriter::InlineBoxEnd() {
    pendingSpace_ = false;
    atLineStart_ = false;
}

void HtmlTextWriter::Literal(char c) {
    FlushBreaks();
    pendingSpace_ = false;
    if (c == '\n') {
        PutNewline();
    } else {
        out_.push_back(c);
        afterWordChar_ = false;
    }
    anyItem_ = true;
    atLineStart_ = true;
}

std::string HtmlTextWriter::Finish() {
    pendingBreaks_ = 0;
    return std::move(out_);
}

}  // namespace vellumo
