// Turning the HTML body of a message into plain text.
//
// Two producers exist: the platform's HTML engine (MSHTML, Windows only) and
// a built-in renderer that follows the browser's innerText rules. Both take
// the HTML as bytes in the message's charset and return the body's text in
// that same charset with CR LF line ends. Neither throws; any bytes are
// accepted.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "html/html_charset.h"
#include "html/html_output_charset.h"
#include "html/html_renderer.h"

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

// Where the text is taken from: the built-in renderer, or the platform
// engine with the renderer behind it.
enum class HtmlTextSource { kBuiltInRenderer, kPlatformEngine };

// The text of an HTML message body in one charset, and that charset's name
// ("" for plain ASCII). The charset read is `messageCharset`, or when that is
// empty the one the HTML declares (SniffHtmlCharset), or windows-1252. The
// HTML is decoded before either producer sees it (the engine gets UTF-8, so
// no host code page is needed), and the text is written as EncodeForLabel
// (html_output_charset.h) writes it; a charset without a decoder here goes
// to the engine as it is. Returns false, with `out` untouched, for a
// charset that cannot be read here (ISO-2022-CN). `releaseInput`, when
// set, is called as soon as `html` is no longer read (it was decoded into
// a copy), so that the caller can free it before the document is built;
// it is not called when the HTML is read in place.
[[nodiscard]] bool HtmlToLabelledText(std::string_view html, std::string_view messageCharset,
                                      LabelledText* out,
                                      HtmlTextSource source = HtmlTextSource::kBuiltInRenderer,
                                      const std::function<void()>& releaseInput = nullptr);

// The text of HtmlToLabelledText without its label; the bytes pass through
// unchanged for a charset that cannot be read. Natively this is always the
// renderer's text.
[[nodiscard]] std::string HtmlToText(std::string_view html, std::string_view charset,
                                     HtmlTextSource source = HtmlTextSource::kBuiltInRenderer);

}  // namespace vellumo
