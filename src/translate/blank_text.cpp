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
        if (!ShowsNothing(c)) {
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
