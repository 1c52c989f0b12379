#include "html/html_open_elements.h"

namespace vellumo {

void HtmlOpenElements::Push(std::int32_t node) {
    // The root is pushed first; past the limit elements stay leaves.
    if (stack_.size() >= kMaxOpenElements) {
        return;
    }
    stack_.push_back(node);
    lastChildren_.push_back(document_->FirstChild(node) == kNoNode ? kNoNode
                                                                   : LastChildByWalk(node));
    ++counts_[static_cast<std::size_t>(document_->nodes[node].tag)];
}

void HtmlOpenElements::Pop() {
    --counts_[static_cast<std::size_t>(Current().tag)];
    stack_.pop_back();
    lastChildren_.pop_back();
}

void HtmlOpenElements::TruncateTo(std::size_t size) {
    while (stack_.size() > size) {
        Pop();
    }
}

void HtmlOpenElements::RemoveAt(std::size_t index) {
    --counts_[static_cast<std::size_t>(NodeAt(index).tag)];
    stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(index));
    lastChildren_.erase(lastChildren_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::int32_t* HtmlOpenElements::LastChildOf(std::int32_t node) {
    for (std::size_t i = stack_.size(); i-- > 0;) {
        if (stack_[i] == node) {
            return &lastChildren_[i];
        }
    }
    return nullptr;
}

std::int32_t HtmlOpenElements::LastChildByWalk(std::int32_t node) const {
    std::int32_t last = document_->FirstChild(node);
    for (std::int32_t next = last; next != kNoNode; next = document_->NextSibling(next)) {
        last = next;
    }
    return last;
}

std::int32_t HtmlOpenElements::InnermostTable() const {
    if (Count(HtmlTag::kTable) == 0) {
        return kNoNode;
    }
    for (std::size_t i = stack_.size(); i-- > 0;) {
        if (NodeAt(i).tag == HtmlTag::kTable && !IsForeignNode(NodeAt(i))) {
            return stack_[i];
        }
    }
    return kNoNode;
}

bool HtmlOpenElements::IsScopeBoundary(const HtmlNode& node, HtmlScope scope) {
    if (scope == HtmlScope::kTable) {
        return node.tag == HtmlTag::kTable || node.tag == HtmlTag::kHtml ||
               node.tag == HtmlTag::kTemplate;
    }
    if (IsForeignNode(node) || TagHas(node.tag, kTagScopeBoundary)) {
        return true;
    }
    if (scope == HtmlScope::kListItem) {
        return node.tag == HtmlTag::kOl || node.tag == HtmlTag::kUl;
    }
    return scope == HtmlScope::kButton && node.tag == HtmlTag::kButton;
}

bool HtmlOpenElements::HasTagInScope(HtmlTag tag, HtmlScope scope) const {
    if (Count(tag) == 0) {
        return false;
    }
    return HasInScope([tag](const HtmlNode& n) { return n.tag == tag && !IsForeignNode(n); },
                      scope);
}

void HtmlOpenElements::PopThroughTag(HtmlTag tag) {
    PopThrough([tag](const HtmlNode& n) { return n.tag == tag && !IsForeignNode(n); });
}

}  // namespace vellumo
