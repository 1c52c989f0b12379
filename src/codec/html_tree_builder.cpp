#include "codec/html_tree_builder.h"

#include <string>
#include <vector>

#include "codec/html_doctype.h"
#include "codec/html_tokenizer.h"

namespace vellumo {
namespace {

enum class Scope { kDefault, kListItem, kButton, kTable };

constexpr std::size_t kBytesPerNodeGuess = 8;
constexpr std::size_t kInitialNameSlots = 256;  // a power of two

bool IsWhiteSpaceOnly(std::string_view text) {
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\f' && c != '\r') {
            return false;
        }
    }
    return true;
}

bool IsTableCell(HtmlTag tag) {
    return tag == HtmlTag::kTd || tag == HtmlTag::kTh;
}

bool IsRowGroup(HtmlTag tag) {
    return tag == HtmlTag::kTbody || tag == HtmlTag::kThead || tag == HtmlTag::kTfoot;
}

class TreeBuilder {
  public:
    TreeBuilder(std::string_view html, const HtmlCharset& charset) : tokenizer_(html, charset) {
        // Rough sizes of typical mail markup, to spare most reallocations.
        doc_.nodes.reserve(html.size() / kBytesPerNodeGuess + 16);
        doc_.arena.reserve(html.size() / 2);
        doc_.names.emplace_back();
        nameTags_.push_back(HtmlTag::kUnknown);
        CreateNode(HtmlTag::kHtml, NameId("html"), 0);
        PushOpen(0);
    }

    HtmlDocument Build() {
        HtmlToken token;
        for (;;) {
            tokenizer_.Next(&token);
            if (token.type == HtmlTokenType::kEndOfFile) {
                break;
            }
            const bool skipNewline = skipNewline_;
            skipNewline_ = false;
            Process(token, skipNewline);
            seenToken_ = true;
        }
        if (doc_.body == kNoNode) {
            EnsureBody(nullptr);
        }
        return std::move(doc_);
    }

  private:
    void Process(const HtmlToken& token, bool skipNewline) {
        switch (token.type) {
            case HtmlTokenType::kText:
                ProcessText(token.text, skipNewline);
                break;
            case HtmlTokenType::kStartTag:
                ProcessStartTag(token);
                break;
            case HtmlTokenType::kEndTag:
                ProcessEndTag(token);
                break;
            case HtmlTokenType::kDoctype:
                if (!seenToken_) {
                    doc_.quirksMode = IsQuirksDoctype(token.name);
                }
                break;
            default:
                break;
        }
    }

    // --- nodes ---

    std::int32_t CreateNode(HtmlTag tag, std::uint32_t nameId, std::uint8_t flags) {
        HtmlNode node;
        node.tag = tag;
        node.nameId = nameId;
        node.flags = flags;
        doc_.nodes.push_back(node);
        return static_cast<std::int32_t>(doc_.nodes.size() - 1);
    }

    void Append(std::int32_t parent, std::int32_t child) {
        HtmlNode& p = doc_.nodes[parent];
        HtmlNode& c = doc_.nodes[child];
        c.parent = parent;
        c.previousSibling = p.lastChild;
        if (p.lastChild != kNoNode) {
            doc_.nodes[p.lastChild].nextSibling = child;
        } else {
            p.firstChild = child;
        }
        p.lastChild = child;
    }

    void InsertBefore(std::int32_t reference, std::int32_t child) {
        const std::int32_t parent = doc_.nodes[reference].parent;
        HtmlNode& c = doc_.nodes[child];
        c.parent = parent;
        c.nextSibling = reference;
        c.previousSibling = doc_.nodes[reference].previousSibling;
        if (c.previousSibling != kNoNode) {
            doc_.nodes[c.previousSibling].nextSibling = child;
        } else {
            doc_.nodes[parent].firstChild = child;
        }
        doc_.nodes[reference].previousSibling = child;
    }

    ArenaRange Store(std::string_view bytes) {
        ArenaRange range;
        range.begin = static_cast<std::uint32_t>(doc_.arena.size());
        range.length = static_cast<std::uint32_t>(bytes.size());
        doc_.arena.append(bytes);
        return range;
    }

    std::uint32_t NameId(const std::string& name) {
        // A start tag's name is looked up more than once in a row.
        if (lastNameId_ != 0 && doc_.names[lastNameId_] == name) {
            return lastNameId_;
        }
        lastNameId_ = Intern(name);
        return lastNameId_;
    }

    // Element names are interned in a small open-addressing table: tag
    // names are short and few, and this lookup runs for every tag.
    std::uint32_t Intern(const std::string& name) {
        if (slots_.empty()) {
            slots_.assign(kInitialNameSlots, 0);
        }
        std::size_t slot = NameHash(name) & (slots_.size() - 1);
        while (slots_[slot] != 0) {
            if (doc_.names[slots_[slot]] == name) {
                return slots_[slot];
            }
            slot = (slot + 1) & (slots_.size() - 1);
        }
        const auto id = static_cast<std::uint32_t>(doc_.names.size());
        doc_.names.push_back(name);
        nameTags_.push_back(LookUpTag(name));
        slots_[slot] = id;
        if (doc_.names.size() * 2 > slots_.size()) {
            GrowNameSlots();
        }
        return id;
    }

    static std::size_t NameHash(std::string_view name) {
        std::uint32_t hash = 2166136261u;  // FNV-1a
        for (char c : name) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        }
        return hash;
    }

    void GrowNameSlots() {
        std::vector<std::uint32_t> grown(slots_.size() * 2, 0);
        for (std::uint32_t id = 1; id < doc_.names.size(); ++id) {
            std::size_t slot = NameHash(doc_.names[id]) & (grown.size() - 1);
            while (grown[slot] != 0) {
                slot = (slot + 1) & (grown.size() - 1);
            }
            grown[slot] = id;
        }
        slots_.swap(grown);
    }

    // The known tag of a token's name, looked up once per distinct name.
    HtmlTag TagOf(const std::string& name) { return nameTags_[NameId(name)]; }

    HtmlNode& Current() { return doc_.nodes[stack_.back()]; }

    bool InForeign() { return (Current().flags & kNodeForeign) != 0; }

    // Where misplaced content in a table goes: before the innermost table.
    bool NeedsFosterParent() { return !InForeign() && TagHas(Current().tag, kTagTableContext); }

    std::int32_t InnermostTable() {
        for (std::size_t i = stack_.size(); i-- > 0;) {
            if (doc_.nodes[stack_[i]].tag == HtmlTag::kTable) {
                return stack_[i];
            }
        }
        return kNoNode;
    }

    void Place(std::int32_t node, bool foster) {
        const std::int32_t table = foster ? InnermostTable() : kNoNode;
        if (table != kNoNode && doc_.nodes[table].parent != kNoNode) {
            InsertBefore(table, node);
        } else {
            Append(stack_.back(), node);
        }
    }

    std::int32_t InsertElement(const HtmlToken& token, HtmlTag tag, std::uint8_t flags) {
        const std::int32_t node = CreateNode(tag, NameId(token.name), flags);
        SetAttributes(node, token);
        Place(node, NeedsFosterParent());
        return node;
    }

    void SetAttributes(std::int32_t index, const HtmlToken& token) {
        for (std::size_t i = 0; i < token.attributeCount; ++i) {
            const HtmlAttribute& attribute = token.attributes[i];
            const std::string_view name = attribute.name;
            HtmlNode& node = doc_.nodes[index];
            if (name == "style") {
                node.style = Store(attribute.value);
            } else if (name == "class") {
                node.classes = Store(attribute.value);
            } else if (name == "id") {
                node.id = Store(attribute.value);
            } else if (name == "hidden") {
                node.flags |= kNodeHidden;
            } else if (name == "popover") {
                node.flags |= kNodePopover;
            } else if (name == "open") {
                node.flags |= kNodeOpen;
            } else if (name == "type" && IsHiddenType(attribute.value)) {
                node.flags |= kNodeHiddenInput;
            }
        }
    }

    static bool IsHiddenType(const std::string& value) {
        if (value.size() != 6) {
            return false;
        }
        for (std::size_t i = 0; i < 6; ++i) {
            const char c = value[i] >= 'A' && value[i] <= 'Z' ? value[i] - 'A' + 'a' : value[i];
            if (c != "hidden"[i]) {
                return false;
            }
        }
        return true;
    }

    void Push(std::int32_t node) {
        if (stack_.size() < kMaxOpenElements) {
            PushOpen(node);
        }
    }

    // Every change of the stack goes through these, which keep count of the
    // open elements per tag, so that "is a p open" needs no scan.
    void PushOpen(std::int32_t node) {
        stack_.push_back(node);
        ++openCount_[static_cast<std::size_t>(doc_.nodes[node].tag)];
    }

    void PopOpen() {
        --openCount_[static_cast<std::size_t>(doc_.nodes[stack_.back()].tag)];
        stack_.pop_back();
    }

    void TruncateOpen(std::size_t size) {
        while (stack_.size() > size) {
            PopOpen();
        }
    }

    void RemoveOpenAt(std::size_t index) {
        --openCount_[static_cast<std::size_t>(doc_.nodes[stack_[index]].tag)];
        stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(index));
    }

    // --- the stack of open elements ---

    bool IsScopeBoundary(const HtmlNode& node, Scope scope) {
        if (scope == Scope::kTable) {
            return node.tag == HtmlTag::kTable || node.tag == HtmlTag::kHtml ||
                   node.tag == HtmlTag::kTemplate;
        }
        if ((node.flags & kNodeForeign) != 0 || TagHas(node.tag, kTagScopeBoundary)) {
            return true;
        }
        if (scope == Scope::kListItem) {
            return node.tag == HtmlTag::kOl || node.tag == HtmlTag::kUl;
        }
        return scope == Scope::kButton && node.tag == HtmlTag::kButton;
    }

    template <typename Match>
    bool HasInScope(Match match, Scope scope) {
        for (std::size_t i = stack_.size(); i-- > 0;) {
            const HtmlNode& node = doc_.nodes[stack_[i]];
            if (match(node)) {
                return true;
            }
            if (IsScopeBoundary(node, scope)) {
                return false;
            }
        }
        return false;
    }

    bool HasTagInScope(HtmlTag tag, Scope scope) {
        if (openCount_[static_cast<std::size_t>(tag)] == 0) {
            return false;
        }
        return HasInScope([tag](const HtmlNode& n) { return n.tag == tag && !IsForeign(n); },
                          scope);
    }

    static bool IsForeign(const HtmlNode& node) { return (node.flags & kNodeForeign) != 0; }

    template <typename Match>
    void PopThrough(Match match) {
        while (stack_.size() > 1) {
            const bool done = match(Current());
            PopOpen();
            if (done) {
                return;
            }
        }
    }

    void PopThroughTag(HtmlTag tag) {
        PopThrough([tag](const HtmlNode& n) { return n.tag == tag && !IsForeign(n); });
    }

    std::size_t OpenCount(HtmlTag tag) const { return openCount_[static_cast<std::size_t>(tag)]; }

    void CloseCell() {
        if (OpenCount(HtmlTag::kTd) + OpenCount(HtmlTag::kTh) == 0) {
            return;
        }
        if (HasInScope([](const HtmlNode& n) { return IsTableCell(n.tag); }, Scope::kTable)) {
            PopThrough([](const HtmlNode& n) { return IsTableCell(n.tag); });
        }
    }

    // Pops until the current node is one of the table parts that `accepts`.
    template <typename Accepts>
    void PopToTableContext(Accepts accepts) {
        while (stack_.size() > 1 && !accepts(Current().tag) && Current().tag != HtmlTag::kTable &&
               Current().tag != HtmlTag::kTemplate) {
            PopOpen();
        }
    }

    // --- head and body ---

    void EnsureBody(const HtmlToken* token) {
        if (doc_.body != kNoNode) {
            return;
        }
        TruncateOpen(1);
        doc_.body = CreateNode(HtmlTag::kBody, NameId("body"), 0);
        if (token != nullptr) {
            SetAttributes(doc_.body, *token);
        }
        Append(0, doc_.body);
        PushOpen(doc_.body);
    }

    void EnsureHead() {
        if (head_ == kNoNode) {
            head_ = CreateNode(HtmlTag::kHead, NameId("head"), 0);
            Append(0, head_);
        }
    }

    // --- tokens ---

    void ProcessText(std::string_view text, bool skipNewline) {
        if (skipNewline && !text.empty() && text[0] == '\n') {
            text.remove_prefix(1);
        }
        if (doc_.body == kNoNode && Current().tag == HtmlTag::kNoscript &&
            !IsWhiteSpaceOnly(text)) {
            PopOpen();  // text in a head noscript ends it and opens the body
        }
        if (doc_.body == kNoNode && stack_.size() == 1) {
            // Before the body, white space is dropped and other text opens it.
            std::size_t start = 0;
            while (start < text.size() && IsWhiteSpaceOnly(text.substr(start, 1))) {
                ++start;
            }
            text.remove_prefix(start);
            if (text.empty()) {
                return;
            }
            EnsureBody(nullptr);
        }
        if (text.empty()) {
            return;
        }
        if (Current().tag == HtmlTag::kStyle && !InForeign()) {
            doc_.styleSheets.emplace_back(text);
        }
        const std::int32_t node = CreateNode(HtmlTag::kUnknown, 0, kNodeText);
        doc_.nodes[node].text = Store(text);
        Place(node, NeedsFosterParent() && !IsWhiteSpaceOnly(text));
    }

    void ProcessStartTag(const HtmlToken& token) {
        HtmlTag tag = TagOf(token.name);
        if (tag == HtmlTag::kImage) {
            tag = HtmlTag::kImg;
        }
        if (InForeign()) {
            if (!IsBreakout(token, tag)) {
                StartForeign(token, tag);
                return;
            }
            while (stack_.size() > 1 && InForeign()) {
                PopOpen();
            }
        }
        switch (tag) {
            case HtmlTag::kHtml:
            case HtmlTag::kFrameset:
            case HtmlTag::kFrame:
                return;
            case HtmlTag::kHead:
                if (doc_.body == kNoNode) {
                    EnsureHead();
                }
                return;
            case HtmlTag::kBody:
                EnsureBody(&token);
                return;
            default:
                break;
        }
        if (doc_.body == kNoNode) {
            if (TagHas(tag, kTagHeadContent) || tag == HtmlTag::kNoscript) {
                StartInHead(token, tag);
                return;
            }
            EnsureBody(nullptr);
        }
        StartInBody(token, tag);
    }

    static bool IsBreakout(const HtmlToken& token, HtmlTag tag) {
        if (tag == HtmlTag::kFont) {
            return token.FindAttribute("color") != nullptr ||
                   token.FindAttribute("face") != nullptr || token.FindAttribute("size") != nullptr;
        }
        return TagHas(tag, kTagBreakout);
    }

    void StartForeign(const HtmlToken& token, HtmlTag tag) {
        const std::int32_t node = InsertElement(token, tag, kNodeForeign);
        if (!token.selfClosing) {
            Push(node);
        }
    }

    void StartInHead(const HtmlToken& token, HtmlTag tag) {
        if (stack_.size() == 1) {
            EnsureHead();
            const std::int32_t node = CreateNode(tag, NameId(token.name), 0);
            SetAttributes(node, token);
            Append(head_, node);
            if (!TagHas(tag, kTagVoid)) {
                Push(node);
            }
        } else {
            const std::int32_t node = CreateNode(tag, NameId(token.name), 0);
            Append(stack_.back(), node);
            if (!TagHas(tag, kTagVoid)) {
                Push(node);
            }
        }
        SwitchTokenizer(token.name, tag);
    }

    void SwitchTokenizer(const std::string& name, HtmlTag tag) {
        if (TagHas(tag, kTagRawText)) {
            tokenizer_.SwitchToRawText(name, false);
        } else if (TagHas(tag, kTagRcData)) {
            tokenizer_.SwitchToRawText(name, true);
        } else if (TagHas(tag, kTagPlainText)) {
            tokenizer_.SwitchToPlainText();
        }
    }

    void StartInBody(const HtmlToken& token, HtmlTag tag) {
        if (StartTableStructure(token, tag)) {
            return;
        }
        if (tag == HtmlTag::kTable && TagHas(Current().tag, kTagTableContext)) {
            PopThroughTag(HtmlTag::kTable);  // a table directly in a table closes it
        }
        if (TagHas(tag, kTagClosesP) && !(tag == HtmlTag::kTable && doc_.quirksMode) &&
            HasTagInScope(HtmlTag::kP, Scope::kButton)) {
            PopThroughTag(HtmlTag::kP);
        }
        CloseImpliedSiblings(tag);
        const std::int32_t node = InsertElement(token, tag, 0);
        if (tag == HtmlTag::kSvg || tag == HtmlTag::kMath) {
            doc_.nodes[node].flags |= kNodeForeign;
            if (!token.selfClosing) {
                Push(node);
            }
        } else if (!TagHas(tag, kTagVoid)) {
            Push(node);
            SwitchTokenizer(token.name, tag);
        }
        skipNewline_ = TagHas(tag, kTagSkipNewline);
        tokenizer_.SetCdataAllowed(InForeign());
    }

    // Start tags that end an open element of the same kind: li, dd/dt,
    // headings, option, a, nobr, button.
    void CloseImpliedSiblings(HtmlTag tag) {
        if (tag == HtmlTag::kLi) {
            if (OpenCount(HtmlTag::kLi) == 0) {
                return;
            }
            CloseListItem([](HtmlTag t) { return t == HtmlTag::kLi; });
        } else if (tag == HtmlTag::kDd || tag == HtmlTag::kDt) {
            if (OpenCount(HtmlTag::kDd) + OpenCount(HtmlTag::kDt) == 0) {
                return;
            }
            CloseListItem([](HtmlTag t) { return t == HtmlTag::kDd || t == HtmlTag::kDt; });
        } else if (TagHas(tag, kTagHeading) && TagHas(Current().tag, kTagHeading)) {
            PopOpen();
        } else if ((tag == HtmlTag::kOption || tag == HtmlTag::kOptgroup) &&
                   Current().tag == HtmlTag::kOption) {
            PopOpen();
        } else if ((tag == HtmlTag::kA || tag == HtmlTag::kNobr || tag == HtmlTag::kButton) &&
                   HasTagInScope(tag, Scope::kDefault)) {
            PopThroughTag(tag);
        }
    }

    template <typename IsItem>
    void CloseListItem(IsItem isItem) {
        for (std::size_t i = stack_.size(); i-- > 1;) {
            const HtmlNode& node = doc_.nodes[stack_[i]];
            if (isItem(node.tag)) {
                TruncateOpen(i);
                return;
            }
            if (TagHas(node.tag, kTagSpecial) && node.tag != HtmlTag::kAddress &&
                node.tag != HtmlTag::kDiv && node.tag != HtmlTag::kP) {
                return;
            }
        }
    }

    // Table parts: ignored outside a table, implied rows, cells closing cells.
    bool StartTableStructure(const HtmlToken& token, HtmlTag tag) {
        const bool cell = IsTableCell(tag);
        const bool row = tag == HtmlTag::kTr;
        const bool group = IsRowGroup(tag);
        const bool other =
            tag == HtmlTag::kCaption || tag == HtmlTag::kCol || tag == HtmlTag::kColgroup;
        if (!cell && !row && !group && !other) {
            return false;
        }
        if (!HasTagInScope(HtmlTag::kTable, Scope::kTable)) {
            return true;  // table parts outside a table are dropped
        }
        CloseCell();
        if (cell) {
            PopToTableContext([](HtmlTag t) { return t == HtmlTag::kTr || IsRowGroup(t); });
            if (Current().tag != HtmlTag::kTr) {
                const std::int32_t impliedRow = CreateNode(HtmlTag::kTr, NameId("tr"), 0);
                Append(stack_.back(), impliedRow);
                Push(impliedRow);
            }
        } else if (row) {
            PopToTableContext([](HtmlTag t) { return IsRowGroup(t); });
        } else {
            PopToTableContext([](HtmlTag) { return false; });
        }
        const std::int32_t node = CreateNode(tag, NameId(token.name), 0);
        SetAttributes(node, token);
        Append(stack_.back(), node);
        if (tag != HtmlTag::kCol && tag != HtmlTag::kColgroup) {
            Push(node);
        }
        return true;
    }

    void ProcessEndTag(const HtmlToken& token) {
        const HtmlTag tag = TagOf(token.name);
        if (InForeign() && EndForeign(token)) {
            return;
        }
        if (doc_.body == kNoNode && tag != HtmlTag::kBr && tag != HtmlTag::kP) {
            if (stack_.size() > 1 && doc_.nodes[stack_.back()].nameId == NameId(token.name)) {
                PopOpen();
            }
            return;
        }
        EnsureBody(nullptr);
        EndInBody(token, tag);
    }

    bool EndForeign(const HtmlToken& token) {
        const std::uint32_t nameId = NameId(token.name);
        for (std::size_t i = stack_.size(); i-- > 1;) {
            const HtmlNode& node = doc_.nodes[stack_[i]];
            if (node.nameId == nameId) {
                TruncateOpen(i);
                tokenizer_.SetCdataAllowed(InForeign());
                return true;
            }
            if (!IsForeign(node)) {
                return false;
            }
        }
        return false;
    }

    void EndInBody(const HtmlToken& token, HtmlTag tag) {
        switch (tag) {
            case HtmlTag::kBody:
            case HtmlTag::kHtml:
                return;
            case HtmlTag::kBr: {
                HtmlToken br;
                br.name = "br";
                StartInBody(br, HtmlTag::kBr);
                return;
            }
            case HtmlTag::kP:
                if (HasTagInScope(HtmlTag::kP, Scope::kButton)) {
                    PopThroughTag(HtmlTag::kP);
                } else {
                    InsertElement(token, HtmlTag::kP, 0);  // "</p>" alone is an empty p
                }
                return;
            case HtmlTag::kLi:
                if (HasTagInScope(tag, Scope::kListItem)) {
                    PopThroughTag(tag);
                }
                return;
            case HtmlTag::kTable:
            case HtmlTag::kTbody:
            case HtmlTag::kThead:
            case HtmlTag::kTfoot:
            case HtmlTag::kTr:
            case HtmlTag::kTd:
            case HtmlTag::kTh:
            case HtmlTag::kCaption:
                if (HasTagInScope(tag, Scope::kTable)) {
                    PopThroughTag(tag);
                }
                return;
            default:
                break;
        }
        if (TagHas(tag, kTagHeading)) {
            auto isHeading = [](const HtmlNode& n) { return TagHas(n.tag, kTagHeading); };
            if (HasInScope(isHeading, Scope::kDefault)) {
                PopThrough(isHeading);
            }
            return;
        }
        if (TagHas(tag, kTagFormatting)) {
            EndFormatting(tag);
            return;
        }
        if (TagHas(tag, kTagClosesP) || tag == HtmlTag::kButton) {
            // Block containers close what is open inside them.
            if (HasTagInScope(tag, Scope::kDefault)) {
                PopThroughTag(tag);
            }
            return;
        }
        EndOther(NameId(token.name));
    }

    // A misnested formatting end tag ("<b><p>x</b>y") must not close the
    // block inside it; it only stops the element from taking new content.
    void EndFormatting(HtmlTag tag) {
        if (OpenCount(tag) == 0) {
            return;
        }
        bool blockAbove = false;
        for (std::size_t i = stack_.size(); i-- > 1;) {
            const HtmlNode& node = doc_.nodes[stack_[i]];
            if (node.tag == tag && !IsForeign(node)) {
                if (blockAbove) {
                    RemoveOpenAt(i);
                } else {
                    TruncateOpen(i);
                }
                return;
            }
            if (TagHas(node.tag, kTagScopeBoundary)) {
                return;
            }
            blockAbove = blockAbove || TagHas(node.tag, kTagSpecial);
        }
    }

    void EndOther(std::uint32_t nameId) {
        for (std::size_t i = stack_.size(); i-- > 1;) {
            const HtmlNode& node = doc_.nodes[stack_[i]];
            if (node.nameId == nameId) {
                TruncateOpen(i);
                return;
            }
            if (TagHas(node.tag, kTagSpecial)) {
                return;
            }
        }
    }

    HtmlTokenizer tokenizer_;
    HtmlDocument doc_;
    std::vector<std::int32_t> stack_;
    std::size_t openCount_[static_cast<std::size_t>(HtmlTag::kCount)] = {};
    std::vector<std::uint32_t> slots_;  // name ids by hash; 0 is empty
    std::vector<HtmlTag> nameTags_;     // by name id
    std::uint32_t lastNameId_ = 0;
    std::int32_t head_ = kNoNode;
    bool skipNewline_ = false;
    bool seenToken_ = false;
};

}  // namespace

HtmlDocument BuildHtmlDocument(std::string_view html, const HtmlCharset& charset) {
    return TreeBuilder(html, charset).Build();
}

}  // namespace vellumo
