// The tree builder's parts: name interning, the stack of open elements and
// where misplaced content ends up in the tree.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "html/html_document_editing.h"
#include "html/html_name_table.h"
#include "html/html_open_elements.h"
#include "html/html_tree_builder.h"

namespace vellumo::test {
namespace {

TEST(HtmlNameTable, InternsEachNameOnce) {
    HtmlNameTable table;
    std::vector<std::uint32_t> ids;
    // Enough names to make the table grow several times.
    for (int i = 0; i < 2000; ++i) {
        ids.push_back(table.Intern("x-" + std::to_string(i)));
    }
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table.Intern("x-" + std::to_string(i)), ids[i]);
        EXPECT_EQ(table.TagOf(ids[i]), HtmlTag::kUnknown);
    }
    const std::uint32_t div = table.Intern("div");
    EXPECT_EQ(table.TagOf(div), HtmlTag::kDiv);
    EXPECT_EQ(table.Intern("div"), div);
    const std::vector<std::string> names = table.Release();
    ASSERT_EQ(names.size(), 2002u);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[div], "div");
    EXPECT_EQ(names[ids[1999]], "x-1999");
}

TEST(HtmlDocumentEditing, LinksAndAttributes) {
    HtmlDocument document;
    const std::int32_t root = AddNode(&document, HtmlTag::kBody, 0, 0);
    const std::int32_t b = AddNode(&document, HtmlTag::kB, 0, 0);
    std::int32_t last = kNoNode;
    AppendChild(&document, root, &last, b);
    const std::int32_t a = AddNode(&document, HtmlTag::kA, 0, 0);
    InsertBefore(&document, root, b, kNoNode, a);  // becomes the first child
    const std::int32_t i = AddNode(&document, HtmlTag::kI, 0, 0);
    InsertBefore(&document, root, b, a, i);  // between the two
    EXPECT_EQ(document.FirstChild(root), a);
    EXPECT_EQ(document.NextSibling(a), i);
    EXPECT_EQ(document.NextSibling(i), b);
    EXPECT_EQ(document.NextSibling(b), kNoNode);
    EXPECT_EQ(last, b);

    HtmlToken token;
    token.attributes = {{"style", "display:none"}, {"class", "x y"}, {"id", "z"}, {"hidden", ""},
                        {"type", "HIDDEN"},        {"title", "t"}};
    token.attributeCount = token.attributes.size();
    SetElementAttributes(&document, a, token);
    const HtmlNode& node = document.nodes[a];
    EXPECT_EQ(document.AttributesOf(a).style, "display:none");
    EXPECT_EQ(document.AttributesOf(a).classes, "x y");
    EXPECT_EQ(document.AttributesOf(a).id, "z");
    EXPECT_TRUE(document.AttributesOf(b).style.empty());
    EXPECT_EQ(node.flags, kNodeHidden | kNodeKeptAttributes);  // type=hidden hides inputs only
}

// Nodes linked in any order read back as linked, whether a link is the
// node made next, an aside entry, or one changed from either to the other.
TEST(HtmlDocumentEditing, LinksInAnyOrderReadBackAsMade) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        HtmlDocument document;
        std::vector<std::vector<std::int32_t>> children(1);
        std::vector<std::int32_t> elements{AddNode(&document, HtmlTag::kBody, 0, 0)};
        for (int step = 0; step < 60; ++step) {
            const bool text = random() % 2 == 0;
            const std::int32_t node = AddNode(&document, text ? HtmlTag::kUnknown : HtmlTag::kDiv,
                                              0, text ? kNodeText : 0);
            children.emplace_back();
            const std::int32_t parent = elements[random() % elements.size()];
            std::vector<std::int32_t>& siblings = children[parent];
            const std::size_t at = random() % (siblings.size() + 1);
            if (at == siblings.size()) {
                std::int32_t last = siblings.empty() ? kNoNode : siblings.back();
                AppendChild(&document, parent, &last, node);
            } else {
                InsertBefore(&document, parent, siblings[at], at == 0 ? kNoNode : siblings[at - 1],
                             node);
            }
            siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), node);
            if (!text) {
                elements.push_back(node);
            }
        }
        for (std::int32_t node = 0; node < static_cast<std::int32_t>(children.size()); ++node) {
            std::vector<std::int32_t> read;
            for (std::int32_t c = document.FirstChild(node); c != kNoNode && read.size() <= 60;
                 c = document.NextSibling(c)) {
                read.push_back(c);
            }
            EXPECT_EQ(read, children[node]) << "children of " << node;
        }
        for (const HtmlNodeLink& link : document.asideLinks) {
            EXPECT_NE(link.target, link.node + 1) << "aside entry for the node made next";
            EXPECT_NE(link.target, kNoNode);
        }
    }
}

TEST(HtmlOpenElements, ScopesAndCounts) {
    HtmlDocument document;
    const HtmlTag tags[] = {HtmlTag::kHtml, HtmlTag::kBody, HtmlTag::kP,      HtmlTag::kTable,
                            HtmlTag::kTr,   HtmlTag::kTd,   HtmlTag::kButton, HtmlTag::kSpan};
    for (HtmlTag tag : tags) {
        HtmlNode node;
        node.tag = tag;
        document.nodes.push_back(node);
    }
    HtmlOpenElements open(&document);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(document.nodes.size()); ++i) {
        open.Push(i);
    }
    const struct {
        const char* name;
        HtmlTag tag;
        HtmlScope scope;
        bool inScope;
    } cases[] = {
        {"p behind a table is out of scope", HtmlTag::kP, HtmlScope::kDefault, false},
        {"cell is in table scope", HtmlTag::kTd, HtmlScope::kTable, true},
        {"table is in table scope", HtmlTag::kTable, HtmlScope::kTable, true},
        {"button ends button scope", HtmlTag::kTd, HtmlScope::kButton, false},
        {"span on top", HtmlTag::kSpan, HtmlScope::kButton, true},
        {"not open at all", HtmlTag::kLi, HtmlScope::kDefault, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(open.HasTagInScope(c.tag, c.scope), c.inScope);
    }
    EXPECT_EQ(open.Count(HtmlTag::kTd), 1u);
    EXPECT_EQ(open.InnermostTable(), 3);
    open.PopThroughTag(HtmlTag::kTr);
    EXPECT_EQ(open.Size(), 4u);
    EXPECT_EQ(open.Count(HtmlTag::kTd), 0u);
    open.RemoveAt(2);
    EXPECT_EQ(open.Count(HtmlTag::kP), 0u);
    EXPECT_EQ(open.Current().tag, HtmlTag::kTable);
    open.TruncateTo(1);
    EXPECT_EQ(open.Count(HtmlTag::kTable), 0u);
    EXPECT_EQ(open.InnermostTable(), kNoNode);
}

TEST(HtmlOpenElements, StopsPushingAtTheLimit) {
    HtmlDocument document;
    document.nodes.resize(kMaxOpenElements + 10);
    HtmlOpenElements open(&document);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(document.nodes.size()); ++i) {
        open.Push(i);
    }
    EXPECT_EQ(open.Size(), kMaxOpenElements);
}

// The tree as nested names: "body(table(...))", text as "'x'".
std::string Outline(const HtmlDocument& document, std::int32_t index) {
    const HtmlNode& node = document.nodes[index];
    if (node.IsText()) {
        std::string scratch;
        return "'" + std::string(document.NodeText(index, &scratch)) + "'";
    }
    std::string out = document.NameOf(index);
    const std::int32_t first = document.FirstChild(index);
    if (first != kNoNode) {
        out += "(";
        for (std::int32_t child = first; child != kNoNode; child = document.NextSibling(child)) {
            out += child == first ? "" : " ";
            out += Outline(document, child);
        }
        out += ")";
    }
    return out;
}

TEST(HtmlTreeBuilder, WhereContentGoes) {
    const struct {
        const char* name;
        const char* html;
        const char* body;
    } cases[] = {
        {"fostered text before the table", "<table>x<tr><td>a</table>",
         "body('x' table(tr(td('a'))))"},
        {"fostered element keeps its content", "<table><b>x</b><tr><td>a</table>",
         "body(b('x') table(tr(td('a'))))"},
        {"fostered content keeps its order", "<table>x<b>y</b>z<tr><td>a</table>",
         "body('x' b('y') 'z' table(tr(td('a'))))"},
        {"fostered before an inner table",
         "<p>p</p><table>x<tr><td><table>y<tr><td>b</table>c</table>",
         "body(p('p') 'x' table(tr(td('y' table(tr(td('b'))) 'c'))))"},
        {"white space stays in the table", "<table> <tr><td>a</table>",
         "body(table(' ' tr(td('a'))))"},
        {"implied row", "<table><td>a</table>", "body(table(tr(td('a'))))"},
        {"fostered out of the outer table once the inner closed",
         "<table><tr><td><table><tr><td>i</table></td></tr>y</table>",
         "body('y' table(tr(td(table(tr(td('i')))))))"},
        {"fostered before the second of two tables",
         "<table><tr><td>a</table><table>x<tr><td>b</table>",
         "body(table(tr(td('a'))) 'x' table(tr(td('b'))))"},
        {"p closed by a div", "<p>a<div>b</div>", "body(p('a') div('b'))"},
        {"li closes li", "<ul><li>a<li>b</ul>", "body(ul(li('a') li('b')))"},
        {"misnested formatting end tag leaves the block open", "<b><p>a</b>b</p>",
         "body(b(p('a' 'b')))"},
        {"head elements after the body stay in place", "<body>a<title>t</title>",
         "body('a' title('t'))"},
        {"text before body opens it", "<html> x<body>y", "body('x' 'y')"},
        {"newline after pre dropped", "<pre>\nx</pre>", "body(pre('x'))"},
        {"unknown elements close by name", "<o:p>a</o:p>b", "body(o:p('a') 'b')"},
        {"end tag of an unopened element ignored", "<div>a</span>b</div>", "body(div('a' 'b'))"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HtmlDocument document = BuildHtmlDocument(c.html, ResolveHtmlCharset("utf-8"));
        ASSERT_NE(document.body, kNoNode);
        EXPECT_EQ(Outline(document, document.body), c.body);
    }
}

// A node's slot holds 16 bits; longer texts, larger name ids and elements
// with kept attributes have their values in the side table.
TEST(HtmlTreeBuilder, ValuesPastTheNodeSlot) {
    std::string distinctNames;
    for (int i = 0; i < 70000; ++i) {
        distinctNames += "<x-" + std::to_string(i) + "></x-" + std::to_string(i) + ">";
    }
    const std::string longText(70000, 'x');
    const struct {
        const char* name;
        std::string html;
        std::string lastText;
        const char* lastName;  // of the last element in the body
        const char* lastClass;
        std::int32_t children;  // of the body: one per element when each end tag closes its own
    } cases[] = {
        {"long text in the source", "<p>" + longText, longText, "p", "", 1},
        {"long text in the arena", "<p>&lt;" + longText, "<" + longText, "p", "", 1},
        {"end tags match names past 16 bits", distinctNames + "<x-69999 class=c>t", "t", "x-69999",
         "c", 70001},
        {"attributes on a short name", "<b class='d e'>t</b>", "t", "b", "d e", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HtmlDocument document = BuildHtmlDocument(c.html, ResolveHtmlCharset("utf-8"));
        std::int32_t last = kNoNode;
        std::int32_t count = 0;
        for (std::int32_t child = document.FirstChild(document.body); child != kNoNode;
             child = document.NextSibling(child)) {
            last = child;
            ++count;
        }
        ASSERT_NE(last, kNoNode);
        EXPECT_EQ(document.NameOf(last), c.lastName);
        EXPECT_EQ(document.AttributesOf(last).classes, c.lastClass);
        std::string scratch;
        const std::int32_t text = document.FirstChild(last);
        ASSERT_NE(text, kNoNode);
        EXPECT_EQ(document.NodeText(text, &scratch), c.lastText);
        EXPECT_EQ(document.NextSibling(text), kNoNode);
        EXPECT_EQ(count, c.children);
    }
}

// Text that is the input's own bytes (line ends aside) is not copied.
TEST(HtmlTreeBuilder, TextRefersToTheInputWherePossible) {
    const struct {
        const char* name;
        const char* html;
        const char* text;
        bool inSource;
    } cases[] = {
        {"plain text", "<p>abc</p>", "abc", true},
        {"line ends read as line feeds", "<p>a\r\nb\rc</p>", "a\nb\nc", true},
        {"references are copied", "<p>a&amp;b</p>", "a&b", false},
        {"newline after pre is dropped", "<pre>\r\nx</pre>", "x", true},
        {"white space before the body is dropped", " \r\n x<p>", "x", true},
        {"a reference after the dropped newline", "<pre>\n&lt;</pre>", "<", false},
        {"raw text", "<p><textarea>a\r\n</textarea>", "a\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HtmlDocument document = BuildHtmlDocument(c.html, ResolveHtmlCharset("utf-8"));
        std::int32_t node = 0;
        while (node < static_cast<std::int32_t>(document.nodes.size()) &&
               !document.nodes[node].IsText()) {
            ++node;
        }
        ASSERT_LT(node, static_cast<std::int32_t>(document.nodes.size()));
        std::string scratch;
        EXPECT_EQ(document.NodeText(node, &scratch), c.text);
        EXPECT_EQ((document.nodes[node].flags & kNodeSourceText) != 0, c.inSource);
    }
}

TEST(HtmlTreeBuilder, StyleSheetsAndQuirks) {
    const HtmlDocument quirks =
        BuildHtmlDocument("<style>a{}</style><p><style>b{}</style>", ResolveHtmlCharset(""));
    EXPECT_TRUE(quirks.quirksMode);
    EXPECT_EQ(quirks.styleSheets, (std::vector<std::string>{"a{}", "b{}"}));
    const HtmlDocument standards = BuildHtmlDocument("<!doctype html><p>x", ResolveHtmlCharset(""));
    EXPECT_FALSE(standards.quirksMode);
    const HtmlDocument late = BuildHtmlDocument("x<!doctype html>", ResolveHtmlCharset(""));
    EXPECT_TRUE(late.quirksMode) << "a doctype after content does not count";
}

}  // namespace
}  // namespace vellumo::test
