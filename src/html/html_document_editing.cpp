#include "html/html_document_editing.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

// The kept attributes of an element, in this order, after a header: a
// byte with a bit for each value that is not empty and one for a lang
// attribute, then the length of each such value, 7 bits a byte.
enum KeptAttribute { kStyle, kClasses, kId, kLang, kTarget, kKeptCount };
constexpr unsigned kHasLangBit = 1u << kKeptCount;

void AppendLength(std::size_t length, std::string* out) {
    while (length >= 0x80) {
        out->push_back(static_cast<char>(0x80 | (length & 0x7F)));
        length >>= 7;
    }
    out->push_back(static_cast<char>(length));
}

std::size_t ReadLength(std::string_view bytes, std::size_t* at) {
    std::size_t length = 0;
    for (int shift = 0; *at < bytes.size(); shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[(*at)++]);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            break;
        }
    }
    return length;
}

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

constexpr auto kByNode = [](const HtmlNodeExtra& extra, std::int32_t node) {
    return extra.node < node;
};

// The side table entry of `node`, made when it has none. Nodes get their
// entries as they are made, so this nearly always appends.
HtmlNodeExtra& ExtraFor(HtmlDocument* document, std::int32_t node) {
    std::deque<HtmlNodeExtra>& extras = document->extras;
    if (extras.empty() || extras.back().node < node) {
        extras.emplace_back();
        extras.back().node = node;
        return extras.back();
    }
    const auto at = std::lower_bound(extras.begin(), extras.end(), node, kByNode);
    if (at != extras.end() && at->node == node) {
        return *at;
    }
    HtmlNodeExtra extra;
    extra.node = node;
    return *extras.insert(at, extra);
}

// Puts `value` in the node's slot, or in its side table entry when it does
// not fit (or the entry already holds it).
void SetSlot(HtmlDocument* document, std::int32_t node, std::uint32_t value) {
    HtmlNode& target = document->nodes[node];
    if (value < kSlotInExtras && target.slot != kSlotInExtras) {
        target.slot = static_cast<std::uint16_t>(value);
        return;
    }
    target.slot = kSlotInExtras;
    ExtraFor(document, node).value = value;
}

void SetTextRange(HtmlDocument* document, std::int32_t node, std::size_t begin, std::size_t length,
                  std::uint8_t flags) {
    document->nodes[node].siblingOrBegin = static_cast<std::uint32_t>(begin);
    document->nodes[node].flags |= flags;
    SetSlot(document, node, static_cast<std::uint32_t>(length));
}

constexpr auto kLinkByNode = [](const HtmlNodeLink& link, std::int32_t node) {
    return link.node < node;
};

// Sets the link kNodeLinkFollows stands for: the flag when `target` is the
// node made just after `node`, else an entry in the aside list (none for
// kNoNode). The builder links out of order only where content is fostered
// out of a table, so the list is short and an entry is nearly always added
// for the newest node or the one just before an open table: few move.
void SetFollowingOrAside(HtmlDocument* document, std::int32_t node, std::int32_t target) {
    std::uint8_t& flags = document->nodes[node].flags;
    std::vector<HtmlNodeLink>& aside = document->asideLinks;
    const auto at = std::lower_bound(aside.begin(), aside.end(), node, kLinkByNode);
    const bool listed = at != aside.end() && at->node == node;
    if (target == node + 1 || target == kNoNode) {
        flags = static_cast<std::uint8_t>(target == kNoNode ? flags & ~kNodeLinkFollows
                                                            : flags | kNodeLinkFollows);
        if (listed) {
            aside.erase(at);
        }
        return;
    }
    flags = static_cast<std::uint8_t>(flags & ~kNodeLinkFollows);
    if (listed) {
        at->target = target;
    } else {
        aside.insert(at, HtmlNodeLink{node, target});
    }
}

void SetFirstChild(HtmlDocument* document, std::int32_t parent, std::int32_t child) {
    SetFollowingOrAside(document, parent, child);
}

void SetNextSibling(HtmlDocument* document, std::int32_t node, std::int32_t next) {
    if (document->nodes[node].IsText()) {
        SetFollowingOrAside(document, node, next);
    } else {
        document->nodes[node].siblingOrBegin = static_cast<std::uint32_t>(next);
    }
}

// Writes the kept values into the arena and points the element's side
// table entry at them.
void StoreKept(HtmlDocument* document, std::int32_t node,
               const std::string_view (&kept)[kKeptCount], bool hasLang) {
    HtmlNodeExtra& extra = ExtraFor(document, node);
    document->nodes[node].flags |= kNodeKeptAttributes;
    unsigned present = hasLang ? kHasLangBit : 0;
    for (int i = 0; i < kKeptCount; ++i) {
        present |= kept[i].empty() ? 0 : 1u << i;
    }
    std::string record(1, static_cast<char>(present));
    for (const std::string_view value : kept) {
        if (!value.empty()) {
            AppendLength(value.size(), &record);
        }
    }
    for (const std::string_view value : kept) {
        record.append(value);
    }
    extra.attributes = document->arena.Add(record);
}

}  // namespace

const HtmlNodeExtra* HtmlDocument::ExtraOf(std::int32_t index) const {
    for (const std::size_t near : {lastExtra + 1, lastExtra}) {
        if (near < extras.size() && extras[near].node == index) {
            lastExtra = near;
            return &extras[near];
        }
    }
    const auto at = std::lower_bound(extras.begin(), extras.end(), index, kByNode);
    if (at == extras.end() || at->node != index) {
        return nullptr;
    }
    lastExtra = static_cast<std::size_t>(at - extras.begin());
    return &*at;
}

std::int32_t HtmlDocument::AsideLink(std::int32_t index) const {
    const auto at = std::lower_bound(asideLinks.begin(), asideLinks.end(), index, kLinkByNode);
    return at != asideLinks.end() && at->node == index ? at->target : kNoNode;
}

std::uint32_t HtmlDocument::NameId(std::int32_t index) const {
    const HtmlNode& node = nodes[index];
    if (node.slot != kSlotInExtras) {
        return node.slot;
    }
    const HtmlNodeExtra* extra = ExtraOf(index);
    return extra == nullptr ? 0 : extra->value;
}

HtmlElementAttributes HtmlDocument::AttributesOf(std::int32_t index) const {
    HtmlElementAttributes attributes;
    if (nodes[index].IsText() || (nodes[index].flags & kNodeKeptAttributes) == 0) {
        return attributes;
    }
    const HtmlNodeExtra* extra = ExtraOf(index);
    if (extra == nullptr || extra->attributes == kNoAttributes) {
        return attributes;
    }
    const std::string_view bytes = arena.From(extra->attributes);
    if (bytes.empty()) {
        return attributes;
    }
    std::size_t at = 0;
    const auto present = static_cast<unsigned char>(bytes[at++]);
    attributes.hasLang = (present & kHasLangBit) != 0;
    std::size_t lengths[kKeptCount] = {};
    for (int i = 0; i < kKeptCount; ++i) {
        if ((present & (1u << i)) != 0) {
            lengths[i] = ReadLength(bytes, &at);
        }
    }
    std::string_view* views[kKeptCount] = {&attributes.style, &attributes.classes, &attributes.id,
                                           &attributes.lang, &attributes.target};
    for (int i = 0; i < kKeptCount; ++i) {
        *views[i] = bytes.substr(at, lengths[i]);
        at += lengths[i];
    }
    return attributes;
}

std::string_view HtmlDocument::StoredText(std::int32_t index, bool* crs) const {
    const HtmlNode& node = nodes[index];
    std::uint32_t length = node.slot;
    if (node.slot == kSlotInExtras) {
        const HtmlNodeExtra* extra = ExtraOf(index);
        length = extra == nullptr ? 0 : extra->value;
    }
    *crs = (node.flags & (kNodeSourceText | kNodeSourceCr)) == (kNodeSourceText | kNodeSourceCr);
    if ((node.flags & kNodeSourceText) == 0) {
        return arena.View(node.siblingOrBegin, length);
    }
    return source.substr(node.siblingOrBegin, length);
}

std::string_view HtmlDocument::NodeText(std::int32_t index, std::string* scratch) const {
    bool crs = false;
    const std::string_view stored = StoredText(index, &crs);
    if (!crs) {
        return stored;
    }
    scratch->clear();
    ForEachTextPiece(stored, crs, [scratch](std::string_view piece) { scratch->append(piece); });
    return *scratch;
}

void SetNodeText(HtmlDocument* document, std::int32_t node, std::string_view text,
                 std::size_t sourceBegin, std::size_t sourceEnd) {
    bool hasCr = false;
    if (sourceBegin <= sourceEnd && sourceEnd <= document->source.size() &&
        ReadsAs(document->source.substr(sourceBegin, sourceEnd - sourceBegin), text, &hasCr)) {
        SetTextRange(document, node, sourceBegin, sourceEnd - sourceBegin,
                     kNodeSourceText | (hasCr ? kNodeSourceCr : 0));
        document->sourceTextInOrder = document->sourceTextInOrder &&
                                      node > document->lastSourceTextNode &&
                                      sourceBegin >= document->sourceTextEnd;
        document->lastSourceTextNode = node;
        document->sourceTextEnd = sourceEnd;
        return;
    }
    const ArenaRange range = StoreText(document, text);
    SetTextRange(document, node, range.begin, range.length, 0);
}

void MoveSourceTextToArena(HtmlDocument* document, const HtmlSourceShrink& shrinkSource,
                           std::size_t step) {
    if (!document->sourceTextInOrder || document->source.size() < step) {
        return;  // a small source is given back whole after rendering
    }
    std::size_t shrunkTo = document->source.size();
    std::string scratch;
    auto index = static_cast<std::int32_t>(document->nodes.size());
    for (auto node = document->nodes.rbegin(); node != document->nodes.rend(); ++node) {
        --index;
        if (!node->IsText() || (node->flags & kNodeSourceText) == 0) {
            continue;
        }
        const std::size_t begin = node->siblingOrBegin;
        bool crs = false;
        std::string_view text = document->StoredText(index, &crs);
        if (crs) {
            text = document->NodeText(index, &scratch);  // CR LF and CR read as LF
        }
        const ArenaRange range = StoreText(document, text);
        node->flags = static_cast<std::uint8_t>(node->flags & ~(kNodeSourceText | kNodeSourceCr));
        node->siblingOrBegin = range.begin;
        if (crs) {
            SetSlot(document, index, range.length);
        }
        if (shrunkTo - begin >= step) {
            // No text of a node before this one lies past its beginning.
            document->source = std::string_view(shrinkSource(begin), begin);
            shrunkTo = begin;
        }
    }
    document->source = std::string_view();
    shrinkSource(0);
}

std::int32_t AddNode(HtmlDocument* document, HtmlTag tag, std::uint32_t nameId,
                     std::uint8_t flags) {
    HtmlNode node;
    node.tag = tag;
    node.flags = flags;
    document->nodes.push_back(node);
    const auto index = static_cast<std::int32_t>(document->nodes.size() - 1);
    SetSlot(document, index, nameId);
    return index;
}

void AppendChild(HtmlDocument* document, std::int32_t parent, std::int32_t* lastChild,
                 std::int32_t child) {
    if (*lastChild != kNoNode) {
        SetNextSibling(document, *lastChild, child);
    } else {
        SetFirstChild(document, parent, child);
    }
    *lastChild = child;
}

void InsertBefore(HtmlDocument* document, std::int32_t parent, std::int32_t reference,
                  std::int32_t previous, std::int32_t child) {
    SetNextSibling(document, child, reference);
    if (previous != kNoNode) {
        SetNextSibling(document, previous, child);
    } else {
        SetFirstChild(document, parent, child);
    }
}

ArenaRange StoreText(HtmlDocument* document, std::string_view bytes) {
    ArenaRange range;
    range.begin = document->arena.Add(bytes);
    range.length = static_cast<std::uint32_t>(bytes.size());
    return range;
}

void SetElementAttributes(HtmlDocument* document, std::int32_t node, const HtmlToken& token,
                          bool keepTargets) {
    std::string_view kept[kKeptCount];
    bool hasLang = false;
    bool any = false;
    HtmlNode& element = document->nodes[node];
    for (std::size_t i = 0; i < token.attributeCount; ++i) {
        const std::string_view name = token.attributes[i].name;
        const std::string_view value = token.attributes[i].value;
        int keep = kKeptCount;
        if (name == "style") {
            keep = kStyle;
        } else if (name == "class") {
            keep = kClasses;
        } else if (name == "id") {
            keep = kId;
        } else if (name == "lang") {
            keep = kLang;
            hasLang = true;
        } else if ((name == "href" && element.tag == HtmlTag::kA) ||
                   (name == "alt" && element.tag == HtmlTag::kImg)) {
            keep = keepTargets ? kTarget : kKeptCount;
        } else if (name == "hidden") {
            element.flags |= kNodeHidden;
        } else if (name == "popover") {
            element.flags |= kNodePopover;
        } else if (name == "open") {
            element.flags |= kNodeOpen;
        } else if (name == "type" && element.tag == HtmlTag::kInput && IsHiddenType(value)) {
            element.flags |= kNodeHiddenInput;
        }
        if (keep < kKeptCount) {
            kept[keep] = value;
            any = true;
        }
    }
    if (any) {
        StoreKept(document, node, kept, hasLang);
    }
}

}  // namespace vellumo
