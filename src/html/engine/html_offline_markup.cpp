#include "html/engine/html_offline_markup.h"

#include <vector>

#include "charset/charset.h"
#include "html/engine/html_offline_css.h"
#include "html/html_tokenizer.h"
#include "html/html_white_space.h"
#include "platform/ascii_case.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

constexpr std::string_view kKeptSystemIdPrefix = "http://www.w3.org/";

bool IsListed(std::string_view name, const std::string_view* list, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (name == list[i]) {
            return true;
        }
    }
    return false;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsSafeName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
                        c == ':' || c == '.';
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool IsSchemeByte(char c, bool first) {
    return (c >= 'a' && c <= 'z') ||
           (!first && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
}

// "http:", "file:", "mhtml:": a scheme and its colon at the start.
bool HasScheme(std::string_view lowered) {
    std::size_t i = 0;
    while (i < lowered.size() && IsSchemeByte(lowered[i], i == 0)) {
        ++i;
    }
    return i > 0 && i < lowered.size() && lowered[i] == ':';
}

// A value an engine could take as an address: browsers drop white space and
// control characters inside URLs, so they are dropped before looking.
bool LooksLikeAddress(std::string_view value) {
    std::string squeezed;
    for (char c : value) {
        if (static_cast<unsigned char>(c) > 0x20 && c != 0x7F) {
            squeezed += LowerAscii(c);
        }
    }
    for (std::string_view marker : {"//", "\\", "url(", "url="}) {
        if (squeezed.find(marker) != std::string::npos) {
            return true;
        }
    }
    return HasScheme(squeezed);
}

bool IsFetchingAttribute(std::string_view name) {
    return IsListed(name, kFetchingAttributes, std::size(kFetchingAttributes)) ||
           EndsWith(name, "src") || EndsWith(name, "href") || name.substr(0, 2) == "on";
}

void AppendEscaped(std::string_view text, std::string* out) {
    for (char c : text) {
        switch (c) {
            case '&':
                *out += "&amp;";
                break;
            case '<':
                *out += "&lt;";
                break;
            case '>':
                *out += "&gt;";
                break;
            case '"':
                *out += "&quot;";
                break;
            case '\0':
                *out += "&nbsp;";
                break;
            default:
                *out += c;
        }
    }
}

void AppendAttributes(const HtmlToken& token, std::string* out) {
    for (std::size_t i = 0; i < token.attributeCount; ++i) {
        const HtmlAttribute& attribute = token.attributes[i];
        if (!IsSafeName(attribute.name) || IsFetchingAttribute(attribute.name)) {
            continue;
        }
        const bool style = attribute.name == "style";
        if (!style && LooksLikeAddress(attribute.value)) {
            continue;
        }
        *out += ' ';
        *out += attribute.name;
        *out += "=\"";
        AppendEscaped(style ? MakeCssOffline(attribute.value) : attribute.value, out);
        *out += '"';
    }
}

// The quoted strings of a doctype's text, in order, without their quotes.
std::vector<std::string> QuotedParts(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i < text.size()) {
        const char quote = text[i];
        if (quote != '"' && quote != '\'') {
            ++i;
            continue;
        }
        const std::size_t end = text.find(quote, i + 1);
        parts.emplace_back(text.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
        i = end == std::string_view::npos ? text.size() : end + 1;
    }
    return parts;
}

// A public identifier keeps the characters one may hold, "=" and quotes
// aside, so that it cannot pass for anything else.
bool IsPublicIdByte(char c) {
    return IsAsciiAlphaNumeric(c) ||
           std::string_view(" -()+,./:?;!*#@$_%").find(c) != std::string_view::npos;
}

std::string SafeIdentifier(std::string_view id, bool system) {
    std::string out;
    for (char c : id) {
        if (IsPublicIdByte(c) || (system && c == '~')) {
            out += c;
        }
    }
    if (system && !StartsWithIgnoringAsciiCase(out, kKeptSystemIdPrefix)) {
        return {};
    }
    return out;
}

// "<!DOCTYPE name PUBLIC "id" "system">" rebuilt from the doctype's text
// (what follows the word DOCTYPE).
void AppendDoctype(std::string_view text, std::string* out) {
    std::size_t start = 0;
    while (start < text.size() && IsHtmlWhiteSpace(text[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < text.size() && !IsHtmlWhiteSpace(text[end]) && text[end] != '"' &&
           text[end] != '\'') {
        ++end;
    }
    const std::string name = LowerAsciiCopy(text.substr(start, end - start));
    *out += "<!DOCTYPE ";
    *out += IsSafeName(name) ? name : std::string("html");
    const std::string rest = LowerAsciiCopy(text.substr(end));
    const std::vector<std::string> parts = QuotedParts(text.substr(end));
    const bool isPublic = rest.find("public") != std::string::npos;
    if (isPublic && !parts.empty()) {
        *out += " PUBLIC \"" + SafeIdentifier(parts[0], false) + '"';
        if (parts.size() > 1) {
            *out += " \"" + SafeIdentifier(parts[1], true) + '"';
        }
    } else if (!parts.empty()) {
        *out += " SYSTEM \"" + SafeIdentifier(parts[0], true) + '"';
    }
    *out += '>';
}

class OfflineWriter {
  public:
    explicit OfflineWriter(std::string_view html) : tokenizer_(html, ResolveHtmlCharset("utf-8")) {}

    std::string Run() {
        HtmlToken token;
        for (tokenizer_.Next(&token); token.type != HtmlTokenType::kEndOfFile;
             tokenizer_.Next(&token)) {
            Take(token);
        }
        return std::move(out_);
    }

  private:
    void Take(const HtmlToken& token) {
        switch (token.type) {
            case HtmlTokenType::kText:
                Text(token.text);
                break;
            case HtmlTokenType::kStartTag:
                StartTag(token);
                break;
            case HtmlTokenType::kEndTag:
                EndTag(token.name);
                break;
            case HtmlTokenType::kDoctype:
                if (!markupSeen_) {
                    AppendDoctype(token.name, &out_);
                }
                break;
            default:
                return;  // comments and processing instructions
        }
        markupSeen_ = markupSeen_ || token.type != HtmlTokenType::kText;
    }

    void Text(const std::string& text) {
        if (!rawEnd_.empty() && dropping_) {
            return;
        }
        if (rawEnd_ == "style") {
            out_ += MakeCssOffline(text);
        } else {
            AppendEscaped(text, &out_);
        }
    }

    void StartTag(const HtmlToken& token) {
        const std::string& name = token.name;
        if (!rawEnd_.empty() || !IsSafeName(name)) {
            return;
        }
        dropping_ = IsListed(name, kDroppedElements, std::size(kDroppedElements));
        const bool asPre = name == "xmp" || name == "plaintext";
        if (dropping_ || name == "style" || name == "xmp") {
            tokenizer_.SwitchToRawText(name, false);
            rawEnd_ = name;
        } else if (name == "title" || name == "textarea") {
            tokenizer_.SwitchToRawText(name, true);
            rawEnd_ = name;
        } else if (name == "plaintext") {
            tokenizer_.SwitchToPlainText();
            rawEnd_ = name;
        }
        if (dropping_) {
            return;
        }
        out_ += '<';
        out_ += asPre ? std::string("pre") : name;
        AppendAttributes(token, &out_);
        out_ += token.selfClosing ? "/>" : ">";
    }

    void EndTag(const std::string& name) {
        if (!rawEnd_.empty() && name == rawEnd_) {
            rawEnd_.clear();
            if (dropping_) {
                dropping_ = false;
                return;
            }
        }
        if (!IsSafeName(name)) {
            return;
        }
        out_ += "</";
        out_ += name == "xmp" ? std::string("pre") : name;
        out_ += '>';
    }

    HtmlTokenizer tokenizer_;
    std::string out_;
    std::string rawEnd_;  // the element whose raw text is being read
    bool dropping_ = false;
    bool markupSeen_ = false;  // a doctype after a tag picks no mode
};

}  // namespace

std::string MakeHtmlOffline(std::string_view html) {
    return OfflineWriter(html).Run();
}

}  // namespace vellumo
