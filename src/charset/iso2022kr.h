// ISO-2022-KR (RFC 1557): 7-bit Korean mail, ASCII with KS X 1001 between
// shift-out and shift-in, announced by "ESC $ ) C". The standard gives its
// labels the replacement decoder; old Korean mail is in it, so it is read
// here. The decoder is a step of TextDecoder (decoder_steps.h), lenient:
// the announcement may appear anywhere (or not at all), CR and LF pass in
// either mode, another escape, a byte above 0x7F, a cut-off pair or an
// unassigned cell each become U+FFFD.
#pragma once

#include <string>

namespace vellumo {

inline constexpr char kIso2022KrAnnouncement[] = "\x1B$)C";

class Iso2022KrEncoder {
  public:
    // False, writing nothing, when KS X 1001 has no form for `codePoint`.
    [[nodiscard]] bool Encode(char32_t codePoint, std::string* out);
    // Shifts back in at the end.
    void Finish(std::string* out);

  private:
    bool korean_ = false;
};

}  // namespace vellumo
