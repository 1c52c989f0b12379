// The built-in renderer: innerText by the HTML standard's steps, walked
// without recursion over the document tree, with the style resolver for
// the computed values and the text writer for the items.
//
// The innerText getter steps:
//   1. An element not being rendered gives its descendant text content:
//      Render, TextContent.
//   2-3. The rendered text collection steps for each child: Render, Step.
//   4-7. Empty items dropped, runs of required line break counts removed
//      at both ends and elsewhere replaced by as many line feeds as the
//      largest count, the items joined: HtmlTextWriter.
//
// The rendered text collection steps, given a node:
//   1. The items of its children in tree order: Step walks them, Enter
//      opens an element and Leave closes it.
//   2. An element whose visibility is not visible adds no items of its
//      own, only its children's: CollectText, StartItems, Leave.
//   3. A node not being rendered adds none (display none, a template's
//      content, a closed details' content but its summary, text in a
//      select or an optgroup, whose boxes hold their options only): Step,
//      CollectText.
//   4. A text node: its text after the white-space and text-transform
//      rules: CollectText, HtmlTextWriter::Text, StartFirstLineStyles.
//   5. br: a line feed: Enter.
//   6. A table-cell box that another follows in its row: a tab:
//      NoteTableBox.
//   7. A table-row box that another follows in its table: a line feed:
//      NoteRow.
//   8. p: a required line break count of 2 before and after: StartItems,
//      Leave.
//   9. A block-level or table-caption box: a count of 1 before and after:
//      StartItems, Leave.
//  10. The items: Leave.
// The extras of HtmlTextOptions (list markers, alt text, link numbers,
// quote levels) are no part of these steps: StartExtras, LeaveExtras.
#include "html/html_renderer.h"

#include <cstdint>
#include <string>
#include <vector>

#include "charset/charset.h"
#include "charset/output_charset.h"
#include "charset/source_charset.h"
#include "html/html_document_editing.h"
#include "html/html_link_list.h"
#include "html/html_style_resolver.h"
#include "html/html_text_options.h"
#include "html/html_text_writer.h"
#include "html/html_tokenizer.h"
#include "html/html_tree_builder.h"
#include "html/html_white_space.h"

namespace vellumo {
namespace {

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

// Boxes whose white-space-only text children CSS drops, whatever their
// white-space: text there stands between cells and rows.
bool DropsWhiteSpaceText(HtmlDisplay display) {
    return IsRowContainer(display) || display == HtmlDisplay::kTableRow;
}

// Step 3: a template's content is no part of the document tree in a
// browser.
bool IsTemplate(const HtmlNode& node) {
    return node.tag == HtmlTag::kTemplate && (node.flags & kNodeForeign) == 0;
}

// Steps 6 and 7: the last cell (or row) box seen among a row's cells (a
// table's rows):
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
    int items = 0;                 // list items entered so far, for list markers
    bool firstLineStyled = false;  // the element set a ::first-line transform
    bool firstLetterStyled = false;
};

// The rendered text collection steps of innerText, walked without
// recursion: a frame for each element open on the path from the body.
class InnerTextRenderer {
  public:
    InnerTextRenderer(const HtmlDocument& document, const HtmlCharset& charset,
                      const HtmlTextOptions& options)
        : document_(document), styles_(document), writer_(charset), options_(options) {}

    // The text in pieces, to be joined once the document is gone: the
    // collection steps for the body's children (getter steps 2 and 3).
    HtmlTextPieces Render() {
        if (document_.body == kNoNode) {
            return {};
        }
        HtmlComputedStyle initial;
        const HtmlComputedStyle htmlStyle = styles_.Compute(0, initial, ancestors_);
        ancestors_.push_back(0);
        const HtmlComputedStyle bodyStyle = styles_.Compute(document_.body, htmlStyle, ancestors_);
        if (htmlStyle.display == HtmlDisplay::kNone || bodyStyle.display == HtmlDisplay::kNone) {
            return {TextContent(document_.body)};  // getter step 1
        }
        Enter(document_.body, bodyStyle);
        while (!frames_.empty()) {
            Step();
        }
        HtmlTextPieces text = writer_.Finish();
        AddLinkList(&text);
        return text;
    }

  private:
    // Getter step 1: all text of the subtree in tree order, scripts and
    // styles included, with CR LF line ends; once past `limit` bytes, no
    // more is read.
    std::string TextContent(std::int32_t root, std::size_t limit = SIZE_MAX) {
        std::string out;
        std::vector<std::int32_t> path;  // the elements entered below `root`
        std::int32_t node = document_.FirstChild(root);
        while (node != kNoNode && out.size() <= limit) {
            const HtmlNode& current = document_.nodes[node];
            if (current.IsText()) {
                bool crs = false;
                ForEachTextPiece(
                    document_.StoredText(node, &crs), crs, [&out](std::string_view piece) {
                        for (char c : piece) {
                            if (c == '\n') {
                                out.push_back('\r');
                            }
                            // A CR (only from "&#13;") must not stand
                            // alone in mail text.
                            out.push_back(c == kNoBreakSpaceMarker || c == '\r' ? ' ' : c);
                        }
                    });
            } else if (!IsTemplate(current) && document_.FirstChild(node) != kNoNode) {
                path.push_back(node);
                node = document_.FirstChild(node);
                continue;
            }
            node = document_.NextSibling(node);
            while (node == kNoNode && !path.empty()) {
                node = document_.NextSibling(path.back());
                path.pop_back();
            }
        }
        return out;
    }

    // Step 1: the next child of the innermost open element, or the end of
    // that element once its children are done.
    void Step() {
        Frame& frame = frames_.back();
        const std::int32_t child = frame.nextChild;
        if (child == kNoNode) {
            Leave(frame);
            frames_.pop_back();
            ancestors_.pop_back();
            return;
        }
        frame.nextChild = document_.NextSibling(child);
        const HtmlNode& node = document_.nodes[child];
        if (node.IsText()) {
            CollectText(child);
            return;
        }
        // Step 3: a template's content is not rendered, nor is what a
        // closed details element holds but its first summary.
        if (IsTemplate(node)) {
            return;
        }
        if (frame.closedDetails) {
            if (node.tag != HtmlTag::kSummary || frame.summaryShown) {
                return;
            }
            frame.summaryShown = true;
        }
        const HtmlComputedStyle style = styles_.Compute(child, frame.style, ancestors_);
        if (style.display != HtmlDisplay::kNone) {
            Enter(child, style);
        }
    }

    // Step 4: the text of a text node after the white-space and
    // text-transform rules of the element holding it.
    void CollectText(std::int32_t child) {
        bool crs = false;
        const std::string_view text = document_.StoredText(child, &crs);
        // CR is white space too, so the stored text tells as well.
        const bool blank = IsHtmlWhiteSpaceOnly(text);
        if (blank && DropsWhiteSpaceText(frames_.back().style.display)) {
            return;
        }
        if (!blank) {
            NoteTableBox(HtmlDisplay::kInline, false);  // steps 6 and 7
        }
        const Frame& owner = frames_.back();
        // Step 3: a select and an optgroup (in a select or not) hold the
        // boxes of their options only, not of text between them; a closed
        // details element renders no text of its own.
        const HtmlTag ownerTag = document_.nodes[owner.node].tag;
        const bool optionsOnly = ownerTag == HtmlTag::kSelect || ownerTag == HtmlTag::kOptgroup;
        // Step 2: the text of an element that is not visible.
        if (owner.style.visibility != CssVisibility::kVisible || owner.closedDetails ||
            optionsOnly) {
            return;
        }
        writer_.SetTurkicCasing(owner.style.turkicCasing);
        const HtmlComputedStyle& style = owner.style;
        ForEachTextPiece(text, crs, [this, &style](std::string_view piece) {
            writer_.Text(piece, style.whiteSpace, style.textTransform);
        });
    }

    Frame* NearestTable() {
        for (std::size_t i = frames_.size(); i-- > 0;) {
            if (IsTableBox(frames_[i].style.display)) {
                return &frames_[i];
            }
        }
        return frames_.empty() ? nullptr : &frames_.back();
    }

    // Step 1: an element being rendered opens; its items start (steps 6
    // to 9) and its children follow. Step 5: a br is a line feed.
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
        StartExtras(index, style);
        if (TagHas(node.tag, kTagNoContent) || TagHas(node.tag, kTagVoid)) {
            Frame leaf;
            leaf.node = index;
            leaf.style = style;
            Leave(leaf);
            return;
        }
        Frame frame;
        frame.node = index;
        frame.nextChild = document_.FirstChild(index);
        frame.style = style;
        frame.closedDetails = node.tag == HtmlTag::kDetails && (node.flags & kNodeOpen) == 0;
        StartFirstLineStyles(&frame);
        frames_.push_back(frame);
        ancestors_.push_back(index);
    }

    // Step 4's text-transform: ::first-line and ::first-letter style the
    // first line and letter of a block container's text, nested blocks
    // included.
    void StartFirstLineStyles(Frame* frame) {
        const HtmlComputedStyle& style = frame->style;
        if (style.display == HtmlDisplay::kInline || style.visibility != CssVisibility::kVisible) {
            return;
        }
        if (style.firstLineTransform != CssTextTransform::kNone) {
            writer_.StartFirstLine(style.firstLineTransform, style.textTransform);
            frame->firstLineStyled = true;
        }
        if (style.firstLetterTransform != CssTextTransform::kNone) {
            writer_.StartFirstLetter(style.firstLetterTransform, style.textTransform);
            frame->firstLetterStyled = true;
        }
    }

    int LineBreaksOf(const HtmlNode& node) const { return node.tag == HtmlTag::kP ? 2 : 1; }

    // Steps 8 and 9: a p element asks for two line breaks whatever its
    // display.
    static bool NeedsLineBreaks(const HtmlNode& node, HtmlDisplay display) {
        return IsBlockLevel(display) || node.tag == HtmlTag::kP;
    }

    // Steps 6 and 7: the tab between cells and the line feed between rows
    // go after each cell or row element that another cell or row box
    // follows, so they are written when that box starts. Cells standing
    // directly in a table or row group share an anonymous row, which
    // separates them like a row element; text there joins it.
    void NoteTableBox(HtmlDisplay display, bool visible) {
        Frame& parent = frames_.back();
        const bool anonymousRow =
            IsRowContainer(parent.style.display) &&
            (display == HtmlDisplay::kTableCell ||
             (display == HtmlDisplay::kInline && parent.lastCell != LastBox::kNone));
        if (parent.style.display == HtmlDisplay::kTableRow || anonymousRow) {
            if (anonymousRow && parent.lastCell == LastBox::kNone) {
                NoteRow(false);
            }
            if (parent.lastCell == LastBox::kSeparated) {
                writer_.Literal('\t');
            }
            parent.lastCell = display == HtmlDisplay::kTableCell && visible ? LastBox::kSeparated
                                                                            : LastBox::kSilent;
            return;
        }
        if (IsRowContainer(parent.style.display)) {
            parent.lastCell = LastBox::kNone;  // any anonymous row ends here
        }
        if (display == HtmlDisplay::kTableRow ||
            (IsRowContainer(parent.style.display) && display != HtmlDisplay::kTableRowGroup &&
             display != HtmlDisplay::kTableCaption && display != HtmlDisplay::kTableColumn)) {
            NoteRow(display == HtmlDisplay::kTableRow && visible);
        }
    }

    // Step 7: a row box starts: the line feed after the row before it, if
    // that was a visible row element.
    void NoteRow(bool separated) {
        Frame* table = NearestTable();
        if (table == nullptr) {
            return;
        }
        if (table->lastRow == LastBox::kSeparated) {
            writer_.Literal('\n');
        }
        table->lastRow = separated ? LastBox::kSeparated : LastBox::kSilent;
    }

    // The items before an element's children: the separator the box
    // before it is owed (steps 6 and 7) and the required line breaks
    // (steps 8 and 9). By step 2 an element whose visibility is hidden adds
    // no items of its own, only what its visible descendants add.
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

    // The optional extras where an element starts: a list item's marker,
    // an image's alt text, a deeper quote level.
    void StartExtras(std::int32_t index, const HtmlComputedStyle& style) {
        const HtmlNode& node = document_.nodes[index];
        if (style.visibility != CssVisibility::kVisible) {
            return;
        }
        if (options_.listMarkers && node.tag == HtmlTag::kLi && !frames_.empty()) {
            StartListItem(frames_.back());
        }
        if (options_.altText && node.tag == HtmlTag::kImg) {
            const std::string_view alt = document_.AttributesOf(index).target;
            if (!alt.empty()) {
                ExtraText(std::string(alt));
            }
        }
        if (options_.quoteMarkers && node.tag == HtmlTag::kBlockquote) {
            writer_.SetQuoteDepth(++quoteDepth_);
        }
        if (options_.links && node.tag == HtmlTag::kA) {
            linkStarts_.push_back(writer_.WrittenSize());
        }
    }

    // The optional extras where an element ends: a link's number, the
    // quote level falling back.
    void LeaveExtras(std::int32_t index, const HtmlComputedStyle& style) {
        const HtmlNode& node = document_.nodes[index];
        if (style.visibility != CssVisibility::kVisible) {
            return;
        }
        if (options_.links && node.tag == HtmlTag::kA) {
            // Text much longer than the target cannot be the target.
            const std::string_view href = document_.AttributesOf(index).target;
            const std::size_t number = links_.Note(href, TextContent(index, href.size() + 64));
            const bool showedText = writer_.WrittenSize() != linkStarts_.back();
            linkStarts_.pop_back();
            if (number != 0) {
                writer_.WordMarker("[" + std::to_string(number) + "]", showedText);
            }
        }
        if (options_.listMarkers && node.tag == HtmlTag::kLi && !itemIndents_.empty()) {
            itemIndents_.pop_back();
            writer_.EndItem();
            writer_.SetLineIndent(itemIndents_.empty() ? 0 : itemIndents_.back());
        }
        if (options_.quoteMarkers && node.tag == HtmlTag::kBlockquote && quoteDepth_ > 0) {
            writer_.SetQuoteDepth(--quoteDepth_);
        }
    }

    // A list item's marker where its enclosing item's text begins; the
    // item's own lines begin under the item's text, so nested lists
    // indent by level.
    void StartListItem(Frame& list) {
        ++list.items;
        const bool ordered = document_.nodes[list.node].tag == HtmlTag::kOl;
        const std::string marker = ordered ? std::to_string(list.items) + ". " : "* ";
        const int base = itemIndents_.empty() ? 0 : itemIndents_.back();
        writer_.SetLineIndent(base);
        writer_.ItemMarker(marker);
        itemIndents_.push_back(base + static_cast<int>(marker.size()));
        writer_.SetLineIndent(itemIndents_.back());
    }

    void ExtraText(const std::string& text) {
        writer_.Text(text, CssWhiteSpace::kNormal, CssTextTransform::kNone);
    }

    // The numbered link targets after the text, when links are listed.
    void AddLinkList(HtmlTextPieces* text) const {
        std::string list = links_.ListText();
        if (!list.empty()) {
            text->push_back(std::move(list));
        }
    }

    // Step 10: the items after an element's children: the required line
    // breaks of steps 8 and 9, the end of its box.
    void Leave(const Frame& frame) {
        if (frame.firstLineStyled) {
            writer_.StartFirstLine(CssTextTransform::kNone, CssTextTransform::kNone);
        }
        if (frame.firstLetterStyled) {
            writer_.StartFirstLetter(CssTextTransform::kNone, CssTextTransform::kNone);
        }
        const HtmlNode& node = document_.nodes[frame.node];
        const HtmlDisplay display = frame.style.display;
        LeaveExtras(frame.node, frame.style);
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
    std::vector<std::int32_t> ancestors_;  // the html element, then each frame's element
    const HtmlTextOptions& options_;
    HtmlLinkList links_;
    std::vector<int> itemIndents_;         // where the text of each open list item begins
    std::vector<std::size_t> linkStarts_;  // the writer's size where each open link began
    int quoteDepth_ = 0;
};

}  // namespace

std::string RenderDecodedHtml(std::string_view html, const HtmlCharset& charset,
                              const HtmlTextOptions& options, const HtmlSourceShrink& shrinkInput) {
    HtmlTextPieces pieces;
    {
        HtmlDocument document = BuildHtmlDocument(html.substr(0, kMaxRenderedInput), charset,
                                                  options.links || options.altText);
        if (shrinkInput) {
            MoveSourceTextToArena(&document, shrinkInput);
        }
        pieces = InnerTextRenderer(document, charset, options).Render();
    }  // the document is freed before the text is joined, copied or wrapped
    std::string text = JoinTextPieces(std::move(pieces));
    if (options.tableColumns) {
        text = AlignTableColumns(text, options.wrapWidth);
    }
    if (options.tidy) {
        text = TidyTextLines(text, charset.kind == CharsetKind::kUtf8);
    }
    if (options.wrapWidth > 0) {
        return WrapTextLines(text, options.wrapWidth);
    }
    return text;
}

std::string RenderHtmlText(std::string_view html, std::string_view charsetName) {
    return RenderHtmlText(html, charsetName, HtmlTextOptions());
}

std::string RenderHtmlText(std::string_view html, std::string_view charsetName,
                           const HtmlTextOptions& options) {
    return RenderHtmlTextAs(html, charsetName, charsetName, options);
}

std::string RenderHtmlTextAs(std::string_view html, std::string_view inputCharset,
                             std::string_view outputCharset, const HtmlTextOptions& options) {
    const HtmlSourceCharset source = ClassifyHtmlSource(inputCharset, html);
    std::string storage;
    const std::string_view decoded = DecodeHtmlSource(html, source, &storage, false);
    if (source.form == HtmlSourceForm::kOpaque || source.form == HtmlSourceForm::kUnreadable) {
        return RenderDecodedHtml(decoded, HtmlCharset{}, options);
    }
    std::string text = RenderDecodedHtml(decoded, HtmlCharset{CharsetKind::kUtf8}, options);
    storage = std::string();
    return EncodeWithSubstitutes(std::move(text), outputCharset);
}

bool ReadsHtmlCharset(std::string_view label) {
    const HtmlSourceForm form = ClassifyHtmlSource(label).form;
    return form == HtmlSourceForm::kUtf8 || form == HtmlSourceForm::kDecoded;
}

bool WritesHtmlCharset(std::string_view label) {
    return IsWritableSource(ClassifyHtmlSource(label));
}

}  // namespace vellumo
