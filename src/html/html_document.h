// The document tree the HTML tree builder produces: nodes in one chunked
// list (it grows without copying or spare capacity), linked by index, with
// their text in the HTML itself or in one byte arena, and the few
// attributes the renderer reads in that arena too. A node is 8 bytes, as
// mail markup makes about one node per ten bytes of HTML. The builder makes
// nodes in tree order nearly always, so an element's first child and a
// text node's next sibling are mostly the node made just after it: a flag
// says so, and the few links that are not are in a side list. What else
// does not fit in a node (an element's attributes, a name id past 16 bits,
// the length of a long text) is in a side table of the few nodes that need
// it. Nodes keep no link to their parent: the builder and the renderer know
// the path from the root to where they are.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "html/html_arena.h"
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
    // Elements: kept attributes are in the side table; text nodes: the
    // range is in HtmlDocument::source.
    kNodeKeptAttributes = 1u << 6,
    kNodeSourceText = 1u << 6,
    // Text nodes (the bit is kNodeHidden on elements): the source range
    // holds CRs that read as line feeds.
    kNodeSourceCr = 1u << 1,
    // An element's first child, or a text node's next sibling, is the node
    // made just after it. Without the flag the link is in
    // HtmlDocument::asideLinks, or there is none.
    kNodeLinkFollows = 1u << 7,
};

// The value of HtmlNode::slot that sends the reader to the side table.
constexpr std::uint16_t kSlotInExtras = 0xFFFF;
constexpr std::uint32_t kNoAttributes = 0xFFFFFFFF;

// The attributes the style resolver and the renderer read, as views of the
// arena (empty when absent).
struct HtmlElementAttributes {
    std::string_view style;
    std::string_view classes;
    std::string_view id;
    std::string_view lang;
    std::string_view target;  // a: the href attribute; img: the alt attribute
    bool hasLang = false;     // lang="" names no language and still ends the parent's
};

struct HtmlNode {
    [[nodiscard]] bool IsText() const { return (flags & kNodeText) != 0; }

    // Elements: the next sibling (kNoNode as unsigned); text nodes: where
    // the text begins in the source or the arena.
    std::uint32_t siblingOrBegin = static_cast<std::uint32_t>(kNoNode);
    HtmlTag tag = HtmlTag::kUnknown;  // kUnknown for text nodes
    std::uint8_t flags = 0;
    // Elements: the name id; text nodes: the text's length. kSlotInExtras
    // when the value is in HtmlDocument::extras instead.
    std::uint16_t slot = 0;
};

static_assert(sizeof(HtmlNode) == 8, "a node stays small");

// A link kNodeLinkFollows does not give: an element's first child or a
// text node's next sibling.
struct HtmlNodeLink {
    std::int32_t node = kNoNode;
    std::int32_t target = kNoNode;
};

// What a node keeps in the side table.
struct HtmlNodeExtra {
    std::int32_t node = kNoNode;
    std::uint32_t value = 0;                   // the slot's value when it is kSlotInExtras
    std::uint32_t attributes = kNoAttributes;  // where the kept attributes are in the arena
};

using HtmlNodes = std::deque<HtmlNode>;

// Gives back the caller's buffer of a document's source as its reader stops
// reading it from the end: called with how many leading bytes are still
// read, fewer each time and 0 at last, it may shrink the buffer to them, and
// returns where they now are (a buffer may move as it shrinks).
using HtmlSourceShrink = std::function<const char*(std::size_t keep)>;

struct HtmlDocument {
    HtmlNodes nodes;                       // nodes[0] is the html element
    std::deque<HtmlNodeExtra> extras;      // by node index
    std::vector<HtmlNodeLink> asideLinks;  // by node index
    HtmlArena arena;
    // The HTML the document was built from; text nodes refer to it where
    // their text is its bytes, so it must outlive the document.
    std::string_view source;
    std::size_t sourceSize = 0;  // the size of that HTML, kept once it is given back
    // Whether the text nodes' ranges in the source follow one another in
    // node order, as they were set; the last node given one, and its end.
    bool sourceTextInOrder = true;
    std::int32_t lastSourceTextNode = kNoNode;
    std::size_t sourceTextEnd = 0;
    std::vector<std::string> names;  // lower-case element names by name id
    // The text of each style element whose media a screen matches, in order.
    std::vector<std::string> styleSheets;
    std::int32_t body = kNoNode;  // none in a frameset document
    bool quirksMode = true;
    // Where ExtraOf found the last entry: readers go through the tree
    // mostly in index order, so the next entry is tried first.
    mutable std::size_t lastExtra = 0;

    [[nodiscard]] std::string_view Text(ArenaRange range) const {
        return arena.View(range.begin, range.length);
    }
    // kNoNode for a text node and for an element without children.
    [[nodiscard]] std::int32_t FirstChild(std::int32_t index) const {
        return nodes[index].IsText() ? kNoNode : FollowingOrAside(index);
    }
    [[nodiscard]] std::int32_t NextSibling(std::int32_t index) const {
        const HtmlNode& node = nodes[index];
        return node.IsText() ? FollowingOrAside(index)
                             : static_cast<std::int32_t>(node.siblingOrBegin);
    }
    // The link kNodeLinkFollows or asideLinks gives node `index`.
    [[nodiscard]] std::int32_t FollowingOrAside(std::int32_t index) const {
        if ((nodes[index].flags & kNodeLinkFollows) != 0) {
            return index + 1;
        }
        return asideLinks.empty() ? kNoNode : AsideLink(index);
    }
    [[nodiscard]] std::int32_t AsideLink(std::int32_t index) const;
    // The side table entry of node `index`, or nullptr.
    [[nodiscard]] const HtmlNodeExtra* ExtraOf(std::int32_t index) const;
    // An element's name id and lower-case name.
    [[nodiscard]] std::uint32_t NameId(std::int32_t index) const;
    [[nodiscard]] const std::string& NameOf(std::int32_t index) const {
        return names[NameId(index)];
    }
    // A text node's text as stored, a view of the arena or the source; when
    // `*crs` is set, CR LF and CR in it read as LF (ForEachTextPiece).
    [[nodiscard]] std::string_view StoredText(std::int32_t index, bool* crs) const;
    // A text node's text: a view of the arena or the source, or the source
    // bytes with CR LF and CR read as LF, written into `scratch`.
    [[nodiscard]] std::string_view NodeText(std::int32_t index, std::string* scratch) const;
    // The element's kept attributes; all empty when it has none.
    [[nodiscard]] HtmlElementAttributes AttributesOf(std::int32_t index) const;
};

// Calls `visit` with the pieces of `stored` (as StoredText gives it) that
// make up the text: with `crs`, the runs between CRs as they are and "\n"
// for each CR LF or CR, so that a long text is never copied to be read.
template <typename Visit>
void ForEachTextPiece(std::string_view stored, bool crs, Visit visit) {
    if (!crs) {
        visit(stored);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\r') {
            continue;
        }
        if (i > start) {
            visit(stored.substr(start, i - start));
        }
        visit(std::string_view("\n"));
        if (i + 1 < stored.size() && stored[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < stored.size()) {
        visit(stored.substr(start));
    }
}

}  // namespace vellumo
