#include "html/html_charset_sniff.h"

#include "charset/charset_name.h"
#include "platform/ascii_case.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

struct ByteOrderMark {
    std::string_view bytes;
    const char* charset;
};

// UTF-32LE's mark begins with UTF-16LE's, so it is tried first.
constexpr ByteOrderMark kByteOrderMarks[] = {
    {std::string_view("\xFF\xFE\x00\x00", 4), "utf-32le"},
    {std::string_view("\x00\x00\xFE\xFF", 4), "utf-32be"},
    {"\xEF\xBB\xBF", "utf-8"},
    {"\xFE\xFF", "utf-16be"},
    {"\xFF\xFE", "utf-16le"},
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// The name in lower case when it is a plain token of bounded length, else "".
std::string CleanCharsetName(std::string_view name) {
    while (!name.empty() && IsSpace(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && IsSpace(name.back())) {
        name.remove_suffix(1);
    }
    if (!IsPlainCharsetName(name)) {
        return "";
    }
    std::string lower = LowerAsciiCopy(name);
    if (StartsWithIgnoringAsciiCase(lower, "utf-16") ||
        StartsWithIgnoringAsciiCase(lower, "utf-32")) {
        return "utf-8";
    }
    return lower;
}

// Reads the pre-scan's attributes one at a time from the bytes after a tag name.
class AttributeReader {
  public:
    AttributeReader(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}

    // The next attribute; false at the end of the tag (or of the text).
    bool Next(std::string* name, std::string* value) {
        name->clear();
        value->clear();
        while (pos_ < text_.size() && (IsSpace(text_[pos_]) || text_[pos_] == '/')) {
            ++pos_;
        }
        if (pos_ >= text_.size() || text_[pos_] == '>') {
            return false;
        }
        do {
            name->push_back(LowerAscii(text_[pos_++]));
        } while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '=' &&
                 text_[pos_] != '>' && text_[pos_] != '/');
        SkipSpace();
        if (pos_ >= text_.size() || text_[pos_] != '=') {
            return true;
        }
        ++pos_;
        SkipSpace();
        ReadValue(value);
        return true;
    }

    [[nodiscard]] std::size_t Position() const { return pos_; }

  private:
    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) {
            ++pos_;
        }
    }

    void ReadValue(std::string* value) {
        if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
            const char quote = text_[pos_++];
            while (pos_ < text_.size() && text_[pos_] != quote) {
                value->push_back(text_[pos_++]);
            }
            pos_ = pos_ < text_.size() ? pos_ + 1 : pos_;
            return;
        }
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '>') {
            value->push_back(text_[pos_++]);
        }
    }

    std::string_view text_;
    std::size_t pos_;
};

// The charset of a content attribute value: "text/html; charset=x".
std::string CharsetFromContent(std::string_view content) {
    for (std::size_t at = 0; at + 7 <= content.size(); ++at) {
        if (!EqualsIgnoringAsciiCase(content.substr(at, 7), "charset")) {
            continue;
        }
        std::size_t pos = at + 7;
        while (pos < content.size() && IsSpace(content[pos])) {
            ++pos;
        }
        if (pos >= content.size() || content[pos] != '=') {
            continue;
        }
        ++pos;
        while (pos < content.size() && IsSpace(content[pos])) {
            ++pos;
        }
        const bool quoted = pos < content.size() && (content[pos] == '"' || content[pos] == '\'');
        const char quote = quoted ? content[pos++] : '\0';
        std::size_t end = pos;
        while (end < content.size() &&
               (quoted ? content[end] != quote : !IsSpace(content[end]) && content[end] != ';')) {
            ++end;
        }
        return std::string(content.substr(pos, end - pos));
    }
    return "";
}

// The charset a meta tag declares (attributes from `pos`), or "".
std::string CharsetOfMeta(std::string_view text, std::size_t pos) {
    AttributeReader reader(text, pos);
    std::string name;
    std::string value;
    std::string charset;
    std::string content;
    bool contentType = false;
    while (reader.Next(&name, &value)) {
        if (name == "charset" && charset.empty()) {
            charset = value;
        } else if (name == "content" && content.empty()) {
            content = value;
        } else if (name == "http-equiv") {
            contentType = contentType || EqualsIgnoringAsciiCase(value, "content-type");
        }
    }
    if (!charset.empty()) {
        return charset;
    }
    return contentType ? CharsetFromContent(content) : "";
}

// Past a tag's attributes, to just after its ">".
std::size_t SkipTag(std::string_view text, std::size_t pos) {
    AttributeReader reader(text, pos);
    std::string name;
    std::string value;
    while (reader.Next(&name, &value)) {
    }
    return reader.Position() + 1;
}

std::size_t SkipPast(std::string_view text, std::size_t pos, std::string_view end) {
    const std::size_t found = text.find(end, pos);
    return found == std::string_view::npos ? text.size() : found + end.size();
}

std::string PrescanMeta(std::string_view text) {
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string_view::npos) {
        const std::string_view rest = text.substr(pos);
        if (rest.substr(0, 4) == "<!--") {
            pos = SkipPast(text, pos + 2, "-->");  // "<!-->" closes at once
        } else if (StartsWithIgnoringAsciiCase(rest, "<meta") && rest.size() > 5 &&
                   (IsSpace(rest[5]) || rest[5] == '/')) {
            std::string charset = CleanCharsetName(CharsetOfMeta(text, pos + 5));
            if (!charset.empty()) {
                return charset;
            }
            pos = SkipTag(text, pos + 5);
        } else if (rest.size() > 2 &&
                   (IsAsciiAlpha(rest[1]) || (rest[1] == '/' && IsAsciiAlpha(rest[2])))) {
            std::size_t name = pos + 1;
            while (name < text.size() && !IsSpace(text[name]) && text[name] != '>') {
                ++name;
            }
            pos = SkipTag(text, name);
        } else if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '/' || rest[1] == '?')) {
            pos = SkipPast(text, pos + 1, ">");
        } else {
            ++pos;
        }
    }
    return "";
}

}  // namespace

std::string SniffHtmlCharset(std::string_view html) {
    for (const ByteOrderMark& mark : kByteOrderMarks) {
        if (html.substr(0, mark.bytes.size()) == mark.bytes) {
            return mark.charset;
        }
    }
    return PrescanMeta(html.substr(0, kCharsetSniffBytes));
}

}  // namespace vellumo
