// The platform's HTML engine (MSHTML, Windows only): the body's text of an
// HTML document as the system engine gives it, and the hand-over to the
// built-in renderer when the engine gives none.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

// Larger HTML is always left to the built-in renderer: the engine parses
// on the mail client's UI thread, with no way to stop it.
constexpr std::size_t kHtmlEngineMaxInputBytes = 2 * 1024 * 1024;

// What the platform engine produced. `engineAvailable` is false when the
// engine was not used or any step of it failed; `text` is then empty. When
// it is true, an empty `text` means the engine found the text empty.
struct HtmlTextResult {
    bool engineAvailable = false;
    std::string text;
};

// Loads `html` into an MSHTML document and returns the body's innerText.
// `charset` is the message's charset name (the Content-Type parameter, any
// case): the HTML is read and the text written in its Windows code page,
// windows-1252 when it is empty, code page 28591 (every byte passes
// through) when Windows does not know it; what the charset cannot hold
// becomes "?", never a look-alike. The engine is unavailable unless all of
// these hold: `html` is at most kHtmlEngineMaxInputBytes; the process does
// not run under Wine; the calling thread already has a single-threaded
// apartment, which is left as it was; and every call on the document and
// every conversion succeeds. The document gets the HTML rebuilt by
// MakeHtmlOffline, an offline and silent client site, and no message boxes;
// it is closed and released before the call returns. On other platforms
// the result always says the engine is unavailable.
[[nodiscard]] HtmlTextResult ExtractHtmlText(std::string_view html, std::string_view charset);

// The engine's text when it has any, otherwise the built-in renderer's: an
// unavailable engine, or an engine with empty text, hands over to the
// renderer, so a body the renderer can read is never blanked.
[[nodiscard]] std::string EngineTextOrRendered(HtmlTextResult engine, std::string_view html,
                                               std::string_view charset);

}  // namespace vellumo
