// Case mapping for CSS text-transform over the scripts mail commonly uses:
// ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic. Other characters
// keep their case.
#pragma once

#include <string>
#include <string_view>

#include "charset/charset.h"
#include "html/html_css.h"

namespace vellumo {

[[nodiscard]] char32_t UpperCase(char32_t c);
[[nodiscard]] char32_t LowerCase(char32_t c);

// Appends `run` (text without collapsible white space, in `charset`) with
// `transform` applied. `afterWordChar` carries across calls whether the last
// character belonged to a word, for capitalize. A character whose mapping
// the charset cannot hold is kept as it is. An uppercase sharp s is "SS".
// With `turkic` (Turkish and Azerbaijani text) i and I pair with the dotted
// capital and the dotless small letter.
void AppendTransformed(std::string_view run, CssTextTransform transform, const HtmlCharset& charset,
                       bool* afterWordChar, std::string* out, bool turkic = false);

}  // namespace vellumo
