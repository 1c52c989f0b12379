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
