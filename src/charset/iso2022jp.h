// ISO-2022-JP (RFC 1468), the usual charset of Japanese mail: a 7-bit code
// that switches between ASCII, JIS X 0201 (Roman and katakana) and
// JIS X 0208 with escape sequences.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

// `bytes` decoded to UTF-8. Lenient as mail needs it: CR and LF pass in any
// mode; an unknown escape, a byte above 0x7F, a cut-off pair or an
// unassigned cell each become U+FFFD. Linear in the input.
[[nodiscard]] std::string DecodeIso2022Jp(std::string_view bytes);

// Encodes well-formed UTF-8 `text` as ISO-2022-JP, appending to `out`: the
// shortest escapes, and back in ASCII before every CR and LF and at the end.
// Returns false, with `out` left partly written, when a character has no
// form in the charset.
[[nodiscard]] bool EncodeIso2022Jp(std::string_view text, std::string* out);

}  // namespace vellumo
