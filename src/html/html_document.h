// The document tree the HTML tree builder produces: nodes in one chunked
// list (it grows without copying or spare capacity), linked by index, with
// their text and the few attributes the renderer reads kept in one byte
// arena. A node is kept small: the attributes live in a table of their own,
// for the elements that have them.
#pragma once

#include <cstdint>
#include <deque>
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
    kNodeSourceText = 1u << 6,   // text nodes: the range is in HtmlDocument::source
    kNodeSourceCr = 1u << 7,     // ... and holds CRs that read as line feeds
};

constexpr std::uint32_t kNoAttributes = 0xFFFFFFFF;

// The attributes the style resolver reads (empty ranges when absent).
struct HtmlElementAttributes {
    ArenaRange style;
    ArenaRange classes;
    ArenaRange id;
    ArenaRange lang;
    ArenaRange target;     // a: the href attribute; img: the alt attribute
    bool hasLang = false;  // lang="" names no language and still ends the parent's
};

struct HtmlElementData {
    std::uint32_t nameId;      // index into HtmlDocument::names
    std::uint32_t attributes;  // index into HtmlDocument::attributes, or kNoAttributes
};

// 24 bytes: mail markup makes about one node per ten bytes of HTML.
struct HtmlNode {
    HtmlNode() : element{0, kNoAttributes} {}

    std::int32_t parent = kNoNode;
    std::int32_t firstChild = kNoNode;
    std::int32_t nextSibling = kNoNode;
    HtmlTag tag = HtmlTag::kUnknown;
    std::uint8_t flags = 0;
    union {
        HtmlElementData element;  // elements
        ArenaRange text;          // text nodes: their text
    };

    [[nodiscard]] bool IsText() const { return (flags & kNodeText) != 0; }
};

using HtmlNodes = std::deque<HtmlNode>;

struct HtmlDocument {
    HtmlNodes nodes;  // nodes[0] is the html element
    std::vector<HtmlElementAttributes> attributes;
    std::string arena;
    // The HTML the document was built from; text nodes refer to it where
    // their text is its bytes, so it must outlive the document.
    std::string_view source;
    std::vector<std::string> names;        // lower-case element names by nameId
    std::vector<std::string> styleSheets;  // text of each style element, in order
    std::int32_t body = kNoNode;           // none in a frameset document
    bool quirksMode = true;

    [[nodiscard]] std::string_view Text(ArenaRange range) const {
        return std::string_view(arena).substr(range.begin, range.length);
    }
    // A text node's text: a view of the arena or the source, or the source
    // bytes with CR LF and CR read as LF, written into `scratch`.
    [[nodiscard]] std::string_view NodeText(const HtmlNode& node, std::string* scratch) const;
    // The element's kept attributes; all empty when it has none.
    [[nodiscard]] const HtmlElementAttributes& AttributesOf(const HtmlNode& node) const {
        static const HtmlElementAttributes kNone;
        return node.IsText() || node.element.attributes == kNoAttributes
                   ? kNone
                   : attributes[node.element.attributes];
    }
};

}  // namespace vellumo
