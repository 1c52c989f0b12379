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
// Characters from references that the charset cannot represent become "?"
// (a no-break space becomes a space). A charset without a table here is
// taken as ASCII-compatible: its bytes pass through unchanged. Linear time
// in the input, bounded nesting; input past the first GiB is ignored.
[[nodiscard]] std::string RenderHtmlText(std::string_view html, std::string_view charset);

// The engine's text where the engine can be used, otherwise the built-in
// renderer's. Natively this is always the renderer.
[[nodiscard]] std::string HtmlToText(std::string_view html, std::string_view charset);

}  // namespace vellumo
