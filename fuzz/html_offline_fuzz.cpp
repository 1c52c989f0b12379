// libFuzzer target for the rewrite that leaves an HTML engine nothing to
// fetch: any bytes, as markup and as CSS. Traps when a result keeps a way
// of fetching or the CSS grows past its bound.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "charset/charset.h"
#include "html/engine/html_offline_css.h"
#include "html/engine/html_offline_markup.h"
#include "html/html_tokenizer.h"
#include "platform/ascii_case.h"

using vellumo::LowerAscii;
using vellumo::LowerAsciiCopy;
using vellumo::MakeCssOffline;
using vellumo::MakeHtmlOffline;

namespace {

void Require(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

std::string Squeezed(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f') {
            out += LowerAscii(c);
        }
    }
    return out;
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Nothing in CSS that fetches, however it is spelled.
void CheckCssText(const std::string& css) {
    const std::string squeezed = Squeezed(css);
    for (std::string_view bad : {"url(", "@import", "expression(", "\\", "<", "&", "image("}) {
        Require(!Contains(squeezed, bad));
    }
}

void CheckCss(std::string_view input) {
    const std::string css = MakeCssOffline(input);
    Require(css.size() <= 2 * input.size());
    CheckCssText(css);
}

bool IsFetchingName(std::string_view name) {
    for (std::string_view end : {"src", "href"}) {
        if (name.size() >= end.size() && name.substr(name.size() - end.size()) == end) {
            return true;
        }
    }
    return name == "background" || name == "data" || name.substr(0, 2) == "on";
}

// The result read back by the tokenizer: no comment, no dropped element,
// no fetching attribute, and style text and attributes clean as CSS.
void CheckMarkup(std::string_view input) {
    const std::string html = MakeHtmlOffline(input);
    vellumo::HtmlTokenizer tokenizer(html, vellumo::ResolveHtmlCharset("utf-8"));
    vellumo::HtmlToken token;
    bool inStyle = false;
    for (tokenizer.Next(&token); token.type != vellumo::HtmlTokenType::kEndOfFile;
         tokenizer.Next(&token)) {
        Require(token.type != vellumo::HtmlTokenType::kComment);
        if (token.type == vellumo::HtmlTokenType::kText && inStyle) {
            CheckCssText(token.text);
        }
        inStyle = token.type == vellumo::HtmlTokenType::kStartTag && token.name == "style";
        if (token.type != vellumo::HtmlTokenType::kStartTag) {
            continue;
        }
        for (std::string_view dropped : {"script", "iframe", "noembed", "noframes"}) {
            Require(token.name != dropped);
        }
        for (std::size_t i = 0; i < token.attributeCount; ++i) {
            Require(!IsFetchingName(token.attributes[i].name));
            if (token.attributes[i].name == "style") {
                CheckCssText(token.attributes[i].value);
            }
        }
        if (inStyle) {
            tokenizer.SwitchToRawText("style", false);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckCss(input);
    CheckMarkup(input);
    return 0;
}
