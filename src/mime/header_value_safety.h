#pragma once
// What may go into a header that the program writes from message data. A
// sender controls those bytes; a line break among them would start header
// lines (or the body) of the sender's choosing in the converted message.

#include <cstddef>
#include <string_view>

#include "charset/charset_name.h"

namespace vellumo {

// True when the name holds a MIME special (":", "(", ")") and must be
// written as a quoted string; such a name has nothing to escape.
[[nodiscard]] bool CharsetNeedsQuotes(std::string_view name);

// True when the text can stand as a field value without starting a line of
// its own: no NUL, no control byte but tab, and CR only in CR LF followed by
// a blank or tab (a fold). 8-bit bytes are allowed: raw headers carry them.
[[nodiscard]] bool IsSafeFieldValue(std::string_view text);

}  // namespace vellumo
