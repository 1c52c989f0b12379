// Mail comes from strangers: the renderer takes any bytes, keeps its
// nesting bounded and its output well-formed.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "charset/charset.h"
#include "html/engine/html_engine.h"
#include "html/html_open_elements.h"
#include "html/html_renderer.h"
#include "html/html_text_extractor.h"
#include "html/html_tree_builder.h"

namespace vellumo::test {
namespace {

std::string Repeat(const std::string& piece, std::size_t count) {
    std::string out;
    out.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}

// The depth of the deepest node below the root, by a walk in tree order.
std::size_t Depth(const HtmlDocument& document) {
    std::size_t deepest = 0;
    std::vector<std::int32_t> path{0};
    std::int32_t node = document.FirstChild(0);
    while (node != kNoNode) {
        deepest = std::max(deepest, path.size());
        if (document.FirstChild(node) != kNoNode) {
            path.push_back(node);
            node = document.FirstChild(node);
            continue;
        }
        node = document.NextSibling(node);
        while (node == kNoNode && path.size() > 1) {
            node = document.NextSibling(path.back());
            path.pop_back();
        }
    }
    return deepest;
}

// Every line end is CR LF: no CR or LF on its own.
bool OnlyCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) {
            return false;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

TEST(HtmlRobustness, NestingIsBounded) {
    const struct {
        const char* name;
        std::string html;
        const char* expected;
    } cases[] = {
        {"deep divs", Repeat("<div>", 100000) + "x", "x"},
        {"deep unclosed inline", Repeat("<b>", 100000) + "x", "x"},
        {"deep tables", Repeat("<table><tr><td>", 20000) + "x", "x"},
        {"deep lists", Repeat("<ul><li>", 50000) + "x", "x"},
        {"deep svg", Repeat("<svg>", 50000) + "x", "x"},
        {"paragraphs inside deep divs", Repeat("<div>", 300) + Repeat("<p>y", 3) + "</p>",
         "y\r\n\r\ny\r\n\r\ny"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenderHtmlText(c.html, "utf-8"), c.expected);
        const HtmlDocument document = BuildHtmlDocument(c.html, ResolveHtmlCharset("utf-8"));
        EXPECT_LE(Depth(document), kMaxOpenElements + 2);
    }
}

// Each comment used to search the rest of the document for "--!>", which
// made a document of many comments take quadratic time.
TEST(HtmlRobustness, CommentsAreScannedOnceEach) {
    const std::string html = Repeat("<!-- c -->x", 200000);
    EXPECT_EQ(RenderHtmlText(html, "utf-8"), Repeat("x", 200000));
    EXPECT_EQ(RenderHtmlText("a<!-- x --!> b --> c", "utf-8"), "a b --> c");
    EXPECT_EQ(RenderHtmlText("a<!-- x --> b --!> c", "utf-8"), "a b --!> c");
}

TEST(HtmlRobustness, ManyRulesOnADeepDocumentFinish) {
    std::string sheet = "<style>";
    for (int i = 0; i < 500; ++i) {
        sheet += "div div div .c" + std::to_string(i) + " span{display:none}";
    }
    sheet += "</style>";
    const std::string html = sheet + Repeat("<div>", 200) + Repeat("<span class=c1>x</span>", 5000);
    const std::string text = RenderHtmlText(html, "utf-8");
    EXPECT_EQ(text.size(), 5000u);  // no rule matches: .c1 is on the span itself
}

// Each attribute of a tag used to be compared with every earlier one, so a
// tag with a few hundred thousand attributes took minutes.
TEST(HtmlRobustness, ManyAttributesAreReadInLinearTime) {
    std::string many = "<p";
    for (int i = 0; i < 300000; ++i) {
        many += " a" + std::to_string(i) + "=1";
    }
    const struct {
        const char* name;
        std::string html;
        const char* expected;
    } cases[] = {
        {"many distinct attributes", many + " hidden>x</p>y", "y"},
        {"repeat after many keeps the first value",
         many + " style=\"display:none\" a7=2 style=\"display:block\">x</p>y", "y"},
        {"repeat among few keeps the first value",
         "<p a=1 style=\"display:none\" style=\"display:block\">x</p>y", "y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenderHtmlText(c.html, "utf-8"), c.expected);
    }
}

// Style matching used to add a rule list once per repeat of a class (an
// element with class "x x x ..." against many ".x" rules took gigabytes),
// and compared each class of a selector with a whole class attribute
// without bound: long attributes and long compounds made it quadratic.
TEST(HtmlRobustness, StyleMatchingStaysLinear) {
    const std::string longCompound = "." + Repeat("z.", 999) + "z";
    const struct {
        const char* name;
        std::string html;
        std::size_t maxTextSize;
        std::string expected;  // empty: only the size is known
    } cases[] = {
        {"class repeated on elements against many rules",
         "<style>" + Repeat(".x{display:none}", 2000) + "</style>" +
             Repeat("<div class=\"" + Repeat("x ", 20000) + "\">t</div>", 50) + "v",
         1, "v"},
        {"ancestor with a huge class attribute",
         "<style>.y .z{display:none}</style><div class=\"" + Repeat("q ", 200000) + "\">" +
             Repeat("<span class=z>t</span>", 10000),
         10000, Repeat("t", 10000)},
        {"compounds of many classes against long class attributes",
         "<style>" + Repeat(longCompound + "{display:none}", 60) + "</style>" +
             Repeat("<span class=\"" + Repeat("q ", 200) + "z\">t</span>", 1200),
         1200, ""},
        {"a compound of many classes still matches",
         "<style>" + longCompound + "{display:none}</style><span class=z>t</span>v", 1, "v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = RenderHtmlText(c.html, "utf-8");
        EXPECT_LE(text.size(), c.maxTextSize);
        if (!c.expected.empty()) {
            EXPECT_EQ(text, c.expected);
        }
    }
}

// Random documents from markup fragments: whatever comes out is well-formed
// UTF-8 for a UTF-8 message, and every line end is CR LF.
TEST(HtmlRobustness, RandomMarkupGivesWellFormedText) {
    const char* const pieces[] = {
        "<p>",
        "</p>",
        "<div>",
        "</div>",
        "<table>",
        "<tr>",
        "<td>",
        "</td>",
        "</table>",
        "<pre>",
        "</pre>",
        "<br>",
        "<li>",
        "<ul>",
        "&amp;",
        "&#x",
        "&#",
        "&nbsp;",
        "&copy",
        ";",
        "<!--",
        "-->",
        "<script>",
        "</script>",
        "<style>",
        ".a{display:none}",
        "</style>",
        "<span class=a>",
        "<b>",
        "</b>",
        "\"",
        "'",
        "=",
        " ",
        "\r\n",
        "\n",
        "\r",
        "\t",
        "x",
        "\xC3\xA9",
        "\xE2\x82",
        "\xFF",
        "" /* a NUL byte */,
        "<",
        ">",
        "</",
        "<![CDATA[",
        "]]>",
        "<svg>",
        "<textarea>",
        "<plaintext>",
        "<!DOCTYPE html>",
        "<select><option>",
        "<details>",
        "<summary>",
        "style=\"white-space:pre\"",
        "<xmp>",
        "<title>",
        "<noscript>",
        "<font color=red>",
        "<a href=x>",
    };
    const char* const charsets[] = {"utf-8", "windows-1252", "iso-2022-jp", "koi8-r", ""};
    std::mt19937 random(20240607);
    for (int round = 0; round < 400; ++round) {
        std::string html;
        const int count = static_cast<int>(random() % 200);
        for (int i = 0; i < count; ++i) {
            const char* piece = pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
            html += piece[0] == '\0' ? std::string(1, '\0') : std::string(piece);
        }
        const char* charset = charsets[round % 5];
        SCOPED_TRACE(html);
        const std::string text = RenderHtmlText(html, charset);
        EXPECT_TRUE(OnlyCrLf(text));
        if (ResolveHtmlCharset(charset).kind == CharsetKind::kUtf8) {
            EXPECT_TRUE(IsValidUtf8(text));
        }
    }
}

TEST(HtmlRobustness, RandomBytes) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 4000, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        const std::string text = RenderHtmlText(bytes, "utf-8");
        EXPECT_TRUE(IsValidUtf8(text));
        EXPECT_TRUE(OnlyCrLf(text));
    }
}

TEST(HtmlRobustness, ConvenienceFallsBackToTheRenderer) {
    // No engine exists outside Windows: the engine says so, and HtmlToText
    // gives the renderer's text.
    const std::string html = "<p>Hello <b>world</b></p><p>again</p>";
    const HtmlTextResult engine = ExtractHtmlText(html, "utf-8");
    EXPECT_FALSE(engine.engineAvailable);
    EXPECT_TRUE(engine.text.empty());
    EXPECT_EQ(HtmlToText(html, "utf-8"), "Hello world\r\n\r\nagain");
    EXPECT_EQ(HtmlToText(html, "utf-8", HtmlTextSource::kPlatformEngine),
              "Hello world\r\n\r\nagain");
}

// An engine that fails, or reads an empty body where the renderer finds
// text, must not blank the message.
TEST(HtmlRobustness, EmptyOrUnavailableEngineNeverBlanksTheBody) {
    const struct {
        const char* name;
        bool available;
        const char* engineText;
        const char* html;
        const char* expected;
    } cases[] = {
        {"engine text wins", true, "engine", "<p>renderer</p>", "engine"},
        {"unavailable engine", false, "", "<p>renderer</p>", "renderer"},
        {"empty engine text", true, "", "<p>renderer</p>", "renderer"},
        {"both empty", true, "", "<p></p>", ""},
    };
    for (const auto& c : cases) {
        HtmlTextResult engine;
        engine.engineAvailable = c.available;
        engine.text = c.engineText;
        EXPECT_EQ(EngineTextOrRendered(engine, c.html, "utf-8"), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace vellumo::test
