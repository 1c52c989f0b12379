#pragma once
// The header of a message relabelled as plain text (translator 2): every
// field as it arrived, except that the first Content-Type gives way to the
// new one and no Content-Transfer-Encoding is kept, since the text is
// written as it is. The fields are copied from the message text, so the
// text can be released before the new Content-Type is known.

#include <cstddef>
#include <string>

namespace vellumo {

struct RelabelledHeader {
    // The fields kept, each with its CR LF.
    std::string fields;
    // Where the first Content-Type stood among them; the end when there
    // was none.
    size_t typeAt = 0;
};

// Reads the header at the start of text[0, length) (text[length] must be
// readable). Each field is kept as it arrived, with its CR LF; stray
// continuation lines, which belong to no field, are left out. False when a
// field cannot be read.
[[nodiscard]] bool ReadRelabelledHeader(const char* text, ptrdiff_t length, RelabelledHeader& out);

// The whole header: the fields before, "Content-Type: " with the value (as
// a field built from that value is written), the fields after, and the
// blank line. The header's fields are used up.
[[nodiscard]] std::string WriteRelabelledHeader(RelabelledHeader&& header,
                                                const std::string& contentType);

}  // namespace vellumo
