// The built-in renderer: the text a browser gives as document.body.innerText,
// by the rendered text collection steps of the HTML standard, over the
// document tree and the style resolver. Linear time in the input, bounded
// nesting; input past the first GiB is ignored. Never throws; any bytes
// are accepted.
#pragma once

#include <string>
#include <string_view>

#include "html/html_document.h"
#include "html/html_text_options.h"

namespace vellumo {

struct HtmlCharset;

// The text of `html` in `charset`, written in that charset with CR LF line
// ends. An empty charset means windows-1252. The HTML is decoded to UTF-8
// first (UTF-8, the single-byte charsets with tables, ISO-2022-JP and -KR,
// UTF-16 and UTF-32), and the text written back in the charset (UTF-8 for
// the wide forms); characters that the charset cannot represent become "?"
// (a no-break space becomes a space). A charset without a decoder here is
// taken as ASCII-compatible: its bytes pass through unchanged.
[[nodiscard]] std::string RenderHtmlText(std::string_view html, std::string_view charset);

// RenderHtmlText with the extras chosen. With default options the result
// is RenderHtmlText's.
[[nodiscard]] std::string RenderHtmlText(std::string_view html, std::string_view charset,
                                         const HtmlTextOptions& options);

// The text of `html` read in the charset `inputCharset` names and written
// in the one `outputCharset` names, a character the output lacks as "?"
// (RenderHtmlText is this with both the same). HTML that cannot be read in
// its charset, or whose charset has no table here, passes through as its
// bytes, in its own charset.
[[nodiscard]] std::string RenderHtmlTextAs(std::string_view html, std::string_view inputCharset,
                                           std::string_view outputCharset,
                                           const HtmlTextOptions& options);

// The renderer on HTML already decoded: `charset` is UTF-8, or opaque for
// bytes that pass through. The text is in the same form, with the extras
// `options` chooses. With `shrinkInput`, the document's text is copied out
// of `html` once the document is built, and `html` is given back as it
// goes (HtmlSourceShrink): markup is most of mail's HTML, and rendering
// then holds only the text.
[[nodiscard]] std::string RenderDecodedHtml(std::string_view html, const HtmlCharset& charset,
                                            const HtmlTextOptions& options = HtmlTextOptions(),
                                            const HtmlSourceShrink& shrinkInput = nullptr);

// Whether the renderer reads HTML in the charset a label names, and
// whether it writes text in it (UTF-16 and UTF-32 are read only).
[[nodiscard]] bool ReadsHtmlCharset(std::string_view label);
[[nodiscard]] bool WritesHtmlCharset(std::string_view label);

}  // namespace vellumo
