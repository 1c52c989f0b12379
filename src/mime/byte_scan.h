#pragma once
// Byte searches over message text. Every search is bounded by the range it is
// given and never reads outside it.

#include <cstddef>

namespace vellumo {

// Offset of the first CR LF that lies wholly inside [0, length), or -1.
[[nodiscard]] ptrdiff_t FindCrLf(const char* text, ptrdiff_t length);

// ASCII-case-insensitive equality of two byte runs of the same length; bytes
// 0x80 and above compare exactly.
[[nodiscard]] bool EqualsIgnoringAsciiCase(const char* a, const char* b, size_t length);

}  // namespace vellumo
