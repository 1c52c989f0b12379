// Text written back in an encoding with the Encoding Standard's encoders.
#pragma once

#include <string>
#include <string_view>

#include "charset/encoding.h"
#include "charset/iso2022jp.h"
#include "charset/iso2022kr.h"

namespace vellumo {

class TextEncoder {
  public:
    explicit TextEncoder(Encoding encoding) : encoding_(encoding) {}

    // Appends the bytes of `codePoint`; false, writing nothing, when the
    // encoding has no form for it. UTF-8 holds every character; UTF-16 and
    // UTF-32, which mail text is not written in, and the replacement
    // encoding hold none.
    [[nodiscard]] bool Encode(char32_t codePoint, std::string* out);
    // Ends the text: the ISO-2022 encodings return to ASCII.
    void Finish(std::string* out);

  private:
    Encoding encoding_;
    Iso2022JpEncoder iso2022Jp_;
    Iso2022KrEncoder iso2022Kr_;
};

// Well-formed UTF-8 `text` in `encoding`, written into `out`. A character
// the encoding lacks is written as `substitute(codePoint)` (ASCII, say "?");
// false as soon as there is none ('\0', or no `substitute`).
// ISO-2022-KR text with any Korean starts with its announcement.
using Substitute = char (*)(char32_t codePoint);
[[nodiscard]] bool EncodeText(Encoding encoding, std::string_view text, Substitute substitute,
                              std::string* out);

}  // namespace vellumo
