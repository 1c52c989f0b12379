#include "mime/header_span.h"

#include "mime/byte_scan.h"
#include "mime/header_chars.h"

namespace vellumo {

namespace {

// A line that starts with white space where a field should start continues
// nothing we kept: drop whole lines until one starts with something else.
// Returns the new position, or -1 when a CR stands there or a dropped line
// has no CR LF inside the range.
ptrdiff_t SkipStrayContinuationLines(const char* text, ptrdiff_t length, ptrdiff_t position) {
    while (position < length && IsHeaderSpace(static_cast<unsigned char>(text[position]))) {
        if (text[position] == '\r') {
            return -1;
        }
        const ptrdiff_t crlf = FindCrLf(text + position, length - position);
        if (crlf < 0) {
            return -1;
        }
        position += crlf + 2;
    }
    return position;
}

// Offset of the colon that ends the name, or -1 when the line has none
// before its first CR, LF or NUL.
ptrdiff_t FindNameColon(const char* text, ptrdiff_t length, ptrdiff_t position) {
    for (ptrdiff_t i = position; i < length; ++i) {
        const char c = text[i];
        if (c == ':') {
            return i;
        }
        if (c == '\r' || c == '\n' || c == '\0') {
            return -1;
        }
    }
    return -1;
}

// End of the field's raw value: the start of the CR LF that ends its last
// (possibly folded) line. A line that runs to the end of the range ends
// there: a child's last header line may be followed directly by the next
// delimiter, whose CR LF lies outside the child's range.
ptrdiff_t FindFieldEnd(const char* text, ptrdiff_t length, ptrdiff_t position) {
    for (;;) {
        const ptrdiff_t crlf = FindCrLf(text + position, length - position);
        if (crlf < 0) {
            return length;
        }
        const ptrdiff_t end = position + crlf;
        const ptrdiff_t next = end + 2;
        if (next >= length || (text[next] != ' ' && text[next] != '\t')) {
            return end;
        }
        position = next;
    }
}

bool NameEquals(const char* text, const FieldSpan& span, std::string_view name) {
    const size_t nameLength = static_cast<size_t>(span.nameEnd - span.lineStart);
    return span.nameEnd > span.lineStart && nameLength == name.size() &&
           EqualsIgnoringAsciiCase(text + span.lineStart, name.data(), nameLength);
}

}  // namespace

// field = [name ":"] *(SP / HT) value CRLF *(( SP / HT) text CRLF)
bool LocateField(const char* text, ptrdiff_t length, FieldSpan& span) {
    if (text == nullptr || length <= 0) {
        return false;
    }
    const ptrdiff_t lineStart = SkipStrayContinuationLines(text, length, 0);
    if (lineStart < 0 || lineStart >= length || text[lineStart] == '\r') {
        return false;
    }
    span.lineStart = lineStart;
    const ptrdiff_t colon = FindNameColon(text, length, lineStart);
    span.nameEnd = colon >= 0 ? colon : lineStart;
    ptrdiff_t position = colon >= 0 ? colon + 1 : lineStart;
    while (position < length && (text[position] == ' ' || text[position] == '\t')) {
        ++position;
    }
    span.valueStart = position;
    span.valueEnd = FindFieldEnd(text, length, position);
    span.next = span.valueEnd < length ? span.valueEnd + 2 : length;
    return true;
}

// header = *field CRLF: the fields end at a CR (the blank line), a NUL or
// the end of the range.
ptrdiff_t HeaderFieldsEnd(const char* text, ptrdiff_t length) {
    ptrdiff_t position = 0;
    while (position < length && text[position] != '\r' && text[position] != '\0') {
        FieldSpan span;
        if (!LocateField(text + position, length - position, span)) {
            return -1;
        }
        position += span.next;
    }
    return position;
}

bool FindFieldSpan(const char* text, ptrdiff_t length, std::string_view name, FieldSpan& span) {
    ptrdiff_t position = 0;
    while (position < length && text[position] != '\r' && text[position] != '\0') {
        FieldSpan found;
        if (!LocateField(text + position, length - position, found)) {
            return false;
        }
        if (NameEquals(text + position, found, name)) {
            span = {found.lineStart + position, found.nameEnd + position,
                    found.valueStart + position, found.valueEnd + position, found.next + position};
            return true;
        }
        position += found.next;
    }
    return false;
}

}  // namespace vellumo
