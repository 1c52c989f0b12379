// Extras of the built-in renderer beyond the browser's text, for the
// command-line tool. All are off by default, so the plug-in's text stays
// exactly what a browser gives as innerText.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

struct HtmlTextOptions {
    bool links = false;         // "[n]" after each link, and the numbered targets at the end
    bool altText = false;       // an image's alt text where the image stands
    bool listMarkers = false;   // "*" before items of unordered lists, "1." in ordered ones
    bool quoteMarkers = false;  // "> " before each line of a blockquote, once per level
    int wrapWidth = 0;          // longer lines are broken at spaces; 0 or less keeps them
};

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

// Whether the renderer reads HTML in the charset a label names, and
// whether it writes text in it (UTF-16 and UTF-32 are read only).
[[nodiscard]] bool ReadsHtmlCharset(std::string_view label);
[[nodiscard]] bool WritesHtmlCharset(std::string_view label);

// Breaks each CR LF line longer than `width` characters (UTF-8 sequences
// count once) at its last space within the width; a word longer than the
// width stays whole. A line's quote markers ("> " runs) begin each of its
// continuation lines too. Width 0 or less returns the text unchanged.
[[nodiscard]] std::string WrapTextLines(std::string_view text, int width);

}  // namespace vellumo
