#include "html/html_tree_builder.h"

#include <string>
#include <vector>

#include "html/html_css_media.h"
#include "html/html_doctype.h"
#include "html/html_document_editing.h"
#include "html/html_name_table.h"
#include "html/html_open_elements.h"
#include "html/html_tokenizer.h"
#include "html/html_white_space.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

bool IsTableCell(HtmlTag tag) {
    return tag == HtmlTag::kTd || tag == HtmlTag::kTh;
}

bool IsRowGroup(HtmlTag tag) {
    return tag == HtmlTag::kTbody || tag == HtmlTag::kThead || tag == HtmlTag::kTfoot;
}

class TreeBuilder {
  public:
    TreeBuilder(std::string_view html, const HtmlCharset& charset, bool keepTargets)
        : tokenizer_(html, charset), keepTargets_(keepTargets) {
        doc_.source = html;
        doc_.sourceSize = html.size();
        CreateNode(HtmlTag::kHtml, NameId("html"), 0);
        open_.Push(0);
    }

    HtmlDocument Build() {
        HtmlToken token;
        while (!frameset_) {
            tokenizer_.Next(&token);
            if (token.type == HtmlTokenType::kEndOfFile) {
                break;
            }
            const bool skipNewline = skipNewline_;
            skipNewline_ = false;
            Process(token, skipNewline);
            seenToken_ = true;
        }
        if (doc_.body == kNoNode && !frameset_) {
            EnsureBody(nullptr);
        }
        doc_.names = names_.Release();
        return std::move(doc_);
    }

  private:
    void Process(const HtmlToken& token, bool skipNewline) {
        switch (token.type) {
            case HtmlTokenType::kText:
                ProcessText(token, skipNewline);
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
        return AddNode(&doc_, tag, nameId, flags);
    }

    // Appends to an open element or the head, the only nodes that take
    // children; the walk for any other node is a safety net.
    void Append(std::int32_t parent, std::int32_t child) {
        std::int32_t* last = parent == head_ ? &headLastChild_ : open_.LastChildOf(parent);
        std::int32_t walked = kNoNode;
        if (last == nullptr) {
            for (std::int32_t c = doc_.FirstChild(parent); c != kNoNode; c = doc_.NextSibling(c)) {
                walked = c;
            }
            last = &walked;
        }
        AppendChild(&doc_, parent, last, child);
    }

    std::uint32_t NameId(const std::string& name) { return names_.Intern(name); }

    // The known tag of a token's name, looked up once per distinct name.
    HtmlTag TagOf(const std::string& name) { return names_.TagOf(NameId(name)); }

    const HtmlNode& Current() const { return open_.Current(); }

    bool InForeign() const { return (Current().flags & kNodeForeign) != 0; }

    // Where misplaced content in a table goes: before the innermost table.
    bool NeedsFosterParent() const {
        return !InForeign() && TagHas(Current().tag, kTagTableContext);
    }

    // Where a node was placed: its parent and its previous sibling.
    struct Placement {
        std::int32_t parent = kNoNode;
        std::int32_t previous = kNoNode;
    };

    // An open table: where content fostered out of it goes.
    struct OpenTable {
        std::int32_t table = kNoNode;
        std::int32_t parent = kNoNode;
        std::int32_t before = kNoNode;  // the node just before the table
    };

    // Fostered content goes just before the innermost table, so the node
    // before a table is all that insertion needs to know.
    Placement Place(std::int32_t node, bool foster) {
        OpenTable* table = foster ? InnermostTableRecord() : nullptr;
        if (table != nullptr) {
            const Placement placed{table->parent, table->before};
            InsertBefore(&doc_, table->parent, table->table, table->before, node);
            table->before = node;
            return placed;
        }
        const std::int32_t* last = open_.LastChildOf(open_.CurrentIndex());
        const Placement placed{open_.CurrentIndex(), last != nullptr ? *last : kNoNode};
        Append(open_.CurrentIndex(), node);
        return placed;
    }

    // The record of the innermost open table. Tables made after it are
    // closed (they were above it on the stack), so their records go.
    OpenTable* InnermostTableRecord() {
        const std::int32_t table = open_.InnermostTable();
        if (table == kNoNode) {
            return nullptr;
        }
        while (!tables_.empty() && tables_.back().table != table) {
            tables_.pop_back();
        }
        return tables_.empty() ? nullptr : &tables_.back();
    }

    // Keeps the records of open tables only: a closed table takes no
    // fostered content again.
    void NoteOpenTable(std::int32_t table, const Placement& placed) {
        while (!tables_.empty() && open_.LastChildOf(tables_.back().table) == nullptr) {
            tables_.pop_back();
        }
        tables_.push_back({table, placed.parent, placed.previous});
    }

    std::int32_t InsertElement(const HtmlToken& token, HtmlTag tag, std::uint8_t flags,
                               Placement* placed = nullptr) {
        const std::int32_t node = CreateNode(tag, NameId(token.name), flags);
        SetAttributes(node, token);
        const Placement where = Place(node, NeedsFosterParent());
        if (placed != nullptr) {
            *placed = where;
        }
        return node;
    }

    void SetAttributes(std::int32_t index, const HtmlToken& token) {
        SetElementAttributes(&doc_, index, token, keepTargets_);
    }

    void CloseCell() {
        if (open_.Count(HtmlTag::kTd) + open_.Count(HtmlTag::kTh) == 0) {
            return;
        }
        if (open_.HasInScope([](const HtmlNode& n) { return IsTableCell(n.tag); },
                             HtmlScope::kTable)) {
            open_.PopThrough([](const HtmlNode& n) { return IsTableCell(n.tag); });
        }
    }

    // Pops until the current node is one of the table parts that `accepts`.
    template <typename Accepts>
    void PopToTableContext(Accepts accepts) {
        while (open_.Size() > 1 && !accepts(Current().tag) && Current().tag != HtmlTag::kTable &&
               Current().tag != HtmlTag::kTemplate) {
            open_.Pop();
        }
    }

    // --- head and body ---

    void EnsureBody(const HtmlToken* token) {
        if (doc_.body != kNoNode) {
            return;
        }
        open_.TruncateTo(1);
        doc_.body = CreateNode(HtmlTag::kBody, NameId("body"), 0);
        if (token != nullptr) {
            SetAttributes(doc_.body, *token);
        }
        Append(0, doc_.body);
        open_.Push(doc_.body);
    }

    void EnsureHead() {
        if (head_ == kNoNode) {
            head_ = CreateNode(HtmlTag::kHead, NameId("head"), 0);
            Append(0, head_);
        }
    }

    // --- tokens ---

    // Where the source of a text token continues once `dropped` leading
    // characters of its text are left out: white space, where CR LF and CR
    // read as one line feed. SetNodeText checks the rest against the text.
    std::size_t SourceAfter(std::size_t begin, std::size_t end, std::size_t dropped) const {
        const std::string_view source = doc_.source;
        for (; dropped > 0 && begin < end && begin < source.size(); --dropped) {
            if (source[begin] == '\r' && begin + 1 < end && source[begin + 1] == '\n') {
                ++begin;
            }
            ++begin;
        }
        return begin;
    }

    void ProcessText(const HtmlToken& token, bool skipNewline) {
        std::string_view text = token.text;
        if (skipNewline && !text.empty() && text[0] == '\n') {
            text.remove_prefix(1);
        }
        if (doc_.body == kNoNode && Current().tag == HtmlTag::kNoscript &&
            !IsHtmlWhiteSpaceOnly(text)) {
            open_.Pop();  // text in a head noscript ends it and opens the body
        }
        if (doc_.body == kNoNode && open_.Size() == 1) {
            // Before the body, white space is dropped and other text opens it.
            std::size_t start = 0;
            while (start < text.size() && IsHtmlWhiteSpaceOnly(text.substr(start, 1))) {
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
        // A template's content is inert: its sheets apply to nothing.
        if (Current().tag == HtmlTag::kStyle && !InForeign() && styleApplies_ &&
            open_.Count(HtmlTag::kTemplate) == 0) {
            doc_.styleSheets.emplace_back(text);
        }
        const std::int32_t node = CreateNode(HtmlTag::kUnknown, 0, kNodeText);
        SetNodeText(
            &doc_, node, text,
            SourceAfter(token.sourceBegin, token.sourceEnd, token.text.size() - text.size()),
            token.sourceEnd);
        Place(node, NeedsFosterParent() && !IsHtmlWhiteSpaceOnly(text));
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
            while (open_.Size() > 1 && InForeign()) {
                open_.Pop();
            }
        }
        if (tag == HtmlTag::kStyle) {
            // A sheet for other media (print, a phone's width) is not
            // applied on a screen, nor one of a type other than CSS.
            const std::string* media = token.FindAttribute("media");
            const std::string* type = token.FindAttribute("type");
            styleApplies_ =
                (media == nullptr || CssMediaMatchesScreen(*media)) &&
                (type == nullptr || type->empty() || EqualsIgnoringAsciiCase(*type, "text/css"));
        }
        switch (tag) {
            case HtmlTag::kFrameset:
                // A frameset document has no body: nothing after it is text.
                frameset_ = doc_.body == kNoNode;
                return;
            case HtmlTag::kHtml:
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
            open_.Push(node);
        }
    }

    void StartInHead(const HtmlToken& token, HtmlTag tag) {
        if (open_.Size() == 1) {
            EnsureHead();
            const std::int32_t node = CreateNode(tag, NameId(token.name), 0);
            SetAttributes(node, token);
            Append(head_, node);
            if (!TagHas(tag, kTagVoid)) {
                open_.Push(node);
            }
        } else {
            const std::int32_t node = CreateNode(tag, NameId(token.name), 0);
            Append(open_.CurrentIndex(), node);
            if (!TagHas(tag, kTagVoid)) {
                open_.Push(node);
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
            open_.PopThroughTag(HtmlTag::kTable);  // a table directly in a table closes it
        }
        if (TagHas(tag, kTagClosesP) && !(tag == HtmlTag::kTable && doc_.quirksMode) &&
            open_.HasTagInScope(HtmlTag::kP, HtmlScope::kButton)) {
            open_.PopThroughTag(HtmlTag::kP);
        }
        CloseImpliedSiblings(tag);
        Placement placed;
        const std::int32_t node = InsertElement(token, tag, 0, &placed);
        if (tag == HtmlTag::kSvg || tag == HtmlTag::kMath) {
            doc_.nodes[node].flags |= kNodeForeign;
            if (!token.selfClosing) {
                open_.Push(node);
            }
        } else if (!TagHas(tag, kTagVoid)) {
            open_.Push(node);
            SwitchTokenizer(token.name, tag);
            if (tag == HtmlTag::kTable && open_.CurrentIndex() == node) {
                NoteOpenTable(node, placed);
            }
        }
        skipNewline_ = TagHas(tag, kTagSkipNewline);
        tokenizer_.SetCdataAllowed(InForeign());
    }

    // Start tags that end an open element of the same kind: li, dd/dt,
    // headings, option, a, nobr, button.
    void CloseImpliedSiblings(HtmlTag tag) {
        if (tag == HtmlTag::kLi) {
            if (open_.Count(HtmlTag::kLi) == 0) {
                return;
            }
            CloseListItem([](HtmlTag t) { return t == HtmlTag::kLi; });
        } else if (tag == HtmlTag::kDd || tag == HtmlTag::kDt) {
            if (open_.Count(HtmlTag::kDd) + open_.Count(HtmlTag::kDt) == 0) {
                return;
            }
            CloseListItem([](HtmlTag t) { return t == HtmlTag::kDd || t == HtmlTag::kDt; });
        } else if (TagHas(tag, kTagHeading) && TagHas(Current().tag, kTagHeading)) {
            open_.Pop();
        } else if ((tag == HtmlTag::kOption || tag == HtmlTag::kOptgroup) &&
                   Current().tag == HtmlTag::kOption) {
            open_.Pop();
        } else if ((tag == HtmlTag::kA || tag == HtmlTag::kNobr || tag == HtmlTag::kButton) &&
                   open_.HasTagInScope(tag, HtmlScope::kDefault)) {
            open_.PopThroughTag(tag);
        }
    }

    template <typename IsItem>
    void CloseListItem(IsItem isItem) {
        for (std::size_t i = open_.Size(); i-- > 1;) {
            const HtmlNode& node = open_.NodeAt(i);
            if (isItem(node.tag)) {
                open_.TruncateTo(i);
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
        if (!open_.HasTagInScope(HtmlTag::kTable, HtmlScope::kTable)) {
            return true;  // table parts outside a table are dropped
        }
        CloseCell();
        if (cell) {
            PopToTableContext([](HtmlTag t) { return t == HtmlTag::kTr || IsRowGroup(t); });
            if (Current().tag != HtmlTag::kTr) {
                const std::int32_t impliedRow = CreateNode(HtmlTag::kTr, NameId("tr"), 0);
                Append(open_.CurrentIndex(), impliedRow);
                open_.Push(impliedRow);
            }
        } else if (row) {
            PopToTableContext([](HtmlTag t) { return IsRowGroup(t); });
        } else {
            PopToTableContext([](HtmlTag) { return false; });
        }
        const std::int32_t node = CreateNode(tag, NameId(token.name), 0);
        SetAttributes(node, token);
        Append(open_.CurrentIndex(), node);
        if (tag != HtmlTag::kCol && tag != HtmlTag::kColgroup) {
            open_.Push(node);
        }
        return true;
    }

    void ProcessEndTag(const HtmlToken& token) {
        const HtmlTag tag = TagOf(token.name);
        if (InForeign() && EndForeign(token)) {
            return;
        }
        if (doc_.body == kNoNode && tag != HtmlTag::kBr && tag != HtmlTag::kP) {
            if (open_.Size() > 1 && doc_.NameId(open_.CurrentIndex()) == NameId(token.name)) {
                open_.Pop();
            }
            return;
        }
        EnsureBody(nullptr);
        EndInBody(token, tag);
    }

    bool EndForeign(const HtmlToken& token) {
        const std::uint32_t nameId = NameId(token.name);
        for (std::size_t i = open_.Size(); i-- > 1;) {
            const HtmlNode& node = open_.NodeAt(i);
            if (doc_.NameId(open_.At(i)) == nameId) {
                open_.TruncateTo(i);
                tokenizer_.SetCdataAllowed(InForeign());
                return true;
            }
            if (!IsForeignNode(node)) {
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
                if (open_.HasTagInScope(HtmlTag::kP, HtmlScope::kButton)) {
                    open_.PopThroughTag(HtmlTag::kP);
                } else {
                    InsertElement(token, HtmlTag::kP, 0);  // "</p>" alone is an empty p
                }
                return;
            case HtmlTag::kLi:
                if (open_.HasTagInScope(tag, HtmlScope::kListItem)) {
                    open_.PopThroughTag(tag);
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
                if (open_.HasTagInScope(tag, HtmlScope::kTable)) {
                    open_.PopThroughTag(tag);
                }
                return;
            default:
                break;
        }
        if (TagHas(tag, kTagHeading)) {
            auto isHeading = [](const HtmlNode& n) { return TagHas(n.tag, kTagHeading); };
            if (open_.HasInScope(isHeading, HtmlScope::kDefault)) {
                open_.PopThrough(isHeading);
            }
            return;
        }
        if (TagHas(tag, kTagFormatting)) {
            EndFormatting(tag);
            return;
        }
        if (TagHas(tag, kTagClosesP) || tag == HtmlTag::kButton) {
            // Block containers close what is open inside them.
            if (open_.HasTagInScope(tag, HtmlScope::kDefault)) {
                open_.PopThroughTag(tag);
            }
            return;
        }
        EndOther(NameId(token.name));
    }

    // A misnested formatting end tag ("<b><p>x</b>y") must not close the
    // block inside it; it only stops the element from taking new content.
    void EndFormatting(HtmlTag tag) {
        if (open_.Count(tag) == 0) {
            return;
        }
        bool blockAbove = false;
        for (std::size_t i = open_.Size(); i-- > 1;) {
            const HtmlNode& node = open_.NodeAt(i);
            if (node.tag == tag && !IsForeignNode(node)) {
                if (blockAbove) {
                    open_.RemoveAt(i);
                } else {
                    open_.TruncateTo(i);
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
        for (std::size_t i = open_.Size(); i-- > 1;) {
            const HtmlNode& node = open_.NodeAt(i);
            if (doc_.NameId(open_.At(i)) == nameId) {
                open_.TruncateTo(i);
                return;
            }
            if (TagHas(node.tag, kTagSpecial)) {
                return;
            }
        }
    }

    HtmlTokenizer tokenizer_;
    HtmlDocument doc_;
    HtmlOpenElements open_{&doc_};
    HtmlNameTable names_;
    std::vector<OpenTable> tables_;  // by age; all open but for some newest
    bool keepTargets_ = true;
    std::int32_t head_ = kNoNode;
    std::int32_t headLastChild_ = kNoNode;
    bool skipNewline_ = false;
    bool styleApplies_ = true;  // the media of the last style start tag match
    bool frameset_ = false;
    bool seenToken_ = false;
};

}  // namespace

HtmlDocument BuildHtmlDocument(std::string_view html, const HtmlCharset& charset,
                               bool keepTargets) {
    return TreeBuilder(html, charset, keepTargets).Build();
}

}  // namespace vellumo
