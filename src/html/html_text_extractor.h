// Turning the HTML body of a message into plain text.
//
// Two producers exist: the platform's HTML engine (MSHTML, Windows only) and
// a built-in renderer that follows the browser's innerText rules. Both take
// the HTML as bytes in the message's charset and return the body's text in
// that same charset with CR LF line ends. Neither throws; any bytes are
// accepted.
#pragma once

#include <string>
#include <string_view>

#include "html/html_charset.h"
#include "html/html_output_charset.h"

namespace vellumo {

// What the platform engine produced. `engineAvailable` is false when the
// engine could not be used at all (no document object, no IPersistStreamInit,
// no way to keep the document offline, no body element, or no engine on this
// platform); `text` is then empty.
// When it is true, an empty `text` means the document's text is empty.
struct HtmlTextResult {
    bool engineAvailable = false;
    std::string text;
};

// Loads `html` into an MSHTML document and returns the body's innerText.
// `charset` is the message's charset name (the Content-Type parameter, any
// case): "utf-8" converts through UTF-8, the common single-byte charsets
// through their Windows code page, anything else (or empty) through the ANSI
// code page. The document gets no network access. COM is initialised and
// uninitialised within the call (never undone when the caller's own
// initialisation is of another kind). On other platforms the result always
// says the engine is unavailable.
[[nodiscard]] HtmlTextResult ExtractHtmlText(std::string_view html, std::string_view charset);

// The built-in renderer: the text a browser gives as document.body.innerText
// for `html`, written in `charset`. An empty charset means windows-1252.
// The HTML is decoded to UTF-8 first (UTF-8, the single-byte charsets with
// tables, ISO-2022-JP and -KR, UTF-16 and UTF-32), and the text written back in the
// charset (UTF-8 for the wide forms); characters that the charset cannot
// represent become "?" (a no-break space becomes a space). A charset
// without a decoder here is taken as ASCII-compatible: its bytes pass
// through unchanged. Linear time in the input, bounded nesting; input past
// the first GiB is ignored.
[[nodiscard]] std::string RenderHtmlText(std::string_view html, std::string_view charset);

// The built-in renderer on HTML already decoded: `charset` is UTF-8, or
// opaque for bytes that pass through. The text is in the same form.
[[nodiscard]] std::string RenderDecodedHtml(std::string_view html, const HtmlCharset& charset);

// The text of an HTML message body in one charset, and that charset's name
// ("" for plain ASCII). The charset read is `messageCharset`, or when that is
// empty the one the HTML declares (SniffHtmlCharset), or windows-1252. The
// text is the engine's where the engine can be used, otherwise the built-in
// renderer's; either way it is written as EncodeForLabel
// (html_output_charset.h) writes it. Returns false, with `out` untouched,
// for a charset that cannot be read here (ISO-2022-CN).
[[nodiscard]] bool HtmlToLabelledText(std::string_view html, std::string_view messageCharset,
                                      LabelledText* out);

// The text of HtmlToLabelledText without its label; the bytes pass through
// unchanged for a charset that cannot be read.
[[nodiscard]] std::string HtmlToText(std::string_view html, std::string_view charset);

}  // namespace vellumo
