// The HTML elements the parser and the renderer know by name, with what the
// tree builder and the default style sheet say about each.
#pragma once

#include <cstdint>
#include <string_view>

namespace vellumo {

// The CSS display values the renderer distinguishes.
enum class HtmlDisplay : std::uint8_t {
    kNone,
    kInline,
    kBlock,
    kListItem,
    kInlineBlock,
    kTable,
    kInlineTable,
    kTableRowGroup,
    kTableRow,
    kTableCell,
    kTableCaption,
    kTableColumn,
    kFlex,
    kInlineFlex,
    kGrid,
    kInlineGrid,
    kContents,
};

enum HtmlTagFlag : std::uint32_t {
    kTagVoid = 1u << 0,            // never has content; no end tag
    kTagSpecial = 1u << 1,         // the parser's "special" category
    kTagClosesP = 1u << 2,         // its start tag closes an open p
    kTagFormatting = 1u << 3,      // b, i, font, ...: end tags tolerate misnesting
    kTagHeadContent = 1u << 4,     // belongs in head when seen before the body
    kTagRawText = 1u << 5,         // content is raw text up to the end tag
    kTagRcData = 1u << 6,          // raw text with character references
    kTagPlainText = 1u << 7,       // everything after it is text
    kTagNoContent = 1u << 8,       // replaced element: its children are not rendered
    kTagPreformatted = 1u << 9,    // white-space: pre
    kTagHeading = 1u << 10,        // h1-h6
    kTagScopeBoundary = 1u << 11,  // ends the search of "has an element in scope"
    kTagTableContext = 1u << 12,   // table, tbody, thead, tfoot, tr: text here is fostered
    kTagBreakout = 1u << 13,       // leaves svg/math content
    kTagSkipNewline = 1u << 14,    // a newline right after the start tag is dropped
};

// X(identifier, name, flags, default display)
#define VELLUMO_HTML_TAGS(X)                                                                     \
    X(Unknown, "", 0, kInline)                                                                   \
    X(A, "a", kTagFormatting, kInline)                                                           \
    X(Address, "address", kTagSpecial | kTagClosesP, kBlock)                                     \
    X(Applet, "applet", kTagSpecial | kTagScopeBoundary, kInline)                                \
    X(Area, "area", kTagVoid | kTagSpecial, kNone)                                               \
    X(Article, "article", kTagSpecial | kTagClosesP, kBlock)                                     \
    X(Aside, "aside", kTagSpecial | kTagClosesP, kBlock)                                         \
    X(Audio, "audio", kTagNoContent, kNone)                                                      \
    X(B, "b", kTagFormatting, kInline)                                                           \
    X(Base, "base", kTagVoid | kTagSpecial | kTagHeadContent, kNone)                             \
    X(Basefont, "basefont", kTagVoid | kTagSpecial | kTagHeadContent, kNone)                     \
    X(Bgsound, "bgsound", kTagVoid | kTagSpecial | kTagHeadContent, kNone)                       \
    X(Big, "big", kTagFormatting | kTagBreakout, kInline)                                        \
    X(Blockquote, "blockquote", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                \
    X(Body, "body", kTagSpecial | kTagBreakout, kBlock)                                          \
    X(Br, "br", kTagVoid | kTagSpecial | kTagBreakout, kInline)                                  \
    X(Button, "button", kTagSpecial, kInlineBlock)                                               \
    X(Canvas, "canvas", kTagNoContent, kInline)                                                  \
    X(Caption, "caption", kTagSpecial | kTagScopeBoundary, kTableCaption)                        \
    X(Center, "center", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                        \
    X(Code, "code", kTagFormatting | kTagBreakout, kInline)                                      \
    X(Col, "col", kTagVoid | kTagSpecial, kTableColumn)                                          \
    X(Colgroup, "colgroup", kTagSpecial, kTableColumn)                                           \
    X(Datalist, "datalist", 0, kNone)                                                            \
    X(Dd, "dd", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                                \
    X(Details, "details", kTagSpecial | kTagClosesP, kBlock)                                     \
    X(Dialog, "dialog", kTagClosesP, kBlock)                                                     \
    X(Dir, "dir", kTagSpecial | kTagClosesP, kBlock)                                             \
    X(Div, "div", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                              \
    X(Dl, "dl", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                                \
    X(Dt, "dt", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                                \
    X(Em, "em", kTagFormatting | kTagBreakout, kInline)                                          \
    X(Embed, "embed", kTagVoid | kTagSpecial | kTagNoContent | kTagBreakout, kInline)            \
    X(Fieldset, "fieldset", kTagSpecial | kTagClosesP, kBlock)                                   \
    X(Figcaption, "figcaption", kTagSpecial | kTagClosesP, kBlock)                               \
    X(Figure, "figure", kTagSpecial | kTagClosesP, kBlock)                                       \
    X(Font, "font", kTagFormatting, kInline)                                                     \
    X(Footer, "footer", kTagSpecial | kTagClosesP, kBlock)                                       \
    X(Form, "form", kTagSpecial | kTagClosesP, kBlock)                                           \
    X(Frame, "frame", kTagVoid | kTagSpecial, kNone)                                             \
    X(Frameset, "frameset", kTagSpecial, kNone)                                                  \
    X(H1, "h1", kTagSpecial | kTagClosesP | kTagHeading | kTagBreakout, kBlock)                  \
    X(H2, "h2", kTagSpecial | kTagClosesP | kTagHeading | kTagBreakout, kBlock)                  \
    X(H3, "h3", kTagSpecial | kTagClosesP | kTagHeading | kTagBreakout, kBlock)                  \
    X(H4, "h4", kTagSpecial | kTagClosesP | kTagHeading | kTagBreakout, kBlock)                  \
    X(H5, "h5", kTagSpecial | kTagClosesP | kTagHeading | kTagBreakout, kBlock)                  \
    X(H6, "h6", kTagSpecial | kTagClosesP | kTagHeading | kTagBreakout, kBlock)                  \
    X(Head, "head", kTagSpecial | kTagBreakout, kNone)                                           \
    X(Header, "header", kTagSpecial | kTagClosesP, kBlock)                                       \
    X(Hgroup, "hgroup", kTagSpecial | kTagClosesP, kBlock)                                       \
    X(Hr, "hr", kTagVoid | kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                     \
    X(Html, "html", kTagSpecial | kTagScopeBoundary, kBlock)                                     \
    X(I, "i", kTagFormatting | kTagBreakout, kInline)                                            \
    X(Iframe, "iframe", kTagSpecial | kTagRawText | kTagNoContent, kInline)                      \
    X(Image, "image", kTagVoid | kTagNoContent, kInline)                                         \
    X(Img, "img", kTagVoid | kTagSpecial | kTagNoContent | kTagBreakout, kInline)                \
    X(Input, "input", kTagVoid | kTagSpecial | kTagNoContent, kInlineBlock)                      \
    X(Keygen, "keygen", kTagVoid | kTagSpecial | kTagNoContent, kInline)                         \
    X(Legend, "legend", 0, kBlock)                                                               \
    X(Li, "li", kTagSpecial | kTagClosesP | kTagBreakout, kListItem)                             \
    X(Link, "link", kTagVoid | kTagSpecial | kTagHeadContent, kNone)                             \
    X(Listing, "listing",                                                                        \
      kTagSpecial | kTagClosesP | kTagPreformatted | kTagBreakout | kTagSkipNewline, kBlock)     \
    X(Main, "main", kTagSpecial | kTagClosesP, kBlock)                                           \
    X(Marquee, "marquee", kTagSpecial | kTagScopeBoundary, kInlineBlock)                         \
    X(Math, "math", 0, kInline)                                                                  \
    X(Menu, "menu", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                            \
    X(Meta, "meta", kTagVoid | kTagSpecial | kTagHeadContent | kTagBreakout, kNone)              \
    X(Meter, "meter", kTagNoContent, kInlineBlock)                                               \
    X(Nav, "nav", kTagSpecial | kTagClosesP, kBlock)                                             \
    X(Nobr, "nobr", kTagFormatting | kTagBreakout, kInline)                                      \
    X(Noembed, "noembed", kTagSpecial | kTagRawText, kNone)                                      \
    X(Noframes, "noframes", kTagSpecial | kTagRawText | kTagHeadContent, kNone)                  \
    X(Noscript, "noscript", kTagSpecial, kInline)                                                \
    X(Object, "object", kTagSpecial | kTagScopeBoundary, kInline)                                \
    X(Ol, "ol", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                                \
    X(Optgroup, "optgroup", 0, kBlock)                                                           \
    X(Option, "option", 0, kBlock)                                                               \
    X(P, "p", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                                  \
    X(Param, "param", kTagVoid | kTagSpecial, kNone)                                             \
    X(Plaintext, "plaintext", kTagSpecial | kTagClosesP | kTagPlainText | kTagPreformatted,      \
      kBlock)                                                                                    \
    X(Pre, "pre", kTagSpecial | kTagClosesP | kTagPreformatted | kTagBreakout | kTagSkipNewline, \
      kBlock)                                                                                    \
    X(Progress, "progress", kTagNoContent, kInlineBlock)                                         \
    X(Rp, "rp", 0, kNone)                                                                        \
    X(Ruby, "ruby", kTagBreakout, kInline)                                                       \
    X(S, "s", kTagFormatting | kTagBreakout, kInline)                                            \
    X(Script, "script", kTagSpecial | kTagRawText | kTagHeadContent, kNone)                      \
    X(Search, "search", kTagSpecial | kTagClosesP, kBlock)                                       \
    X(Section, "section", kTagSpecial | kTagClosesP, kBlock)                                     \
    X(Select, "select", kTagSpecial, kInlineBlock)                                               \
    X(Small, "small", kTagFormatting | kTagBreakout, kInline)                                    \
    X(Source, "source", kTagVoid | kTagSpecial, kNone)                                           \
    X(Span, "span", kTagBreakout, kInline)                                                       \
    X(Strike, "strike", kTagFormatting | kTagBreakout, kInline)                                  \
    X(Strong, "strong", kTagFormatting | kTagBreakout, kInline)                                  \
    X(Style, "style", kTagSpecial | kTagRawText | kTagHeadContent, kNone)                        \
    X(Sub, "sub", kTagBreakout, kInline)                                                         \
    X(Summary, "summary", kTagSpecial | kTagClosesP, kBlock)                                     \
    X(Sup, "sup", kTagBreakout, kInline)                                                         \
    X(Svg, "svg", 0, kInline)                                                                    \
    X(Table, "table",                                                                            \
      kTagSpecial | kTagClosesP | kTagScopeBoundary | kTagTableContext | kTagBreakout, kTable)   \
    X(Tbody, "tbody", kTagSpecial | kTagTableContext, kTableRowGroup)                            \
    X(Td, "td", kTagSpecial | kTagScopeBoundary, kTableCell)                                     \
    X(Template, "template", kTagSpecial | kTagScopeBoundary | kTagHeadContent, kNone)            \
    X(Textarea, "textarea", kTagSpecial | kTagRcData | kTagNoContent | kTagSkipNewline,          \
      kInlineBlock)                                                                              \
    X(Tfoot, "tfoot", kTagSpecial | kTagTableContext, kTableRowGroup)                            \
    X(Th, "th", kTagSpecial | kTagScopeBoundary, kTableCell)                                     \
    X(Thead, "thead", kTagSpecial | kTagTableContext, kTableRowGroup)                            \
    X(Title, "title", kTagSpecial | kTagRcData | kTagHeadContent, kNone)                         \
    X(Tr, "tr", kTagSpecial | kTagTableContext, kTableRow)                                       \
    X(Track, "track", kTagVoid | kTagSpecial, kNone)                                             \
    X(Tt, "tt", kTagFormatting | kTagBreakout, kInline)                                          \
    X(U, "u", kTagFormatting | kTagBreakout, kInline)                                            \
    X(Ul, "ul", kTagSpecial | kTagClosesP | kTagBreakout, kBlock)                                \
    X(Var, "var", kTagBreakout, kInline)                                                         \
    X(Video, "video", kTagNoContent, kInline)                                                    \
    X(Wbr, "wbr", kTagVoid | kTagSpecial, kInline)                                               \
    X(Xmp, "xmp", kTagSpecial | kTagClosesP | kTagRawText | kTagPreformatted, kBlock)

enum class HtmlTag : std::uint8_t {
#define VELLUMO_TAG_ENUM(id, name, flags, display) k##id,
    VELLUMO_HTML_TAGS(VELLUMO_TAG_ENUM)
#undef VELLUMO_TAG_ENUM
        kCount
};

struct HtmlTagInfo {
    const char* name;
    std::uint32_t flags;
    HtmlDisplay display;
};

// The entry of a known tag.
[[nodiscard]] const HtmlTagInfo& TagInfo(HtmlTag tag);

// The known tag of a lower-case name, or HtmlTag::kUnknown.
[[nodiscard]] HtmlTag LookUpTag(std::string_view lowerCaseName);

[[nodiscard]] inline bool TagHas(HtmlTag tag, std::uint32_t flag) {
    return (TagInfo(tag).flags & flag) != 0;
}

}  // namespace vellumo
