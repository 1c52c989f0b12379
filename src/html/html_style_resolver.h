// Computes, element by element from the root down, the style values the
// renderer needs: the element's default (the browser's style sheet and the
// hidden, popover and open attributes), then the document's style rules and
// the style attribute by importance and specificity, then inheritance.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/html_css.h"
#include "html/html_document.h"

namespace vellumo {

// Selector matching walks ancestors; this many steps per node bound the
// whole document's matching work, so it stays linear in the input.
constexpr std::size_t kSelectorStepsPerNode = 64;
// Comparing a compound selector with an element costs about the bytes it
// compares (names, ids, the element's class attribute per class); the whole
// document may spend this many such bytes per byte of its HTML and kept text.
constexpr std::uint64_t kCompoundBytesPerDocumentByte = 256;

struct HtmlComputedStyle {
    HtmlDisplay display = HtmlDisplay::kBlock;
    CssVisibility visibility = CssVisibility::kVisible;
    CssWhiteSpace whiteSpace = CssWhiteSpace::kNormal;
    CssTextTransform textTransform = CssTextTransform::kNone;
    // The text-transform of the element's ::first-line and ::first-letter
    // (not inherited); kNone where no rule sets one.
    CssTextTransform firstLineTransform = CssTextTransform::kNone;
    CssTextTransform firstLetterTransform = CssTextTransform::kNone;
    // Inherited: the element's language is Turkish or Azerbaijani, whose
    // i has a dotted capital.
    bool turkicCasing = false;
};

class HtmlStyleResolver {
  public:
    explicit HtmlStyleResolver(const HtmlDocument& document);

    // The style of element `node` whose parent element has `parent`;
    // `ancestors` are the elements from the root down to its parent.
    [[nodiscard]] HtmlComputedStyle Compute(std::int32_t node, const HtmlComputedStyle& parent,
                                            const std::vector<std::int32_t>& ancestors);

  private:
    // An element's name and kept attributes, looked up once per place on
    // the path from the root (they may sit in the document's side table).
    struct ElementFacts {
        std::int32_t index = kNoNode;
        const std::string* name = nullptr;
        HtmlElementAttributes attributes;
    };
    // The winning declared value of one property, -1 while none is.
    struct CascadeSlot {
        std::int8_t value = -1;
        std::uint64_t priority = 0;
        // Declarations come in cascade order, so one at least as strong as
        // the value held takes over.
        [[nodiscard]] bool TakesOver(std::uint64_t declaredPriority) const {
            return value < 0 || declaredPriority >= priority;
        }
        void Offer(std::int8_t declared, std::uint64_t declaredPriority);
    };
    // What the cascade gives an element: a value for each property, and
    // the text-transform of its ::first-line and ::first-letter.
    struct Cascaded {
        CascadeSlot properties[static_cast<int>(CssProperty::kCount)];
        CascadeSlot pseudoTransforms[3];  // by CssPseudo
        void Apply(const CssDeclarations& declarations, bool inlineStyle, std::uint32_t specificity,
                   std::uint32_t order);
        [[nodiscard]] const CascadeSlot& Get(CssProperty p) const {
            return properties[static_cast<int>(p)];
        }
        [[nodiscard]] const CascadeSlot& TransformOf(CssPseudo pseudo) const {
            return pseudoTransforms[static_cast<int>(pseudo)];
        }
    };

    [[nodiscard]] Cascaded Cascade(std::int32_t index, const ElementFacts& facts,
                                   const std::vector<std::int32_t>& ancestors);
    [[nodiscard]] HtmlComputedStyle DefaultStyle(std::int32_t index,
                                                 const HtmlElementAttributes& attributes,
                                                 const HtmlComputedStyle& parent) const;
    [[nodiscard]] HtmlComputedStyle ComputedStyle(std::int32_t index,
                                                  const HtmlElementAttributes& attributes,
                                                  const Cascaded& cascaded,
                                                  const HtmlComputedStyle& parent) const;
    [[nodiscard]] HtmlDisplay DefaultDisplay(std::int32_t index) const;
    [[nodiscard]] bool Matches(const CssRule& rule, std::int32_t node,
                               const std::vector<std::int32_t>& ancestors);
    [[nodiscard]] const ElementFacts& FactsAt(std::size_t depth, std::int32_t index);
    void CollectCandidates(const ElementFacts& element);
    [[nodiscard]] bool MatchesCompound(const CssCompound& compound, const ElementFacts& element);
    [[nodiscard]] bool HasClass(std::string_view classes, const std::string& name);
    [[nodiscard]] bool HasHiddenAttribute(const ElementFacts& element) const;
    void Charge(std::uint64_t bytes);

    const HtmlDocument& document_;
    std::vector<CssRule> rules_;
    // The rules whose subject has a given key; `lastCollection` marks the
    // list as taken by the current collection already, so a class repeated
    // on an element adds it only once.
    struct RuleList {
        std::vector<std::uint32_t> rules;
        std::uint64_t lastCollection = 0;
    };
    std::unordered_map<std::string, RuleList> index_;
    std::vector<std::uint32_t> candidates_;
    std::vector<ElementFacts> path_;  // by depth
    std::uint64_t collection_ = 0;
    std::string key_;
    std::size_t stepBudget_ = 0;
    std::uint64_t compoundBudget_ = 0;  // 64 bits: a 32-bit size_t could wrap
};

}  // namespace vellumo
