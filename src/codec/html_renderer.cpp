#include <string>
#include <vector>

#include "codec/html_charset.h"
#include "codec/html_style_resolver.h"
#include "codec/html_text_extractor.h"
#include "codec/html_text_writer.h"
#include "codec/html_tree_builder.h"

namespace vellumo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

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

bool IsTableBox(HtmlDisplay display) {
    return display == HtmlDisplay::kTable || display == HtmlDisplay::kInlineTable;
}

// One element being rendered, with what its children need to know.
struct Frame {
    std::int32_t node = kNoNode;
    std::int32_t nextChild = kNoNode;
    HtmlComputedStyle style;
    int cells = 0;  // table cells rendered so far among the children
    int rows = 0;   // table rows rendered so far (on table boxes)
    bool closedDetails = false;
    bool summaryShown = false;
};

// The rendered text collection of innerText, walked without recursion.
class InnerTextRenderer {
  public:
    explicit InnerTextRenderer(const HtmlDocument& document)
        : document_(document), styles_(document) {}

    std::string Render() {
        if (document_.body == kNoNode) {
            return {};
        }
        HtmlComputedStyle rootStyle;
        rootStyle.display = HtmlDisplay::kBlock;
        const HtmlComputedStyle bodyStyle = styles_.Compute(document_.body, rootStyle);
        if (bodyStyle.display == HtmlDisplay::kNone) {
            return {};
        }
        Enter(document_.body, bodyStyle);
        while (!frames_.empty()) {
            Step();
        }
        return writer_.Finish();
    }

  private:
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
            if (frame.style.visibility == CssVisibility::kVisible && !frame.closedDetails) {
                writer_.Text(document_.Text(node.text), frame.style.whiteSpace,
                             frame.style.textTransform);
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
            writer_.Literal('\n');
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

    void StartItems(const HtmlNode& node, const HtmlComputedStyle& style) {
        if (style.display == HtmlDisplay::kTableRow) {
            Frame* table = NearestTable();
            if (table != nullptr && table->rows++ > 0) {
                writer_.Literal('\n');
            }
            writer_.BoxBoundary();
        } else if (style.display == HtmlDisplay::kTableCell) {
            if (!frames_.empty() && frames_.back().cells++ > 0) {
                writer_.Literal('\t');
            }
            writer_.BoxBoundary();
        }
        if (IsAtomicInline(style.display)) {
            writer_.InlineBoxStart();
        }
        if (NeedsLineBreaks(node, style.display)) {
            writer_.RequireLineBreaks(LineBreaksOf(node));
        }
    }

    void Leave(const Frame& frame) {
        const HtmlNode& node = document_.nodes[frame.node];
        const HtmlDisplay display = frame.style.display;
        if (NeedsLineBreaks(node, display)) {
            writer_.RequireLineBreaks(LineBreaksOf(node));
        }
        if (IsAtomicInline(display)) {
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
    return InnerTextRenderer(document).Render();
}

}  // namespace vellumo
