// Whether a media query list (a style element's media attribute) matches
// the screen the renderer stands for: a desktop browser window of the
// size below, light colours, a mouse, scripting off (as noscript content
// is shown). Media Queries Level 4: a list matches when any query does; an
// empty list matches; a query that does not parse matches nothing, and
// one that names an unknown feature or value is unknown, which counts as
// no match, so rules meant for another device are left out as a browser
// leaves them out. Never fails on any input.
#pragma once

#include <cstddef>
#include <string_view>

namespace vellumo {

constexpr double kScreenWidthPx = 1280;
constexpr double kScreenHeightPx = 800;
constexpr double kScreenPixelRatio = 1;
constexpr double kScreenColorBits = 8;
// A longer list is taken as matching nothing: its sheet is left out,
// which can only show more text.
constexpr std::size_t kMaxMediaListBytes = 64 * 1024;
// Parentheses nested deeper than this make the query unknown.
constexpr int kMaxMediaNesting = 32;

[[nodiscard]] bool CssMediaMatchesScreen(std::string_view mediaQueryList);

}  // namespace vellumo
