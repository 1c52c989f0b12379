// ISO-2022-JP (RFC 1468), the usual charset of Japanese mail: a 7-bit code
// that switches between ASCII, JIS X 0201 Roman and katakana and JIS X 0208
// with escape sequences. The decoder is a step of TextDecoder
// (decoder_steps.h); this is the encoder.
#pragma once

#include <string>

namespace vellumo {

// The Encoding Standard's ISO-2022-JP encoder: one code point at a time,
// with the escapes it needs; Finish returns to ASCII.
class Iso2022JpEncoder {
  public:
    // False, writing nothing, when the charset has no form for `codePoint`.
    [[nodiscard]] bool Encode(char32_t codePoint, std::string* out);
    void Finish(std::string* out);

  private:
    enum class Mode { kAscii, kRoman, kJis0208 };
    void Switch(Mode mode, std::string* out);
    Mode mode_ = Mode::kAscii;
};

}  // namespace vellumo
