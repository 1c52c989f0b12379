#include "html/html_text_writer.h"

#include <algorithm>

#include "html/html_case_mapping.h"
#include "html/html_tokenizer.h"
#include "html/html_white_space.h"

namespace vellumo {

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

// Visible text as it is, or through text-transform; a no-break space
// marker becomes a space either way.
void HtmlTextWriter::AppendRun(std::string_view run, CssTextTransform transform) {
    if (run.empty()) {
        return;
    }
    if (transform != CssTextTransform::kNone) {
        AppendTransformed(run, transform, charset_, &afterWordChar_, &out_);
        return;
    }
    const std::size_t written = out_.size();
    out_.append(run);
    std::replace(out_.begin() + static_cast<std::ptrdiff_t>(written), out_.end(),
                 kNoBreakSpaceMarker, ' ');
    afterWordChar_ = true;
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
        if (IsHtmlWhiteSpace(c)) {
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
        while (pos < text.size() && !IsHtmlWhiteSpace(text[pos])) {
            ++pos;
        }
        AppendRun(text.substr(start, pos - start), transform);
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
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n' && text[i] != '\r') {
            continue;
        }
        AppendRun(text.substr(start, i - start), transform);
        if (i < text.size() && text[i] == '\n') {
            PutNewline();
        } else if (i < text.size()) {
            // A CR can only come from a reference ("&#13;"); CSS renders it
            // as a space, which also keeps every line end CR LF.
            out_.push_back(' ');
        }
        start = i + 1;
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
