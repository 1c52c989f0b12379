// The HTML tree builder: the parts of the standard's tree construction that
// decide where text ends up (implied end tags, head and body, tables and
// foster parenting of misplaced content, raw text elements, svg and math).
// Nesting is bounded: past kMaxOpenElements (html_open_elements.h) open
// elements, new elements are added as leaves.
#pragma once

#include <string_view>

#include "charset/charset.h"
#include "html/html_document.h"

namespace vellumo {

// Parses `html` (bytes in `charset`) into a document. Never fails. A link's
// href and an image's alt text are kept only with `keepTargets`.
[[nodiscard]] HtmlDocument BuildHtmlDocument(std::string_view html, const HtmlCharset& charset,
                                             bool keepTargets = true);

}  // namespace vellumo
