#include <string>
#include <vector>

#include "html/html_charset.h"
#include "html/html_style_resolver.h"
#include "html/html_text_extractor.h"
#include "html/html_text_writer.h"
#include "html/html_tokenizer.h"
#include "html/html_tree_builder.h"
#include "html/html_white_space.h"

namespace vellumo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// The document keeps 32-bit offsets into its text; references expand text by
// at most a few bytes each, so a gigabyte of input stays well inside them.
constexpr std::size_t kMaxRenderedInput = std::size_t{1} << 30;

bool IsBlockLevel(HtmlDisplay display) {
    switch (display) {
        case HtmlDisplay::kBlock:
        case HtmlDisplay::kListItem:
        case HtmlDisplay::kTable:
        case HtmlDisplay::kTableCaption:
        case HtmlDisplay::kFlex:
        case HtmlDisplay::kGrid:
            return true;
        default:
            return false;
    }
}

bool IsAtomicInline(HtmlDisplay display) {
    return display == HtmlDisplay::kInlineBlock || display == HtmlDisplay::kInlineTable ||
           display == HtmlDisplay::kInlineFlex || display == HtmlDisplay::kInlineGrid;
}

// Replaced elements (images, form controls) sit in the line like inline-blocks.
bool IsAtomic(const HtmlNode& node, HtmlDisplay display) {
    return IsAtomicInline(display) ||
           (display == HtmlDisplay::kInline && TagHas(node.tag, kTagNoContent));
}

bool IsRowContainer(HtmlDisplay display) {
    return display == HtmlDisplay::kTable || display == HtmlDisplay::kInlineTable ||
           display == HtmlDisplay::kTableRowGroup;
}

bool IsTableBox(HtmlDisplay display) {
    return display == HtmlDisplay::kTable || display == HtmlDisplay::kInlineTable;
}

// The last cell (or row) box seen among a row's cells (a table's rows):
// whether a separator follows it once another box comes. Content of a row
// that is no cell gets an anonymous cell box, which has no element and so
// no separator; neither has an element whose visibility is hidden.
enum class LastBox : std::uint8_t { kNone, kSeparated, kSilent };

// One element being rendered, with what its children need to know.
struct Frame {
    std::int32_t node = kNoNode;
    std::int32_t nextChild = kNoNode;
    HtmlComputedStyle style;
    LastBox lastCell = LastBox::kNone;  // on rows
    LastBox lastRow = LastBox::kNone;   // on tables
    bool closedDetails = false;
    bool summaryShown = false;
};

// The rendered text collection of innerText, walked without recursion.
class InnerTextRenderer {
  public:
    InnerTextRenderer(const HtmlDocument& document, const HtmlCharset& charset)
        : document_(document), styles_(document), writer_(charset) {}

    std::string Render() {
        if (document_.body == kNoNode) {
            return {};
        }
        HtmlComputedStyle initial;
        const HtmlComputedStyle htmlStyle = styles_.Compute(0, initial);
        const HtmlComputedStyle bodyStyle = styles_.Compute(document_.body, htmlStyle);
        if (htmlStyle.display == HtmlDisplay::kNone || bodyStyle.display == HtmlDisplay::kNone) {
            return TextContent(document_.body);  // innerText of an unrendered element
        }
        Enter(document_.body, bodyStyle);
        while (!frames_.empty()) {
            Step();
        }
        return writer_.Finish();
    }

  private:
    // All text of the subtree in tree order, scripts and styles included,
    // with CR LF line ends.
    std::string TextContent(std::int32_t root) const {
        std::string out;
        std::int32_t node = document_.nodes[root].firstChild;
        while (node != kNoNode) {
            const HtmlNode& current = document_.nodes[node];
            if (current.IsText()) {
                for (char c : document_.Text(current.text)) {
                    if (c == '\n') {
                        out.push_back('\r');
                    }
                    // A CR (only from "&#13;") must not stand alone in mail text.
                    out.push_back(c == kNoBreakSpaceMarker || c == '\r' ? ' ' : c);
                }
            }
            node = NextInTree(node, root);
        }
        return out;
    }

    // The node after `node` in tree order within `root`'s subtree.
    std::int32_t NextInTree(std::int32_t node, std::int32_t root) const {
        if (document_.nodes[node].firstChild != kNoNode) {
            return document_.nodes[node].firstChild;
        }
        while (node != root && document_.nodes[node].nextSibling == kNoNode) {
            node = document_.nodes[node].parent;
        }
        return node == root ? kNoNode : document_.nodes[node].nextSibling;
    }

    void Step() {
        Frame& frame = frames_.back();
        const std::int32_t child = frame.nextChild;
        if (child == kNoNode) {
            Leave(frame);
            frames_.pop_back();
            return;
        }
        frame.nextChild = document_.nodes[child].nextSibling;
        const HtmlNode& node = document_.nodes[child];
        if (node.IsText()) {
            if (!IsHtmlWhiteSpaceOnly(document_.Text(node.text))) {
                NoteTableBox(HtmlDisplay::kInline, false);
            }
            Frame& owner = frames_.back();
            // A select shows its options only, not text between them.
            const bool inSelect = document_.nodes[owner.node].tag == HtmlTag::kSelect;
            if (owner.style.visibility == CssVisibility::kVisible && !owner.closedDetails &&
                !inSelect) {
                writer_.Text(document_.Text(node.text), owner.style.whiteSpace,
                             owner.style.textTransform);
            }
            return;
        }
        if (frame.closedDetails) {
            // A closed details element shows its first summary only.
            if (node.tag != HtmlTag::kSummary || frame.summaryShown) {
                return;
            }
            frame.summaryShown = true;
        }
        const HtmlComputedStyle style = styles_.Compute(child, frame.style);
        if (style.display != HtmlDisplay::kNone) {
            Enter(child, style);
        }
    }

    Frame* NearestTable() {
        for (std::size_t i = frames_.size(); i-- > 0;) {
            if (IsTableBox(frames_[i].style.display)) {
                return &frames_[i];
            }
        }
        return frames_.empty() ? nullptr : &frames_.back();
    }

    void Enter(std::int32_t index, const HtmlComputedStyle& style) {
        const HtmlNode& node = document_.nodes[index];
        if (node.tag == HtmlTag::kBr && (node.flags & kNodeForeign) == 0) {
            if (style.visibility == CssVisibility::kVisible) {
                writer_.Literal('\n');
            } else {
                writer_.BoxBoundary();
            }
            return;
        }
        StartItems(node, style);
        if (TagHas(node.tag, kTagNoContent) || TagHas(node.tag, kTagVoid)) {
            Frame leaf;
            leaf.node = index;
            leaf.style = style;
            Leave(leaf);
            return;
        }
        Frame frame;
        frame.node = index;
        frame.nextChild = node.firstChild;
        frame.style = style;
        frame.closedDetails = node.tag == HtmlTag::kDetails && (node.flags & kNodeOpen) == 0;
        frames_.push_back(frame);
    }

    int LineBreaksOf(const HtmlNode& node) const { return node.tag == HtmlTag::kP ? 2 : 1; }

    // A p element asks for two line breaks whatever its display.
    static bool NeedsLineBreaks(const HtmlNode& node, HtmlDisplay display) {
        return IsBlockLevel(display) || node.tag == HtmlTag::kP;
    }

    // The tab between cells and the line feed between rows go after each
    // cell or row element that another cell or row box follows.
    void NoteTableBox(HtmlDisplay display, bool visible) {
        Frame& parent = frames_.back();
        if (parent.style.display == HtmlDisplay::kTableRow) {
            if (parent.lastCell == LastBox::kSeparated) {
                writer_.Literal('\t');
            }
            parent.lastCell = display == HtmlDisplay::kTableCell && visible ? LastBox::kSeparated
                                                                            : LastBox::kSilent;
            return;
        }
        if (display == HtmlDisplay::kTableRow ||
            (IsRowContainer(parent.style.display) && display != HtmlDisplay::kTableRowGroup &&
             display != HtmlDisplay::kTableCaption && display != HtmlDisplay::kTableColumn)) {
            Frame* table = NearestTable();
            if (table == nullptr) {
                return;
            }
            if (table->lastRow == LastBox::kSeparated) {
                writer_.Literal('\n');
            }
            table->lastRow = display == HtmlDisplay::kTableRow && visible ? LastBox::kSeparated
                                                                          : LastBox::kSilent;
        }
    }

    // An element whose visibility is hidden adds no items of its own (no
    // separators, no line breaks), only what its visible descendants add.
    void StartItems(const HtmlNode& node, const HtmlComputedStyle& style) {
        const bool visible = style.visibility == CssVisibility::kVisible;
        if (!frames_.empty()) {
            NoteTableBox(style.display, visible);
        }
        if (style.display == HtmlDisplay::kTableRow || style.display == HtmlDisplay::kTableCell) {
            writer_.BoxBoundary();
        }
        if (IsAtomic(node, style.display)) {
            writer_.InlineBoxStart();
        }
        if (visible && NeedsLineBreaks(node, style.display)) {
            writer_.RequireLineBreaks(LineBreaksOf(node));
        }
    }

    void Leave(const Frame& frame) {
        const HtmlNode& node = document_.nodes[frame.node];
        const HtmlDisplay display = frame.style.display;
        if (frame.style.visibility == CssVisibility::kVisible && NeedsLineBreaks(node, display)) {
            writer_.RequireLineBreaks(LineBreaksOf(node));
        }
        if (IsAtomic(node, display)) {
            writer_.InlineBoxEnd();
        } else if (display == HtmlDisplay::kTableRow || display == HtmlDisplay::kTableCell ||
                   display == HtmlDisplay::kTableRowGroup) {
            writer_.BoxBoundary();
        }
    }

    const HtmlDocument& document_;
    HtmlStyleResolver styles_;
    HtmlTextWriter writer_;
    std::vector<Frame> frames_;
};

}  // namespace

std::string RenderHtmlText(std::string_view html, std::string_view charsetName) {
    const HtmlCharset charset = ResolveHtmlCharset(charsetName);
    html = html.substr(0, kMaxRenderedInput);
    std::string repaired;
    if (charset.kind == CharsetKind::kUtf8) {
        if (html.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
            html.remove_prefix(kUtf8ByteOrderMark.size());
        }
        if (!IsValidUtf8(html)) {
            repaired = RepairUtf8(html);
            html = repaired;
        }
    }
    const HtmlDocument document = BuildHtmlDocument(html, charset);
    return InnerTextRenderer(document, charset).Render();
}

}  // namespace vellumo
