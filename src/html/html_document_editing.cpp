#include "html/html_document_editing.h"

namespace vellumo {
namespace {

bool IsHiddenType(std::string_view value) {
    constexpr std::string_view kHidden = "hidden";
    if (value.size() != kHidden.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kHidden.size(); ++i) {
        const char c = value[i] >= 'A' && value[i] <= 'Z' ? value[i] - 'A' + 'a' : value[i];
        if (c != kHidden[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::int32_t AddNode(HtmlDocument* document, HtmlTag tag, std::uint32_t nameId,
                     std::uint8_t flags) {
    HtmlNode node;
    node.tag = tag;
    node.element.nameId = nameId;
    node.flags = flags;
    document->nodes.push_back(node);
    return static_cast<std::int32_t>(document->nodes.size() - 1);
}

void AppendChild(HtmlDocument* document, std::int32_t parent, std::int32_t child) {
    HtmlNode& p = document->nodes[parent];
    HtmlNode& c = document->nodes[child];
    c.parent = parent;
    if (p.lastChild != kNoNode) {
        document->nodes[p.lastChild].nextSibling = child;
    } else {
        p.firstChild = child;
    }
    p.lastChild = child;
}

void InsertBefore(HtmlDocument* document, std::int32_t reference, std::int32_t previous,
                  std::int32_t child) {
    HtmlNodes& nodes = document->nodes;
    const std::int32_t parent = nodes[reference].parent;
    HtmlNode& c = nodes[child];
    c.parent = parent;
    c.nextSibling = reference;
    if (previous != kNoNode) {
        nodes[previous].nextSibling = child;
    } else {
        nodes[parent].firstChild = child;
    }
}

ArenaRange StoreText(HtmlDocument* document, std::string_view bytes) {
    ArenaRange range;
    range.begin = static_cast<std::uint32_t>(document->arena.size());
    range.length = static_cast<std::uint32_t>(bytes.size());
    document->arena.append(bytes);
    return range;
}

// The node's entry in the attribute table, made on first use.
static HtmlElementAttributes& KeptAttributes(HtmlDocument* document, std::int32_t node) {
    std::uint32_t& index = document->nodes[node].element.attributes;
    if (index == kNoAttributes) {
        index = static_cast<std::uint32_t>(document->attributes.size());
        document->attributes.emplace_back();
    }
    return document->attributes[index];
}

void SetElementAttributes(HtmlDocument* document, std::int32_t node, const HtmlToken& token) {
    for (std::size_t i = 0; i < token.attributeCount; ++i) {
        const std::string_view name = token.attributes[i].name;
        const std::string_view value = token.attributes[i].value;
        if (name == "style") {
            KeptAttributes(document, node).style = StoreText(document, value);
        } else if (name == "class") {
            KeptAttributes(document, node).classes = StoreText(document, value);
        } else if (name == "id") {
            KeptAttributes(document, node).id = StoreText(document, value);
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
