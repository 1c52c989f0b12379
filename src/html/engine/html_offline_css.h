// CSS that gives an HTML engine nothing to fetch. Used on style elements and
// style attributes before the system engine sees a message; the built-in
// renderer never fetches and does not need it.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

// The functions that stay, none of which can name something to fetch; every
// other function (url(), image(), attr(), expression(), AlphaImageLoader(),
// ...) becomes "none" together with its arguments.
constexpr std::string_view kOfflineCssFunctions[] = {
    // values
    "rgb", "rgba", "hsl", "hsla", "calc", "min", "max", "clamp", "var", "rect", "counter",
    "counters", "local", "format",
    // media queries and selectors
    "and", "not", "or", "only", "is", "where", "lang", "dir", "nth-child", "nth-last-child",
    "nth-of-type", "nth-last-of-type"};

// `css` (bytes, ASCII-compatible) with every way of fetching taken out, so
// that no spelling hides one:
//  1. comments, backslashes (the escapes) and control characters other than
//     white space are removed, so that "u\rl(", "\75 rl(" and "ur/**/l("
//     read as the name they spell;
//  2. a function not in kOfflineCssFunctions becomes "none", wherever it
//     stands (strings included: IE parses filter strings later);
//  3. at-rules other than @media (@import, @font-face, @namespace, ...) are
//     removed with their prelude and block;
//  4. the property names behavior, -ms-behavior and -moz-binding get an
//     "inert-" prefix, so the engine ignores those declarations;
//  5. "<" and "&" are removed, so that the text can neither end a style
//     element early nor, inside svg or math, where a style element's text
//     is read as markup, spell anything through a character reference.
// Any bytes are accepted; the result is at most twice as long as `css`.
[[nodiscard]] std::string MakeCssOffline(std::string_view css);

}  // namespace vellumo
