#pragma once
// Where the fields of a header lie in message text: the same reading as the
// header parser (stray continuation lines, folds, the blank line), without
// decoding anything, so that a field can be changed in place and every other
// byte passed through as it arrived.

#include <cstddef>
#include <string_view>

namespace vellumo {

// Offsets from the text start of one field.
struct FieldSpan {
    ptrdiff_t lineStart = 0;   // the first byte of its name (stray lines skipped)
    ptrdiff_t nameEnd = 0;     // the colon; lineStart when the line has none
    ptrdiff_t valueStart = 0;  // after the colon and the spaces and tabs after it
    ptrdiff_t valueEnd = 0;    // the CR LF that ends its last line, or the range end
    ptrdiff_t next = 0;        // after that CR LF: where the next field starts
};

// Locates one field at the start of text[0, length); text[length] may be
// looked at. False when no field can be read there (a CR where a field
// should start, or a dropped stray line without CR LF).
[[nodiscard]] bool LocateField(const char* text, ptrdiff_t length, FieldSpan& span);

// The name of a field located in text: the bytes before its colon.
[[nodiscard]] std::string_view FieldName(const char* text, const FieldSpan& span);

// Calls visit(span) for each field of the header at the start of text, its
// offsets from the text start, until visit returns false. Returns where
// the walk ended: after the field visit stopped at, else where the fields
// end (see HeaderFieldsEnd); -1 when a field cannot be read before then.
template <typename Visit>
ptrdiff_t ForEachFieldSpan(const char* text, ptrdiff_t length, Visit visit) {
    ptrdiff_t position = 0;
    while (position < length && text[position] != '\r' && text[position] != '\0') {
        FieldSpan span;
        if (!LocateField(text + position, length - position, span)) {
            return -1;
        }
        span = {span.lineStart + position, span.nameEnd + position, span.valueStart + position,
                span.valueEnd + position, span.next + position};
        position = span.next;
        if (!visit(span)) {
            break;
        }
    }
    return position;
}

// The offset where the fields of the header at the start of text end: the
// CR of its blank line, a NUL at a line start, or `length` when it has no
// blank line. -1 when a field cannot be read.
[[nodiscard]] ptrdiff_t HeaderFieldsEnd(const char* text, ptrdiff_t length);

// The first field of the header whose whole name equals `name`, ASCII case
// ignored (a field is looked up as HeaderBlock::FindField does). False when
// there is none, or when the header cannot be read up to it.
[[nodiscard]] bool FindFieldSpan(const char* text, ptrdiff_t length, std::string_view name,
                                 FieldSpan& span);

}  // namespace vellumo
