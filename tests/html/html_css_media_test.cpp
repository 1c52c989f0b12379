// Media query lists against the desktop screen the renderer stands for.
#include <gtest/gtest.h>

#include <string>

#include "html/html_css_media.h"

namespace vellumo::test {
namespace {

TEST(HtmlCssMedia, MatchesADesktopScreen) {
    const struct {
        const char* media;
        bool matches;
    } cases[] = {
        {"", true},
        {" ", true},
        {"all", true},
        {"SCREEN", true},
        {"print", false},
        {"speech", false},
        {"print, screen", true},
        {"not print", true},
        {"not screen", false},
        {"only screen and (max-width: 600px)", false},
        {"only screen and (min-width: 601px)", true},
        {"screen and (max-device-width: 480px)", false},
        {"(min-width: 37.5em)", true},
        {"(max-width: 75em)", false},
        {"(orientation: portrait)", false},
        {"(orientation: landscape)", true},
        {"(-webkit-min-device-pixel-ratio: 2), (min-resolution: 192dpi)", false},
        {"(min-resolution: 1dppx) and (-webkit-max-device-pixel-ratio: 1)", true},
        {"(min-aspect-ratio: 4/3)", true},
        {"(prefers-color-scheme: dark)", false},
        {"(hover) and (pointer: fine)", true},
        {"(prefers-reduced-motion)", false},
        {"(scripting: enabled)", false},
        {"(400px <= width <= 1400px)", true},
        {"(width < 600px)", false},
        {"(600px < width)", true},
        {"(min-width: 600px) and (max-width: 900px)", false},
        {"(max-width: 600px) or (min-width: 900px)", true},
        {"not (max-width: 600px)", true},
        {"screen and (not (color))", false},
        {"/* print */ screen", true},
        {"screen and (min-width: 600px", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.media);
        EXPECT_EQ(CssMediaMatchesScreen(c.media), c.matches);
    }
}

// Unknown features and values are unknown, which counts as no match even
// negated; a query that does not parse matches nothing, and only itself.
TEST(HtmlCssMedia, UnknownAndMalformedQueriesMatchNothing) {
    const struct {
        const char* media;
        bool matches;
    } cases[] = {
        {"(unknown-feature)", false},
        {"not (unknown-feature)", false},
        {"(unknown-feature: 1) or (min-width: 0)", true},
        {"(min-width: 600)", false},
        {"(orientation: sideways)", false},
        {"not (orientation: sideways)", false},
        {"(min-orientation: landscape)", false},
        {"screen and", false},
        {"and screen", false},
        {"only", false},
        {"screen and (color) or (hover)", false},
        {"screen (color)", false},
        {"print, !!", false},
        {"!!, screen", true},
        {"calc(1) , screen", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.media);
        EXPECT_EQ(CssMediaMatchesScreen(c.media), c.matches);
    }
    EXPECT_FALSE(CssMediaMatchesScreen(std::string(kMaxMediaListBytes + 1, ' ') + "screen"));
    EXPECT_FALSE(CssMediaMatchesScreen(std::string(10000, '(') + "color"));
}

}  // namespace
}  // namespace vellumo::test
