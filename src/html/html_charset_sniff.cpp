#include "html/html_charset_sniff.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\f";

struct Attribute {
    std::string_view name;
    std::string_view value;
};

std::string_view Trim(std::string_view text) {
    size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

// Reads the attribute at `at` in a tag; false at the tag's end.
bool NextAttribute(std::string_view tag, size_t& at, Attribute& attribute) {
    while (at < tag.size() && (kBlanks.find(tag[at]) != std::string_view::npos || tag[at] == '/')) {
        ++at;
    }
    if (at >= tag.size() || tag[at] == '>') {
        return false;
    }
    size_t start = at;
    while (at < tag.size() && tag[at] != '=' && tag[at] != '>' &&
           kBlanks.find(tag[at]) == std::string_view::npos) {
        ++at;
    }
    attribute.name = tag.substr(start, at - start);
    attribute.value = {};
    while (at < tag.size() && kBlanks.find(tag[at]) != std::string_view::npos) {
        ++at;
    }
    if (at >= tag.size() || tag[at] != '=') {
        return true;
    }
    ++at;
    while (at < tag.size() && kBlanks.find(tag[at]) != std::string_view::npos) {
        ++at;
    }
    if (at < tag.size() && (tag[at] == '"' || tag[at] == '\'')) {
        char quote = tag[at++];
        size_t end = tag.find(quote, at);
        end = end == std::string_view::npos ? tag.size() : end;
        attribute.value = tag.substr(at, end - at);
        at = end + 1;
        return true;
    }
    start = at;
    while (at < tag.size() && tag[at] != '>' && kBlanks.find(tag[at]) == std::string_view::npos) {
        ++at;
    }
    attribute.value = tag.substr(start, at - start);
    return true;
}

// The charset named in a content value: "text/html; charset=utf-8".
std::string_view CharsetOfContent(std::string_view content) {
    for (size_t at = 0; at + 7 <= content.size(); ++at) {
        if (!StartsWithIgnoringAsciiCase(content.substr(at), "charset")) {
            continue;
        }
        std::string_view rest = Trim(content.substr(at + 7));
        if (rest.empty() || rest[0] != '=') {
            continue;
        }
        rest = Trim(rest.substr(1));
        if (!rest.empty() && (rest[0] == '"' || rest[0] == '\'')) {
            size_t end = rest.find(rest[0], 1);
            return end == std::string_view::npos ? std::string_view() : rest.substr(1, end - 1);
        }
        return rest.substr(0, rest.find_first_of("; \t\r\n\f"));
    }
    return {};
}

// The charset a meta tag declares ("" when none); tag starts after "<meta".
std::string_view CharsetOfMeta(std::string_view tag) {
    bool contentType = false;
    std::string_view content, charset;
    size_t at = 0;
    Attribute attribute;
    while (NextAttribute(tag, at, attribute)) {
        if (EqualsIgnoringAsciiCase(attribute.name, "charset") && charset.empty()) {
            charset = Trim(attribute.value);
        } else if (EqualsIgnoringAsciiCase(attribute.name, "http-equiv")) {
            contentType = EqualsIgnoringAsciiCase(Trim(attribute.value), "content-type");
        } else if (EqualsIgnoringAsciiCase(attribute.name, "content") && content.empty()) {
            content = attribute.value;
        }
    }
    if (!charset.empty()) {
        return charset;
    }
    return contentType ? Trim(CharsetOfContent(content)) : std::string_view();
}

std::string ByteOrderMarkCharset(std::string_view html) {
    if (html.substr(0, 3) == "\xEF\xBB\xBF") {
        return "utf-8";
    }
    if (html.substr(0, 2) == "\xFF\xFE") {
        return "utf-16le";
    }
    if (html.substr(0, 2) == "\xFE\xFF") {
        return "utf-16be";
    }
    return std::string();
}

}  // namespace

std::string SniffHtmlCharset(std::string_view html) {
    std::string fromMark = ByteOrderMarkCharset(html);
    if (!fromMark.empty()) {
        return fromMark;
    }
    std::string_view head = html.substr(0, kCharsetSniffLength);
    for (size_t at = head.find('<'); at != std::string_view::npos; at = head.find('<', at + 1)) {
        if (head.compare(at, 4, "<!--") == 0) {
            size_t end = head.find("-->", at + 4);
            if (end == std::string_view::npos) {
                break;
            }
            at = end + 2;
            continue;
        }
        std::string_view rest = head.substr(at + 1);
        if (!StartsWithIgnoringAsciiCase(rest, "meta") || rest.size() < 5 ||
            (kBlanks.find(rest[4]) == std::string_view::npos && rest[4] != '/')) {
            continue;
        }
        std::string_view charset = CharsetOfMeta(rest.substr(4));
        if (!charset.empty()) {
            return std::string(charset);
        }
    }
    return std::string();
}

}  // namespace vellumo
