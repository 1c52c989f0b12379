#include "html/html_document_editing.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

bool IsHiddenType(std::string_view value) {
    return EqualsIgnoringAsciiCase(value, "hidden");
}

}  // namespace

std::int32_t AddNode(HtmlDocument* document, HtmlTag tag, std::uint32_t nameId,
                     std::uint8_t flags) {
    HtmlNode node;
    node.tag = tag;
    node.nameId = nameId;
    node.flags = flags;
    document->nodes.push_back(node);
    return static_cast<std::int32_t>(document->nodes.size() - 1);
}

void AppendChild(HtmlDocument* document, std::int32_t parent, std::int32_t child) {
    HtmlNode& p = document->nodes[parent];
    HtmlNode& c = document->nodes[child];
    c.parent = parent;
    c.previousSibling = p.lastChild;
    if (p.lastChild != kNoNode) {
        document->nodes[p.lastChild].nextSibling = child;
    } else {
        p.firstChild = child;
    }
    p.lastChild = child;
}

void InsertBefore(HtmlDocument* document, std::int32_t reference, std::int32_t child) {
    std::vector<HtmlNode>& nodes = document->nodes;
    const std::int32_t parent = nodes[reference].parent;
    HtmlNode& c = nodes[child];
    c.parent = parent;
    c.nextSibling = reference;
    c.previousSibling = nodes[reference].previousSibling;
    if (c.previousSibling != kNoNode) {
        nodes[c.previousSibling].nextSibling = child;
    } else {
        nodes[parent].firstChild = child;
    }
    nodes[reference].previousSibling = child;
}

ArenaRange StoreText(HtmlDocument* document, std::string_view bytes) {
    ArenaRange range;
    range.begin = static_cast<std::uint32_t>(document->arena.size());
    range.length = static_cast<std::uint32_t>(bytes.size());
    document->arena.append(bytes);
    return range;
}

void SetElementAttributes(HtmlDocument* document, std::int32_t node, const HtmlToken& token) {
    for (std::size_t i = 0; i < token.attributeCount; ++i) {
        const std::string_view name = token.attributes[i].name;
        const std::string_view value = token.attributes[i].value;
        if (name == "style") {
            document->nodes[node].style = StoreText(document, value);
        } else if (name == "class") {
            document->nodes[node].classes = StoreText(document, value);
        } else if (name == "id") {
            document->nodes[node].id = StoreText(document, value);
        } else if (name == "hidden") {
            document->nodes[node].flags |= kNodeHidden;
        } else if (name == "popover") {
            document->nodes[node].flags |= kNodePopover;
        } else if (name == "open") {
            document->nodes[node].flags |= kNodeOpen;
        } else if (name == "type" && IsHiddenType(value)) {
            document->nodes[node].flags |= kNodeHiddenInput;
        }
    }
}

}  // namespace vellumo
