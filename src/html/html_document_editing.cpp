#include "html/html_document_editing.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

bool IsHiddenType(std::string_view value) {
    return EqualsIgnoringAsciiCase(value, "hidden");
}

// Whether `source` read with CR LF and CR as LF is `text`; `hasCr` tells
// whether it held a CR.
bool ReadsAs(std::string_view source, std::string_view text, bool* hasCr) {
    std::size_t at = 0;
    *hasCr = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        char c = source[i];
        if (c == '\r') {
            *hasCr = true;
            c = '\n';
            if (i + 1 < source.size() && source[i + 1] == '\n') {
                ++i;
            }
        }
        if (at >= text.size() || text[at] != c) {
            return false;
        }
        ++at;
    }
    return at == text.size();
}

}  // namespace

std::string_view HtmlDocument::NodeText(const HtmlNode& node, std::string* scratch) const {
    if ((node.flags & kNodeSourceText) == 0) {
        return Text(node.text);
    }
    const std::string_view bytes = source.substr(node.text.begin, node.text.length);
    if ((node.flags & kNodeSourceCr) == 0) {
        return bytes;
    }
    scratch->clear();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            scratch->push_back(bytes[i]);
            continue;
        }
        scratch->push_back('\n');
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
    }
    return *scratch;
}

void SetNodeText(HtmlDocument* document, std::int32_t node, std::string_view text,
                 std::size_t sourceBegin, std::size_t sourceEnd) {
    HtmlNode& target = document->nodes[node];
    bool hasCr = false;
    if (sourceBegin <= sourceEnd && sourceEnd <= document->source.size() &&
        ReadsAs(document->source.substr(sourceBegin, sourceEnd - sourceBegin), text, &hasCr)) {
        target.text.begin = static_cast<std::uint32_t>(sourceBegin);
        target.text.length = static_cast<std::uint32_t>(sourceEnd - sourceBegin);
        target.flags |= kNodeSourceText | (hasCr ? kNodeSourceCr : 0);
        return;
    }
    target.text = StoreText(document, text);
}

std::int32_t AddNode(HtmlDocument* document, HtmlTag tag, std::uint32_t nameId,
                     std::uint8_t flags) {
    HtmlNode node;
    node.tag = tag;
    node.element.nameId = nameId;
    node.flags = flags;
    document->nodes.push_back(node);
    return static_cast<std::int32_t>(document->nodes.size() - 1);
}

void AppendChild(HtmlDocument* document, std::int32_t parent, std::int32_t* lastChild,
                 std::int32_t child) {
    document->nodes[child].parent = parent;
    if (*lastChild != kNoNode) {
        document->nodes[*lastChild].nextSibling = child;
    } else {
        document->nodes[parent].firstChild = child;
    }
    *lastChild = child;
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
        } else if (name == "lang") {
            KeptAttributes(document, node).lang = StoreText(document, value);
            KeptAttributes(document, node).hasLang = true;
        } else if ((name == "href" && document->nodes[node].tag == HtmlTag::kA) ||
                   (name == "alt" && document->nodes[node].tag == HtmlTag::kImg)) {
            KeptAttributes(document, node).target = StoreText(document, value);
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
