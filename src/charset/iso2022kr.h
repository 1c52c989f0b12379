// ISO-2022-KR (RFC 1557): 7-bit Korean mail, ASCII with KS X 1001 between
// shift-out and shift-in, announced by "ESC $ ) C".
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

// `bytes` decoded to UTF-8. Lenient: the announcement may appear anywhere
// (or not at all); CR and LF pass in either mode; another escape, a byte
// above 0x7F, a cut-off pair or an unassigned cell each become U+FFFD.
[[nodiscard]] std::string DecodeIso2022Kr(std::string_view bytes);

// Encodes well-formed UTF-8 `text` as ISO-2022-KR, appending to `out`: the
// announcement at the start when any Korean follows, shift-in before every
// CR and LF and at the end. Returns false, with `out` partly written, when
// a character has no form in the charset.
[[nodiscard]] bool EncodeIso2022Kr(std::string_view text, std::string* out);

}  // namespace vellumo
