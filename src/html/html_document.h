// The document tree the HTML tree builder produces: nodes in one vector,
// linked by index, with their text and the few attributes the renderer
// reads kept in one byte arena.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "html/html_tags.h"

namespace vellumo {

constexpr std::int32_t kNoNode = -1;

// A range of bytes in HtmlDocument::arena.
struct ArenaRange {
    std::uint32_t begin = 0;
    std::uint32_t length = 0;
};

enum HtmlNodeFlag : std::uint8_t {
    kNodeText = 1u << 0,
    kNodeHidden = 1u << 1,       // hidden attribute
    kNodePopover = 1u << 2,      // popover attribute
    kNodeOpen = 1u << 3,         // open attribute (details, dialog)
    kNodeForeign = 1u << 4,      // inside svg or math
    kNodeHiddenInput = 1u << 5,  // input type=hidden
};

struct HtmlNode {
    std::int32_t parent = kNoNode;
    std::int32_t firstChild = kNoNode;
    std::int32_t lastChild = kNoNode;
    std::int32_t nextSibling = kNoNode;
    std::int32_t previousSibling = kNoNode;
    HtmlTag tag = HtmlTag::kUnknown;
    std::uint8_t flags = 0;
    std::uint32_t nameId = 0;  // index into HtmlDocument::names (elements)
    ArenaRange text;           // text nodes: their text
    ArenaRange style;          // elements: the style attribute
    ArenaRange classes;        // elements: the class attribute
    ArenaRange id;             // elements: the id attribute
    ArenaRange target;         // a: the href attribute; img: the alt attribute

    [[nodiscard]] bool IsText() const { return (flags & kNodeText) != 0; }
};

struct HtmlDocument {
    std::vector<HtmlNode> nodes;  // nodes[0] is the html element
    std::string arena;
    std::vector<std::string> names;        // lower-case element names by nameId
    std::vector<std::string> styleSheets;  // text of each style element, in order
    std::int32_t body = kNoNode;           // none in a frameset document
    bool quirksMode = true;

    [[nodiscard]] std::string_view Text(ArenaRange range) const {
        return std::string_view(arena).substr(range.begin, range.length);
    }
};

}  // namespace vellumo
