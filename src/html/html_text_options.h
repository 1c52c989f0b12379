// Extras of the built-in renderer beyond the browser's text: the reading
// aids of the plug-in's settings and of the command-line tool. All are off
// by default, so the text stays exactly what a browser gives as innerText.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

struct HtmlTextOptions {
    // "[n]" after each link and the numbered targets at the end, each once
    // (HtmlLinkList: no scripts, no link whose text shows its target)
    bool links = false;
    bool altText = false;       // an image's alt text where the image stands
    bool listMarkers = false;   // "*" before items of unordered lists, "1." in ordered ones
    bool quoteMarkers = false;  // "> " before each line of a blockquote, once per level
    bool tidy = false;          // no blank lines at the ends, at most one in a row
    bool tableColumns = false;  // rows of data tables in aligned columns (AlignTableColumns)
    int wrapWidth = 0;          // longer lines are broken at spaces; 0 or less keeps them

    [[nodiscard]] bool AnyExtra() const {
        return links || altText || listMarkers || quoteMarkers || tidy || tableColumns ||
               wrapWidth > 0;
    }
};

// Every reading aid (links, alt text, list and quote markers, tidy text,
// table columns),
// lines broken at `wrapWidth` when it is above 0.
[[nodiscard]] inline HtmlTextOptions ReadingAids(int wrapWidth) {
    HtmlTextOptions options;
    options.links = options.altText = options.listMarkers = options.quoteMarkers = true;
    options.tidy = options.tableColumns = true;
    options.wrapWidth = wrapWidth;
    return options;
}

// The text without blank lines before its first line or after its last,
// with at most one blank line in a row, each empty, and without blanks at
// the ends of lines. A blank line holds
// only blanks and tabs, and in UTF-8 text (`utf8`) also the characters that
// show nothing (no-break and other spaces, zero-width characters).
[[nodiscard]] std::string TidyTextLines(std::string_view text, bool utf8);

// Lays out runs of two or more consecutive lines with the same number of
// tab-separated cells (at least two), the rows of a data table, in columns
// aligned with spaces, when the widest row fits in `width` characters (80
// for 0 or less). Other lines stay as they are: a layout table's rows are
// broken by the blocks in their cells, or hold one cell each.
[[nodiscard]] std::string AlignTableColumns(std::string_view text, int width);

// Breaks each CR LF line longer than `width` characters (UTF-8 sequences
// count once) at its last space within the width; a word longer than the
// width stays whole, and a space before a reference number ("[3]") is no
// break. A line's quote markers ("> " runs) begin each of its continuation
// lines too, followed by as many spaces as the line's indent and list
// marker ("* ", "- ", "12. ") take. Width 0 or less returns the text
// unchanged.
[[nodiscard]] std::string WrapTextLines(std::string_view text, int width);

}  // namespace vellumo
