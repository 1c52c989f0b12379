#include "charset/source_charset.h"

#include <algorithm>

#include "charset/text_decoder.h"
#include "charset/unicode_text.h"

namespace vellumo {
namespace {

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsUtf32(Encoding encoding) {
    return encoding == Encoding::kUtf32Be || encoding == Encoding::kUtf32Le;
}

}  // namespace

HtmlSourceCharset ClassifyHtmlSource(std::string_view label, std::string_view html) {
    HtmlSourceCharset source;
    const bool blank = label.find_first_not_of(" \t\r\n\f\"'") == std::string_view::npos;
    Encoding encoding = Encoding::kWindows1252;
    const bool known = blank || EncodingForLabel(label, &encoding);
    // UTF-32's own mark starts like UTF-16LE's: DecodeText reads it.
    if (!IsUtf32(encoding) || !known) {
        Encoding marked = encoding;
        source.byteOrderMark = SniffByteOrderMark(html, &marked);
        if (source.byteOrderMark > 0) {
            encoding = marked;
        }
    }
    if (!known && source.byteOrderMark == 0) {
        return source;
    }
    source.encoding = encoding;
    source.form = encoding == Encoding::kUtf8          ? HtmlSourceForm::kUtf8
                  : encoding == Encoding::kReplacement ? HtmlSourceForm::kUnreadable
                                                       : HtmlSourceForm::kDecoded;
    return source;
}

bool IsWritableSource(const HtmlSourceCharset& source) {
    return (source.form == HtmlSourceForm::kUtf8 || source.form == HtmlSourceForm::kDecoded) &&
           source.encoding != Encoding::kUtf16Be && source.encoding != Encoding::kUtf16Le &&
           !IsUtf32(source.encoding);
}

std::string_view DecodeHtmlSource(std::string_view html, const HtmlSourceCharset& source,
                                  std::string* storage, bool repairUtf8) {
    html.remove_prefix(std::min(source.byteOrderMark, html.size()));
    switch (source.form) {
        case HtmlSourceForm::kUtf8:
            if (!repairUtf8 || IsValidUtf8(html)) {
                return html;
            }
            *storage = RepairUtf8(html);
            return *storage;
        case HtmlSourceForm::kDecoded:
            if (IsAsciiCompatible(source.encoding) && IsAscii(html)) {
                return html;
            }
            if (IsUtf32(source.encoding)) {
                *storage = DecodeText(source.encoding, html);  // reads UTF-32's own mark
                return *storage;
            }
            storage->clear();
            storage->reserve(html.size() + html.size() / 2);
            TextDecoder(source.encoding).Decode(html, true, storage);
            return *storage;
        default:
            return html;
    }
}

}  // namespace vellumo
