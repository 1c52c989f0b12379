#include "mime/part_layout.h"

#include <algorithm>

#include "mime/byte_scan.h"
#include "platform/byte_search.h"

namespace vellumo {

namespace {

// "\r\n--" before the boundary text.
constexpr char kDelimiterLead[] = "\r\n--";
constexpr ptrdiff_t kCrLfLength = 2;

// RFC 2046 5.1.1: after the boundary a delimiter line holds only "--" and
// blanks before its CR LF; the end of the range ends the line too (a nested
// close delimiter is followed by its parent's delimiter). Anything else, as
// in a nested boundary that extends this one, makes it no delimiter.
bool EndsDelimiterLine(const char* text, ptrdiff_t length, ptrdiff_t at) {
    if (length - at >= 2 && text[at] == '-' && text[at + 1] == '-') {
        at += 2;
    }
    while (at < length && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    return at == length || (length - at >= kCrLfLength && text[at] == '\r' && text[at + 1] == '\n');
}

// Absolute offset of the next delimiter line that starts inside [from,
// length), or -1.
ptrdiff_t FindDelimiter(const char* text, ptrdiff_t length, ptrdiff_t from,
                        const std::string& delimiter) {
    const ptrdiff_t delimiterLength = static_cast<ptrdiff_t>(delimiter.size());
    for (from = std::max<ptrdiff_t>(from, 0); from < length; ++from) {
        const size_t found = FindBytes(std::string_view(text, static_cast<size_t>(length)),
                                       delimiter, static_cast<size_t>(from));
        if (found == std::string_view::npos) {
            return -1;
        }
        from = static_cast<ptrdiff_t>(found);
        if (EndsDelimiterLine(text, length, from + delimiterLength)) {
            return from;
        }
    }
    return -1;
}

}  // namespace

// part = header CRLF (body / preamble *(delimiter child) [close-delimiter])
PartLayout LayOutPart(const char* text, ptrdiff_t length, ptrdiff_t headerSize,
                      std::string_view boundary) {
    PartLayout layout;
    layout.bodyStart = headerSize;
    layout.bodyEnd = length;
    if (boundary.empty()) {
        return layout;
    }
    std::string delimiter = kDelimiterLead + std::string(boundary);
    layout.firstDelimiter = FindDelimiter(text, length, headerSize - kCrLfLength, delimiter);
    if (layout.firstDelimiter >= 0) {
        layout.bodyEnd = layout.firstDelimiter + kCrLfLength;
        layout.delimiter = std::move(delimiter);
    }
    return layout;
}

ChildCursor::ChildCursor(const char* text, ptrdiff_t length, const PartLayout& layout)
    : text_(text),
      length_(length),
      delimiter_(layout.delimiter),
      current_(layout.firstDelimiter),
      stoppedAt_(length) {}

bool ChildCursor::Next(ptrdiff_t& begin, ptrdiff_t& end) {
    if (current_ < 0 || current_ >= length_) {
        return false;
    }
    const ptrdiff_t lineSearch = current_ + kCrLfLength;
    const ptrdiff_t crlf = FindCrLf(text_ + lineSearch, length_ - lineSearch);
    if (crlf < 0) {
        current_ = -1;
        return false;
    }
    const ptrdiff_t childStart = lineSearch + crlf + kCrLfLength;
    const ptrdiff_t afterBoundary = current_ + static_cast<ptrdiff_t>(delimiter_.size());
    if (afterBoundary + 2 <= length_ && text_[afterBoundary] == '-' &&
        text_[afterBoundary + 1] == '-') {
        current_ = -1;
        stoppedAt_ = childStart;
        return false;
    }
    const ptrdiff_t next = FindDelimiter(text_, length_, childStart, delimiter_);
    begin = childStart;
    end = next >= 0 ? next : length_;
    current_ = next;
    return true;
}

}  // namespace vellumo
