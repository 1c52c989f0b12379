#include "html/html_style_resolver.h"

#include <algorithm>

#include "html/html_white_space.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

// The index key of rules whose subject is "[hidden]" alone: no element
// name or class can be written this way.
constexpr std::string_view kHiddenAttributeKey = "[hidden]";

bool EqualsFolded(std::string_view a, std::string_view b, bool fold) {
    return fold ? EqualsIgnoringAsciiCase(a, b) : a == b;
}

// Children of flex and grid containers are laid out as blocks.
HtmlDisplay Blockified(HtmlDisplay display) {
    switch (display) {
        case HtmlDisplay::kInline:
        case HtmlDisplay::kInlineBlock:
        case HtmlDisplay::kTableRow:
        case HtmlDisplay::kTableCell:
        case HtmlDisplay::kTableRowGroup:
        case HtmlDisplay::kTableCaption:
            return HtmlDisplay::kBlock;
        case HtmlDisplay::kInlineTable:
            return HtmlDisplay::kTable;
        case HtmlDisplay::kInlineFlex:
            return HtmlDisplay::kFlex;
        case HtmlDisplay::kInlineGrid:
            return HtmlDisplay::kGrid;
        default:
            return display;
    }
}

bool IsFlexOrGrid(HtmlDisplay display) {
    return display == HtmlDisplay::kFlex || display == HtmlDisplay::kInlineFlex ||
           display == HtmlDisplay::kGrid || display == HtmlDisplay::kInlineGrid;
}

// Cascade order of one declaration: importance, then the style attribute
// over style sheets, then specificity, then source order.
std::uint64_t Priority(bool important, bool inlineStyle, std::uint32_t specificity,
                       std::uint32_t order) {
    return (static_cast<std::uint64_t>(important) << 62) |
           (static_cast<std::uint64_t>(inlineStyle) << 61) |
           (static_cast<std::uint64_t>(specificity) << 32) | order;
}

// The declared value of a cascade slot into a style field, when it has one.
template <typename Field, typename Slot>
void TakeDeclared(const Slot& slot, Field* field) {
    if (slot.value >= 0) {
        *field = static_cast<Field>(slot.value);
    }
}

// "tr", "az" and their subtags ("tr-TR", "az-Latn"), any case.
bool IsTurkicLanguage(std::string_view lang) {
    while (!lang.empty() && IsHtmlWhiteSpace(lang.front())) {
        lang.remove_prefix(1);
    }
    if (lang.size() < 2 || (lang.size() > 2 && lang[2] != '-' && lang[2] != '_')) {
        return false;
    }
    const char first = static_cast<char>(lang[0] | 0x20);
    const char second = static_cast<char>(lang[1] | 0x20);
    return (first == 't' && second == 'r') || (first == 'a' && second == 'z');
}

}  // namespace

HtmlStyleResolver::HtmlStyleResolver(const HtmlDocument& document) : document_(document) {
    for (const std::string& sheet : document.styleSheets) {
        ParseCssStyleSheet(sheet, document.quirksMode, &rules_);
    }
    for (std::uint32_t i = 0; i < rules_.size(); ++i) {
        const CssCompound& subject = rules_[i].compounds.back();
        std::string key = !subject.id.empty()        ? "#" + subject.id
                          : !subject.classes.empty() ? "." + subject.classes.front()
                          : !subject.tag.empty()     ? subject.tag
                                                     : std::string(kHiddenAttributeKey);
        index_[key].rules.push_back(i);
    }
    stepBudget_ = kSelectorStepsPerNode * (document.nodes.size() + 1);
    std::uint64_t documentBytes =
        document.arena.size() + document.sourceSize + document.nodes.size() + 1;
    for (const std::string& sheet : document.styleSheets) {
        documentBytes += sheet.size();
    }
    compoundBudget_ = kCompoundBytesPerDocumentByte * documentBytes;
}

HtmlDisplay HtmlStyleResolver::DefaultDisplay(std::int32_t index) const {
    const HtmlNode& node = document_.nodes[index];
    if ((node.flags & (kNodeHidden | kNodePopover | kNodeHiddenInput)) != 0) {
        return HtmlDisplay::kNone;
    }
    if ((node.flags & kNodeForeign) != 0) {
        const std::string& name = document_.NameOf(index);
        const bool unrendered = name == "style" || name == "script" || name == "title" ||
                                name == "desc" || name == "metadata" || name == "defs";
        return unrendered ? HtmlDisplay::kNone : HtmlDisplay::kInline;
    }
    if (node.tag == HtmlTag::kDialog && (node.flags & kNodeOpen) == 0) {
        return HtmlDisplay::kNone;
    }
    return TagInfo(node.tag).display;
}

bool HtmlStyleResolver::HasHiddenAttribute(const ElementFacts& element) const {
    return (document_.nodes[element.index].flags & kNodeHidden) != 0;
}

bool HtmlStyleResolver::HasClass(std::string_view classes, const std::string& name) {
    std::size_t pos = 0;
    bool found = false;
    while (pos < classes.size() && !found) {
        while (pos < classes.size() && IsHtmlWhiteSpace(classes[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < classes.size() && !IsHtmlWhiteSpace(classes[pos])) {
            ++pos;
        }
        found = pos > start &&
                EqualsFolded(classes.substr(start, pos - start), name, document_.quirksMode);
    }
    Charge(pos + 1);
    return found;
}

// Selector matching pays from one budget for the bytes it compares, so
// hostile selectors and attributes cannot make it quadratic.
void HtmlStyleResolver::Charge(std::uint64_t bytes) {
    compoundBudget_ = bytes < compoundBudget_ ? compoundBudget_ - bytes : 0;
}

const HtmlStyleResolver::ElementFacts& HtmlStyleResolver::FactsAt(std::size_t depth,
                                                                  std::int32_t index) {
    if (path_.size() <= depth) {
        path_.resize(depth + 1);
    }
    ElementFacts& facts = path_[depth];
    if (facts.index != index) {
        facts.index = index;
        facts.name = &document_.NameOf(index);
        facts.attributes = document_.AttributesOf(index);
    }
    return facts;
}

bool HtmlStyleResolver::MatchesCompound(const CssCompound& compound, const ElementFacts& element) {
    // A spent budget matches nothing.
    if (compoundBudget_ == 0) {
        return false;
    }
    Charge(1 + compound.tag.size() + compound.id.size());
    if (!compound.tag.empty() && *element.name != compound.tag) {
        return false;
    }
    if (compound.hiddenAttribute && !HasHiddenAttribute(element)) {
        return false;
    }
    const HtmlElementAttributes& attributes = element.attributes;
    if (!compound.id.empty() && !EqualsFolded(attributes.id, compound.id, document_.quirksMode)) {
        return false;
    }
    for (const std::string& name : compound.classes) {
        if (compoundBudget_ == 0 || !HasClass(attributes.classes, name)) {
            return false;
        }
    }
    return true;
}

// Descendant combinators only, so matching each compound to the nearest
// ancestor that fits is exact.
bool HtmlStyleResolver::Matches(const CssRule& rule, std::int32_t node,
                                const std::vector<std::int32_t>& ancestors) {
    if (!MatchesCompound(rule.compounds.back(), FactsAt(ancestors.size(), node))) {
        return false;
    }
    std::size_t next = rule.compounds.size() - 1;
    std::size_t ancestor = ancestors.size();
    while (next > 0 && ancestor > 0) {
        if (stepBudget_ == 0) {
            return false;
        }
        --stepBudget_;
        --ancestor;
        if (MatchesCompound(rule.compounds[next - 1], FactsAt(ancestor, ancestors[ancestor]))) {
            --next;
        }
    }
    return next == 0;
}

void HtmlStyleResolver::CollectCandidates(const ElementFacts& element) {
    candidates_.clear();
    ++collection_;
    int lists = 0;
    auto add = [this, &lists](const std::string& key) {
        auto found = index_.find(key);
        if (found != index_.end() && found->second.lastCollection != collection_) {
            found->second.lastCollection = collection_;
            ++lists;
            candidates_.insert(candidates_.end(), found->second.rules.begin(),
                               found->second.rules.end());
        }
    };
    add(*element.name);
    if (HasHiddenAttribute(element)) {
        key_.assign(kHiddenAttributeKey);
        add(key_);
    }
    const HtmlElementAttributes& attributes = element.attributes;
    if (!attributes.id.empty()) {
        key_.assign("#");
        for (char c : attributes.id) {
            key_.push_back(document_.quirksMode ? LowerAscii(c) : c);
        }
        add(key_);
    }
    const std::string_view classes = attributes.classes;
    std::size_t pos = 0;
    while (pos < classes.size()) {
        while (pos < classes.size() && IsHtmlWhiteSpace(classes[pos])) {
            ++pos;
        }
        key_.assign(".");
        while (pos < classes.size() && !IsHtmlWhiteSpace(classes[pos])) {
            const char c = classes[pos++];
            key_.push_back(document_.quirksMode ? LowerAscii(c) : c);
        }
        if (key_.size() > 1) {
            add(key_);
        }
    }
    if (lists > 1) {
        // Rules apply in source order; one list is in that order already.
        std::sort(candidates_.begin(), candidates_.end());
        candidates_.erase(std::unique(candidates_.begin(), candidates_.end()), candidates_.end());
    }
}

void HtmlStyleResolver::CascadeSlot::Offer(std::int8_t declared, std::uint64_t declaredPriority) {
    if (declared >= 0 && TakesOver(declaredPriority)) {
        value = declared;
        priority = declaredPriority;
    }
}

void HtmlStyleResolver::Cascaded::Apply(const CssDeclarations& declarations, bool inlineStyle,
                                        std::uint32_t specificity, std::uint32_t order) {
    for (int p = 0; p < static_cast<int>(CssProperty::kCount); ++p) {
        const CssSlot& slot = declarations.slots[p];
        properties[p].Offer(slot.value, Priority(slot.important, inlineStyle, specificity, order));
    }
}

// The cascade: the declarations of every matching rule and of the style
// attribute, the strongest for each property winning. Rules for
// ::first-line and ::first-letter give their text-transform only.
HtmlStyleResolver::Cascaded HtmlStyleResolver::Cascade(std::int32_t index,
                                                       const ElementFacts& facts,
                                                       const std::vector<std::int32_t>& ancestors) {
    Cascaded cascaded;
    if (!rules_.empty()) {
        CollectCandidates(facts);
        for (std::uint32_t rule : candidates_) {
            const CssRule& candidate = rules_[rule];
            if (candidate.pseudo == CssPseudo::kNone) {
                if (Matches(candidate, index, ancestors)) {
                    cascaded.Apply(candidate.declarations, false, candidate.specificity,
                                   candidate.order);
                }
                continue;
            }
            const CssSlot& slot = candidate.declarations.Get(CssProperty::kTextTransform);
            CascadeSlot& pseudo = cascaded.pseudoTransforms[static_cast<int>(candidate.pseudo)];
            const std::uint64_t priority =
                Priority(slot.important, false, candidate.specificity, candidate.order);
            // Matching costs budget, so it is done only for a value that would win.
            if (slot.value >= 0 && pseudo.TakesOver(priority) &&
                Matches(candidate, index, ancestors)) {
                pseudo.Offer(slot.value, priority);
            }
        }
    }
    if (!facts.attributes.style.empty()) {
        cascaded.Apply(ParseCssDeclarations(facts.attributes.style), true, 0, 0);
    }
    return cascaded;
}

// The values an element has before its cascaded ones: its parent's
// inherited values and the defaults of the browser's style sheet (its
// display, pre's white-space, the lang attribute's casing).
HtmlComputedStyle HtmlStyleResolver::DefaultStyle(std::int32_t index,
                                                  const HtmlElementAttributes& attributes,
                                                  const HtmlComputedStyle& parent) const {
    const HtmlNode& node = document_.nodes[index];
    HtmlComputedStyle style = parent;
    style.display = DefaultDisplay(index);
    style.firstLineTransform = CssTextTransform::kNone;
    style.firstLetterTransform = CssTextTransform::kNone;
    if (attributes.hasLang) {
        style.turkicCasing = IsTurkicLanguage(attributes.lang);
    }
    if (TagHas(node.tag, kTagPreformatted)) {
        style.whiteSpace = CssWhiteSpace::kPre;
    } else if (node.tag == HtmlTag::kNobr) {
        style.whiteSpace = CssWhiteSpace::kNoWrap;
    }
    return style;
}

// The mapping of the cascaded values onto the computed style: each
// declared value replaces the default, then out-of-flow boxes and the
// children of flex and grid containers become blocks.
HtmlComputedStyle HtmlStyleResolver::ComputedStyle(std::int32_t index,
                                                   const HtmlElementAttributes& attributes,
                                                   const Cascaded& cascaded,
                                                   const HtmlComputedStyle& parent) const {
    HtmlComputedStyle style = DefaultStyle(index, attributes, parent);
    TakeDeclared(cascaded.TransformOf(CssPseudo::kFirstLine), &style.firstLineTransform);
    TakeDeclared(cascaded.TransformOf(CssPseudo::kFirstLetter), &style.firstLetterTransform);
    TakeDeclared(cascaded.Get(CssProperty::kDisplay), &style.display);
    TakeDeclared(cascaded.Get(CssProperty::kVisibility), &style.visibility);
    TakeDeclared(cascaded.Get(CssProperty::kWhiteSpace), &style.whiteSpace);
    TakeDeclared(cascaded.Get(CssProperty::kTextTransform), &style.textTransform);
    // Floated and absolutely positioned boxes are blocks whatever their
    // display, as are the children of flex and grid containers.
    const auto outOfFlow = static_cast<std::int8_t>(CssFlow::kOutOfFlow);
    const bool blockified = cascaded.Get(CssProperty::kFloat).value == outOfFlow ||
                            cascaded.Get(CssProperty::kPosition).value == outOfFlow ||
                            IsFlexOrGrid(parent.display);
    if (blockified && style.display != HtmlDisplay::kNone) {
        style.display = Blockified(style.display);
    }
    return style;
}

HtmlComputedStyle HtmlStyleResolver::Compute(std::int32_t index, const HtmlComputedStyle& parent,
                                             const std::vector<std::int32_t>& ancestors) {
    // A copy: matching may grow the path the reference points into.
    const ElementFacts facts = FactsAt(ancestors.size(), index);
    return ComputedStyle(index, facts.attributes, Cascade(index, facts, ancestors), parent);
}

}  // namespace vellumo
