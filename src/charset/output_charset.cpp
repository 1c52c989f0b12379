#include "charset/output_charset.h"

#include "charset/charset.h"
#include "charset/double_byte_codes.h"
#include "charset/iso2022jp.h"
#include "charset/iso2022kr.h"
#include "charset/source_charset.h"
#include "charset/unicode_text.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
constexpr const char* kWindows1252 = "windows-1252";
constexpr const char* kUtf8 = "utf-8";

// Labels that name a subset of windows-1252 which browsers read as all of it.
constexpr const char* kWindows1252Subsets[] = {
    "us-ascii", "ascii", "ansi_x3.4-1968", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1",
};

bool IsWindows1252Subset(std::string_view label) {
    for (const char* subset : kWindows1252Subsets) {
        if (EqualsIgnoringAsciiCase(label, subset)) {
            return true;
        }
    }
    return false;
}

bool IsAsciiLabel(std::string_view label) {
    return EqualsIgnoringAsciiCase(label, "us-ascii") || EqualsIgnoringAsciiCase(label, "ascii") ||
           EqualsIgnoringAsciiCase(label, "ansi_x3.4-1968");
}

// A charset's bytes for one code point: false when it has none.
using CharEncoder = bool (*)(const SingleByteCharset* table, char32_t codePoint, std::string* out);

bool EncodeAscii(const SingleByteCharset*, char32_t codePoint, std::string* out) {
    if (codePoint >= 0x80) {
        return false;
    }
    out->push_back(static_cast<char>(codePoint));
    return true;
}

bool EncodeLatin1(const SingleByteCharset*, char32_t codePoint, std::string* out) {
    if (codePoint > 0xFF) {
        return false;
    }
    out->push_back(static_cast<char>(codePoint));
    return true;
}

bool EncodeTable(const SingleByteCharset* table, char32_t codePoint, std::string* out) {
    if (codePoint < 0x80) {
        out->push_back(static_cast<char>(codePoint));
        return true;
    }
    for (int i = 0; i < 128; ++i) {
        if (table->high[i] == codePoint && codePoint != kReplacementCharacter) {
            out->push_back(static_cast<char>(0x80 + i));
            return true;
        }
    }
    return false;
}

// Encodes the whole text, or returns false. `substitute` allows "?" for
// any character the charset lacks, not just for U+FFFD.
bool EncodeAll(std::string_view text, CharEncoder encode, const SingleByteCharset* table,
               bool substitute, std::string* out) {
    out->clear();
    out->reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t codePoint = NextUtf8CodePoint(text, &pos);
        if (encode(table, codePoint, out)) {
            continue;
        }
        if (codePoint == kNoBreakSpace) {
            out->push_back(' ');
        } else if (codePoint == kReplacementCharacter || substitute) {
            out->push_back('?');
        } else {
            return false;
        }
    }
    return true;
}

using TextEncoder = bool (*)(std::string_view text, std::string* out);

// Same for the codes encoded a text at a time: the ISO-2022 charsets, which
// have shift states, and the double-byte codes; the substitutes are ASCII.
bool EncodeWholeText(std::string_view text, TextEncoder encode, bool substitute, std::string* out) {
    out->clear();
    if (encode(text, out)) {
        return true;
    }
    std::string plain;
    plain.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t codePoint = NextUtf8CodePoint(text, &pos);
        std::string probe;
        if (encode(text.substr(start, pos - start), &probe)) {
            plain.append(text.substr(start, pos - start));
        } else if (codePoint == kNoBreakSpace) {
            plain.push_back(' ');
        } else if (codePoint == kReplacementCharacter || substitute) {
            plain.push_back('?');
        } else {
            return false;
        }
    }
    out->clear();
    return encode(plain, out);
}

// The encoder of a form written a text at a time; null for the others.
TextEncoder TextEncoderOf(HtmlSourceForm form) {
    switch (form) {
        case HtmlSourceForm::kIso2022Jp:
            return EncodeIso2022Jp;
        case HtmlSourceForm::kIso2022Kr:
            return EncodeIso2022Kr;
        case HtmlSourceForm::kShiftJis:
            return EncodeShiftJis;
        case HtmlSourceForm::kEucJp:
            return EncodeEucJp;
        case HtmlSourceForm::kEucKr:
            return EncodeEucKr;
        case HtmlSourceForm::kEucCn:
            return EncodeEucCn;
        default:
            return nullptr;
    }
}

}  // namespace

LabelledText EncodeForLabel(std::string text, std::string_view label) {
    const HtmlSourceCharset source = ClassifyHtmlSource(label);
    LabelledText result;
    result.charset = std::string(label);
    if (label.empty()) {
        if (EncodeAll(text, EncodeAscii, nullptr, false, &result.text)) {
            return result;
        }
        result.charset = kWindows1252;
    } else if (TextEncoder encode = TextEncoderOf(source.form)) {
        if (EncodeWholeText(text, encode, false, &result.text)) {
            return result;
        }
    } else if (source.form == HtmlSourceForm::kSingleByte) {
        const CharEncoder exact = IsAsciiLabel(label)          ? EncodeAscii
                                  : IsWindows1252Subset(label) ? EncodeLatin1
                                                               : EncodeTable;
        if (EncodeAll(text, exact, source.table, false, &result.text)) {
            return result;
        }
        if (IsWindows1252Subset(label)) {
            result.charset = kWindows1252;
        }
    } else if (source.form == HtmlSourceForm::kUtf8 || source.form == HtmlSourceForm::kOpaque ||
               source.form == HtmlSourceForm::kUnreadable) {
        result.text = std::move(text);
        return result;
    }
    if (result.charset == kWindows1252) {
        const HtmlSourceCharset windows = ClassifyHtmlSource(kWindows1252);
        if (EncodeAll(text, EncodeTable, windows.table, false, &result.text)) {
            return result;
        }
    }
    result.charset = kUtf8;
    result.text = std::move(text);
    return result;
}

std::string EncodeWithSubstitutes(std::string text, std::string_view label) {
    const HtmlSourceCharset source = ClassifyHtmlSource(label.empty() ? kWindows1252 : label);
    std::string out;
    if (source.form == HtmlSourceForm::kSingleByte) {
        (void)EncodeAll(text, EncodeTable, source.table, true, &out);
        return out;
    }
    if (TextEncoder encode = TextEncoderOf(source.form)) {
        (void)EncodeWholeText(text, encode, true, &out);
        return out;
    }
    return text;
}

}  // namespace vellumo
