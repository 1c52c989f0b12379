#pragma once
// The text of vellumo-html2text in the charset and line ends asked for.

#include <string>
#include <string_view>

#include "html/html_charset.h"

namespace vellumo {

// UTF-8 text written in `charset` (UTF-8 or a single-byte charset with a
// table): what the charset cannot represent becomes "?".
[[nodiscard]] std::string EncodeFromUtf8(std::string_view utf8, const HtmlCharset& charset);

// The text with each CR LF made a bare LF.
[[nodiscard]] std::string WithLfLineEnds(std::string_view text);

}  // namespace vellumo
