#pragma once
// The raw text of a header field's value as it stands in message text.

#include <string>
#include <string_view>

namespace vellumo {

// Reads the header at the start of text[0, length) (text[length] must exist)
// and gives the raw value of the first field named `name` (ASCII case
// ignored): from after the colon and the blanks after it to the CR LF that
// ends the field, folds and encoded words exactly as they stand. False when
// no such field is read.
[[nodiscard]] bool FindRawFieldValue(const char* text, int length, std::string_view name,
                                     std::string& raw);

}  // namespace vellumo
