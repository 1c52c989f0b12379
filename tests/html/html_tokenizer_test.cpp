// The tokenizer on well-formed and broken markup, token by token.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/html_tokenizer.h"

namespace vellumo::test {
namespace {

// Tokens written compactly: "T:text", "S:name[attr=value,...]/", "E:name",
// "C" for a comment, "D:doctype text".
std::vector<std::string> Tokens(std::string_view html, const char* charset = "utf-8") {
    HtmlTokenizer tokenizer(html, ResolveHtmlCharset(charset));
    std::vector<std::string> out;
    HtmlToken token;
    for (int guard = 0; guard < 1000; ++guard) {
        tokenizer.Next(&token);
        switch (token.type) {
            case HtmlTokenType::kEndOfFile:
                return out;
            case HtmlTokenType::kText:
                out.push_back("T:" + token.text);
                break;
            case HtmlTokenType::kComment:
                out.push_back("C");
                break;
            case HtmlTokenType::kDoctype:
                out.push_back("D:" + token.name);
                break;
            case HtmlTokenType::kEndTag:
                out.push_back("E:" + token.name);
                break;
            case HtmlTokenType::kStartTag: {
                std::string tag = "S:" + token.name;
                if (token.attributeCount > 0) {
                    tag += "[";
                    for (std::size_t i = 0; i < token.attributeCount; ++i) {
                        tag += (i > 0 ? "," : "") + token.attributes[i].name + "=" +
                               token.attributes[i].value;
                    }
                    tag += "]";
                }
                out.push_back(tag + (token.selfClosing ? "/" : ""));
                break;
            }
        }
    }
    ADD_FAILURE() << "tokenizer did not end";
    return out;
}

using List = std::vector<std::string>;

TEST(HtmlTokenizer, Tokens) {
    const struct {
        const char* name;
        std::string html;
        List tokens;
    } cases[] = {
        {"text and tags", "a<b>c</b>", {"T:a", "S:b", "T:c", "E:b"}},
        {"names lower-cased", "<DiV ClAsS=X></DIV>", {"S:div[class=X]", "E:div"}},
        {"quoted attributes", "<a href=\"x y\" title='z'>", {"S:a[href=x y,title=z]"}},
        {"unquoted attribute ends at space", "<a b=c d>", {"S:a[b=c,d=]"}},
        {"attribute without value", "<input disabled>", {"S:input[disabled=]"}},
        {"repeated attribute keeps the first", "<a x=1 x=2>", {"S:a[x=1]"}},
        {"spaces around =", "<a x = 1>", {"S:a[x=1]"}},
        {"self-closing", "<br/>", {"S:br/"}},
        {"slash inside a tag is skipped", "<a / b>", {"S:a[b=]"}},
        {"equals first in a name", "<a =x>", {"S:a[=x=]"}},
        {"end tag attributes dropped", "</p class=x>", {"E:p"}},
        {"references in attributes", "<a t=\"&amp;&lt\">", {"S:a[t=&<]"}},
        {"legacy name before = in attribute stays",
         "<a href=\"?a=1&copy=2\">",
         {"S:a[href=?a=1&copy=2]"}},
        {"legacy name before = in text decodes", "&copy=", {"T:\xC2\xA9="}},
        {"comment", "a<!--x-->b", {"T:a", "C", "T:b"}},
        {"comment with dashes inside", "<!-- a -- b --->c", {"C", "T:c"}},
        {"doctype", "<!DOCTYPE html>x", {"D: html", "T:x"}},
        {"bogus comment from <?", "<?php x ?>y", {"C", "T:y"}},
        {"bogus comment from <!", "<!x>y", {"C", "T:y"}},
        {"less-than before space is text", "a < b", {"T:a < b"}},
        {"tag cut by the end is dropped", "a<b c='d", {"T:a"}},
        {"tag name cut by the end is dropped", "a<b", {"T:a"}},
        {"CR LF normalised", "a\r\nb\rc", {"T:a\nb\nc"}},
        {"NUL in text dropped", std::string("a\0b", 3), {"T:ab"}},
        {"NUL in a tag name replaced", std::string("<a\0>", 4), {"S:a\xEF\xBF\xBD"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Tokens(c.html), c.tokens);
    }
}

TEST(HtmlTokenizer, RawText) {
    const struct {
        const char* name;
        std::string html;
        const char* end;
        bool references;
        List tokens;
    } cases[] = {
        {"raw text to the end tag",
         "<b>&amp;</b></style>x",
         "style",
         false,
         {"T:<b>&amp;</b>", "E:style", "T:x"}},
        {"end tag in any case", "a</STYLE >", "style", false, {"T:a", "E:style"}},
        {"end tag needs a delimiter",
         "a</stylex></style>",
         "style",
         false,
         {"T:a</stylex>", "E:style"}},
        {"rcdata decodes references", "&lt;x</title>", "title", true, {"T:<x", "E:title"}},
        {"unterminated raw text runs to the end", "a<b>c", "script", false, {"T:a<b>c"}},
        {"empty raw text", "</script>", "script", false, {"E:script"}},
        {"end tag inside an escaped script part ends it",
         "<!-- a </script>b",
         "script",
         false,
         {"T:<!-- a ", "E:script", "T:b"}},
        {"nested script in a comment does not end it",
         "<!--<script>x</script>--></script>y",
         "script",
         false,
         {"T:<!--<script>x</script>-->", "E:script", "T:y"}},
        {"comment closed at once", "<!-->x</script>", "script", false, {"T:<!-->x", "E:script"}},
        {"escape only in script",
         "<!--<style>x</style>-->",
         "style",
         false,
         {"T:<!--<style>x", "E:style", "T:-->"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HtmlTokenizer tokenizer(c.html, ResolveHtmlCharset("utf-8"));
        tokenizer.SwitchToRawText(c.end, c.references);
        List out;
        HtmlToken token;
        for (tokenizer.Next(&token); token.type != HtmlTokenType::kEndOfFile;
             tokenizer.Next(&token)) {
            out.push_back(token.type == HtmlTokenType::kText     ? "T:" + token.text
                          : token.type == HtmlTokenType::kEndTag ? "E:" + token.name
                                                                 : "?");
        }
        EXPECT_EQ(out, c.tokens);
    }
}

TEST(HtmlTokenizer, NoBreakSpaceMarkerOnlyForCharsetsWithoutOne) {
    EXPECT_EQ(Tokens("&nbsp;", "windows-1252"), List{"T:\xA0"});
    EXPECT_EQ(Tokens("&nbsp;", "utf-8"), List{"T:\xC2\xA0"});
    EXPECT_EQ(Tokens("&nbsp;", "iso-2022-jp"), List{std::string("T:") + kNoBreakSpaceMarker});
    EXPECT_EQ(Tokens("<a t='&nbsp;'>", "iso-2022-jp"), List{"S:a[t= ]"});
}

// Ill-formed UTF-8 is read in place as its repaired copy would be read:
// the same tokens, every string well-formed.
TEST(HtmlTokenizer, IllFormedUtf8ReadsAsItsRepair) {
    const std::string cases[] = {
        "a\xE9"
        "b<p>\xFF</p>",
        std::string("<pre>\xE2\x82\0\xAC</pre>", 15),  // a NUL between the bytes of a euro sign
        std::string("x\xF0\x9F\0\0\x98\x80y", 9),
        "\xE2\r\n\x82\xAC",
        "&eacute;\x80 \xC3&#xA9; \xE2\x82&#x80;",
        "<d\xE9v class='\xE9 c\xF0' alt=\xC3>x</d\xE8v>",
        "<!doctype \xE9><title>\xE2\x82</title><script>\xF4\x90</script>",
        "<svg><![CDATA[\xE0\x80]]></svg><plaintext>\xED\xA0\x80",
        "\xF0\x9F\x98",
        "<p>caf\xC3\xA9</p>\xFF<b>ok \xE2\x82\xAC</b><i t=\xC3>\xC3\xA9</i>x\xE2\x82",
    };
    for (const std::string& html : cases) {
        SCOPED_TRACE(html);
        const List tokens = Tokens(html);
        EXPECT_EQ(tokens, Tokens(RepairUtf8(html)));
        for (const std::string& token : tokens) {
            EXPECT_TRUE(IsValidUtf8(token)) << token;
        }
    }
}

}  // namespace
}  // namespace vellumo::test
