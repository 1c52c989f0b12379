#include "translate/blank_text.h"

#include <string>

#include "charset/encoding.h"
#include "charset/source_charset.h"
#include "charset/unicode_text.h"
#include "codec/header_field_names.h"
#include "mime/main_type_table.h"

namespace vellumo {
namespace {

constexpr std::string_view kAsciiWhiteSpace = " \t\r\n\f\v";

// Unicode's White_Space characters.
bool IsUnicodeWhiteSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Characters that take no room: the soft hyphen, the combining grapheme
// joiner, the Mongolian vowel separator, zero-width spaces, joiners and
// direction marks, the word joiner and invisible operators, the byte-order
// mark. Mail pads hidden preview text with them.
bool HasNoWidth(char32_t c) {
    return c == 0xAD || c == 0x34F || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF;
}

bool IsVisibleAscii(char c) {
    return c > 0x20 && c < 0x7F;
}

}  // namespace

bool IsBlankText(std::string_view text, std::string_view charset) {
    const size_t first = text.find_first_not_of(kAsciiWhiteSpace);
    if (first == std::string_view::npos) {
        return true;
    }
    const HtmlSourceCharset source = ClassifyHtmlSource(charset, text);
    if (source.form == HtmlSourceForm::kOpaque || source.form == HtmlSourceForm::kUnreadable) {
        return false;
    }
    // In an encoding that keeps ASCII, the first byte that is not white
    // space shows when it is a visible ASCII character.
    if (source.byteOrderMark == 0 && IsAsciiCompatible(source.encoding) &&
        IsVisibleAscii(text[first])) {
        return false;
    }
    std::string storage;
    const std::string_view decoded = DecodeHtmlSource(text, source, &storage);
    for (size_t at = 0; at < decoded.size();) {
        const char32_t c = NextUtf8CodePoint(decoded, &at);
        if (!IsUnicodeWhiteSpace(c) && !HasNoWidth(c)) {
            return false;
        }
    }
    return true;
}

// Views split no deeper than the part tree does, so this recursion is
// bounded. A multipart's preamble is not shown; one whose parts cannot be
// found is read as a body.
bool IsBlankPart(const EntityView& part) {
    if (part.MainTypeIndex() == kMainTypeMultipart) {
        bool split = false;
        bool blank = true;
        part.ForEachChild([&](const EntityView& child) {
            split = true;
            blank = IsBlankPart(child);
            return blank;
        });
        if (split) {
            return blank;
        }
    }
    if (part.RawBody().find_first_not_of(kAsciiWhiteSpace) == std::string_view::npos) {
        return true;
    }
    if (part.MainTypeIndex() != kMainTypeText) {
        return false;
    }
    BodyBuffer body;
    if (!part.DecodeBody(body)) {
        return false;
    }
    const std::string_view text(body.data() != nullptr ? body.data() : "", body.size());
    return IsBlankText(text, part.Parameter(kContentTypeField, "charset"));
}

}  // namespace vellumo
