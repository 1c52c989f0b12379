// Reading UTF-8 and the wide Unicode forms (UTF-16, UTF-32) as code points.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

// U+FFFD, written wherever input cannot be read as a character.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point of the well-formed UTF-8 sequence at `*pos` of `text`,
// advancing `*pos` past it; U+FFFD and one byte for an ill-formed one.
// `*pos` must be inside the text.
[[nodiscard]] char32_t NextUtf8CodePoint(std::string_view text, std::size_t* pos);

// UTF-16 bytes (little- or big-endian) decoded to UTF-8; unpaired
// surrogates and a final odd byte become U+FFFD.
[[nodiscard]] std::string DecodeUtf16(std::string_view bytes, bool bigEndian);

// UTF-32 bytes decoded to UTF-8; values that are no scalar value and a cut
// final unit become U+FFFD.
[[nodiscard]] std::string DecodeUtf32(std::string_view bytes, bool bigEndian);

}  // namespace vellumo
