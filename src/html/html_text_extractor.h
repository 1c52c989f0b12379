// Turning the HTML body of a message into plain text.
//
// Two producers exist: a built-in renderer that follows the browser's
// innerText rules, and the platform's HTML engine (MSHTML, Windows only;
// html/engine/html_engine.h). Both take the HTML as bytes in the message's
// charset and return the body's text in that same charset with CR LF line
// ends. Neither throws; any bytes are accepted.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "charset/charset.h"
#include "charset/output_charset.h"
#include "html/html_renderer.h"
#include "html/html_text_options.h"

namespace vellumo {

// Where the text is taken from: the built-in renderer, or the platform
// engine with the renderer behind it.
enum class HtmlTextSource { kBuiltInRenderer, kPlatformEngine };

// The text of an HTML message body in one charset, and that charset's name
// ("" for plain ASCII). The charset read is `messageCharset`, or when that is
// empty the one the HTML declares (SniffHtmlCharset), or windows-1252. The
// HTML is decoded before either producer sees it (the engine gets UTF-8, so
// no host code page is needed), and the text is written as EncodeForLabel
// (charset/output_charset.h) writes it; a charset without a decoder here goes
// to the engine as it is. Returns false, with `out` untouched, for a
// charset that cannot be read here (ISO-2022-CN). `shrinkInput`, when set,
// gives the caller's buffer of `html` back as it is no longer read
// (HtmlSourceShrink): with 0 at once when the HTML was decoded into a copy,
// so that it is freed before the document is built; from the end, as the
// document's text is copied out of it, when the built-in renderer reads it
// in place; not at all when the engine reads it. With any extra in
// `options` the built-in renderer writes the text whatever `source` says:
// the engine gives the browser's text only.
[[nodiscard]] bool HtmlToLabelledText(std::string_view html, std::string_view messageCharset,
                                      LabelledText* out,
                                      HtmlTextSource source = HtmlTextSource::kBuiltInRenderer,
                                      const HtmlSourceShrink& shrinkInput = nullptr,
                                      const HtmlTextOptions& options = HtmlTextOptions());

// The text of HtmlToLabelledText without its label; the bytes pass through
// unchanged for a charset that cannot be read. Natively this is always the
// renderer's text.
[[nodiscard]] std::string HtmlToText(std::string_view html, std::string_view charset,
                                     HtmlTextSource source = HtmlTextSource::kBuiltInRenderer);

}  // namespace vellumo
