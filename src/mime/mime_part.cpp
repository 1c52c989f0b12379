#include "mime/mime_part.h"

#include <algorithm>
#include <new>

#include "mime/byte_scan.h"
#include "mime/codec_bridge.h"
#include "mime/main_type_table.h"

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
        const ptrdiff_t found =
            FindBytes(text + from, length - from, delimiter.data(), delimiterLength);
        if (found < 0) {
            return -1;
        }
        from += found;
        if (EndsDelimiterLine(text, length, from + delimiterLength)) {
            return from;
        }
    }
    return -1;
}

}  // namespace

MimePart::~MimePart() {
    DeleteChildren();
}

void MimePart::Clear() {
    DeleteChildren();
    body.Release();
    HeaderBlock::Clear();
}

int MimePart::Parse(const char* text, int length) {
    return ParseAtDepth(text, length, 0);
}

// part = header CRLF (body / preamble *(delimiter child) [close-delimiter])
int MimePart::ParseAtDepth(const char* text, int length, int depth) {
    const int headerSize = HeaderBlock::Parse(text, length);
    if (headerSize <= 0) {
        return headerSize;
    }
    body.Release();
    const ptrdiff_t bodyStart = headerSize;
    ptrdiff_t bodyEnd = length;

    std::string delimiter;
    ptrdiff_t first = -1;
    if (depth < kMaxNestingDepth && GetMainTypeIndex() == kMainTypeMultipart) {
        const std::string boundary = GetBoundary();
        if (!boundary.empty()) {
            delimiter = kDelimiterLead + boundary;
            // From two bytes before the body: the header's blank line may be
            // the delimiter's own CR LF.
            first = FindDelimiter(text, length, bodyStart - kCrLfLength, delimiter);
            if (first >= 0) {
                bodyEnd = first + kCrLfLength;
            }
        }
    }

    ptrdiff_t position = bodyStart;
    if (bodyEnd > bodyStart) {
        if (!DecodeBody(GetTransferEncodingName(), text + bodyStart,
                        static_cast<int>(bodyEnd - bodyStart), body)) {
            return -1;
        }
        position = bodyEnd;
    }
    if (position >= length || first < 0) {
        return static_cast<int>(position);
    }
    return ParseChildren(text, length, delimiter, first, depth);
}

// Each child runs from the end of its delimiter line to the next delimiter.
// A child's own result does not move the reading on: delimiters are found by
// their bytes alone. The epilogue after the close delimiter is not kept.
int MimePart::ParseChildren(const char* text, int length, const std::string& delimiter,
                            ptrdiff_t current, int depth) {
    const ptrdiff_t delimiterLength = static_cast<ptrdiff_t>(delimiter.size());
    while (current >= 0 && current < length) {
        const ptrdiff_t lineSearch = current + kCrLfLength;
        const ptrdiff_t crlf = FindCrLf(text + lineSearch, length - lineSearch);
        if (crlf < 0) {
            break;
        }
        const ptrdiff_t childStart = lineSearch + crlf + kCrLfLength;
        const ptrdiff_t afterBoundary = current + delimiterLength;
        if (afterBoundary + 2 <= length && text[afterBoundary] == '-' &&
            text[afterBoundary + 1] == '-') {
            return static_cast<int>(childStart);
        }
        const ptrdiff_t next = FindDelimiter(text, length, childStart, delimiter);
        const ptrdiff_t childEnd = next >= 0 ? next : length;
        MimePart* child = AddChild();
        if (child == nullptr) {
            return -1;
        }
        const int result = child->ParseAtDepth(text + childStart,
                                               static_cast<int>(childEnd - childStart), depth + 1);
        if (result < 0) {
            RemoveChild(child);
            return result;
        }
        current = next;
    }
    return length;
}

int MimePart::GetBody(std::string& out) const {
    if (!body.HasBuffer()) {
        return 0;
    }
    out.assign(body.data(), body.size());
    return static_cast<int>(body.size());
}

MimePart* MimePart::AddChild(const MimePart* before) {
    // Appending (the parser's case) must not walk the list: a message of
    // many parts would take quadratic time.
    auto position = before == nullptr
                        ? children.end()
                        : std::find_if(children.begin(), children.end(),
                                       [before](const std::unique_ptr<MimePart>& entry) {
                                           return entry.get() == before;
                                       });
    std::unique_ptr<MimePart> child(new (std::nothrow) MimePart());
    if (child == nullptr) {
        return nullptr;
    }
    MimePart* created = child.get();
    children.insert(position, std::move(child));
    return created;
}

void MimePart::RemoveChild(const MimePart* child) {
    if (child == nullptr) {
        return;
    }
    children.remove_if(
        [child](const std::unique_ptr<MimePart>& entry) { return entry.get() == child; });
}

void MimePart::DeleteChildren() {
    while (!children.empty()) {
        children.pop_back();
    }
}

}  // namespace vellumo
