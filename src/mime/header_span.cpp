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

std::string_view FieldName(const char* text, const FieldSpan& span) {
    return std::string_view(text + span.lineStart,
                            static_cast<size_t>(span.nameEnd - span.lineStart));
}

// header = *field CRLF: the fields end at a CR (the blank line), a NUL or
// the end of the range.
ptrdiff_t HeaderFieldsEnd(const char* text, ptrdiff_t length) {
    return ForEachFieldSpan(text, length, [](const FieldSpan&) { return true; });
}

bool FindFieldSpan(const char* text, ptrdiff_t length, std::string_view name, FieldSpan& span) {
    bool found = false;
    (void)ForEachFieldSpan(text, length, [&](const FieldSpan& field) {
        const std::string_view fieldName = FieldName(text, field);
        found = !fieldName.empty() && fieldName.size() == name.size() &&
                EqualsIgnoringAsciiCase(fieldName.data(), name.data(), name.size());
        if (found) {
            span = field;
        }
        return !found;
    });
    return found;
}

}  // namespace vellumo
