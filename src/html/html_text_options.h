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

// Breaks each CR LF line longer than `width` characters (UTF-8 sequences
// count once) at its last space within the width; a word longer than the
// width stays whole. A line's quote markers ("> " runs) begin each of its
// continuation lines too. Width 0 or less returns the text unchanged.
[[nodiscard]] std::string WrapTextLines(std::string_view text, int width);

}  // namespace vellumo
