// JIS X 0208, the double-byte character set of ISO-2022-JP: the Unicode
// value of each cell of its 94 x 94 grid, and the reverse lookup.
#pragma once

#include <cstddef>

namespace vellumo {

constexpr std::size_t kJis0208Rows = 94;
constexpr std::size_t kJis0208Columns = 94;

// The generated grid, row by row; 0 where a cell is unassigned. Row and
// column 0 are the bytes 0x21 of the code.
extern const char16_t kJis0208[kJis0208Rows * kJis0208Columns];

// The character of the two bytes (each 0x21-0x7E), or 0 when unassigned or
// out of range.
[[nodiscard]] char32_t Jis0208ToUnicode(unsigned char first, unsigned char second);

// The two bytes of `codePoint` in JIS X 0208 (the usual Windows spellings
// of the few characters whose Unicode mapping differs are accepted too).
// Returns false when the set has no such character.
[[nodiscard]] bool UnicodeToJis0208(char32_t codePoint, unsigned char* first,
                                    unsigned char* second);

}  // namespace vellumo
