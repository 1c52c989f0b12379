// The tree builder's stack of open elements: which elements new content
// goes into, and the "has an element in scope" questions of the HTML
// standard. Bounded: past kMaxOpenElements new elements are not pushed. A
// count per tag answers "is any such element open" without a scan. Each
// entry also keeps the element's last child, which nodes do not store: only
// open elements take new children.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "html/html_document.h"

namespace vellumo {

constexpr std::size_t kMaxOpenElements = 256;

enum class HtmlScope { kDefault, kListItem, kButton, kTable };

[[nodiscard]] inline bool IsForeignNode(const HtmlNode& node) {
    return (node.flags & kNodeForeign) != 0;
}

class HtmlOpenElements {
  public:
    // `document` holds the nodes the indices refer to.
    explicit HtmlOpenElements(const HtmlDocument* document) : document_(document) {}

    // Pushes `node` unless the stack is full (the element then stays a leaf).
    void Push(std::int32_t node);
    void Pop();
    void TruncateTo(std::size_t size);
    void RemoveAt(std::size_t index);

    [[nodiscard]] std::size_t Size() const { return stack_.size(); }
    // The last child of open element `node`, searched from the top (where
    // content goes), or nullptr when `node` is not open.
    [[nodiscard]] std::int32_t* LastChildOf(std::int32_t node);
    [[nodiscard]] std::int32_t At(std::size_t index) const { return stack_[index]; }
    [[nodiscard]] std::int32_t CurrentIndex() const { return stack_.back(); }
    [[nodiscard]] const HtmlNode& Current() const { return document_->nodes[stack_.back()]; }
    [[nodiscard]] const HtmlNode& NodeAt(std::size_t index) const {
        return document_->nodes[stack_[index]];
    }
    [[nodiscard]] std::size_t Count(HtmlTag tag) const {
        return counts_[static_cast<std::size_t>(tag)];
    }
    // The innermost open table, or kNoNode.
    [[nodiscard]] std::int32_t InnermostTable() const;

    [[nodiscard]] bool HasTagInScope(HtmlTag tag, HtmlScope scope) const;
    template <typename Match>
    [[nodiscard]] bool HasInScope(Match match, HtmlScope scope) const {
        for (std::size_t i = stack_.size(); i-- > 0;) {
            const HtmlNode& node = NodeAt(i);
            if (match(node)) {
                return true;
            }
            if (IsScopeBoundary(node, scope)) {
                return false;
            }
        }
        return false;
    }

    // Pops elements up to and including the first (from the top) that
    // matches; never pops the root.
    template <typename Match>
    void PopThrough(Match match) {
        while (stack_.size() > 1) {
            const bool done = match(Current());
            Pop();
            if (done) {
                return;
            }
        }
    }
    void PopThroughTag(HtmlTag tag);

  private:
    [[nodiscard]] static bool IsScopeBoundary(const HtmlNode& node, HtmlScope scope);
    [[nodiscard]] std::int32_t LastChildByWalk(std::int32_t node) const;

    const HtmlDocument* document_;
    std::vector<std::int32_t> stack_;
    std::vector<std::int32_t> lastChildren_;  // by stack position
    std::size_t counts_[static_cast<std::size_t>(HtmlTag::kCount)] = {};
};

}  // namespace vellumo
