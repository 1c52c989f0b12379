#include "charset/output_charset.h"

#include "charset/source_charset.h"
#include "charset/text_encoder.h"
#include "charset/unicode_text.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
constexpr char32_t kFirstC1 = 0x80;
constexpr char32_t kLastLatin1 = 0xFF;
constexpr const char* kWindows1252 = "windows-1252";
constexpr const char* kUtf8 = "utf-8";

// Labels of a subset of windows-1252 that browsers read as all of it. A
// reader that takes them literally would not read the rest: text written
// under them keeps to the subset, or changes its label to windows-1252.
constexpr const char* kAsciiLabels[] = {"us-ascii", "ascii", "ansi_x3.4-1968"};
constexpr const char* kLatin1Labels[] = {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1"};

template <std::size_t N>
bool IsOneOf(std::string_view label, const char* const (&labels)[N]) {
    for (const char* candidate : labels) {
        if (EqualsIgnoringAsciiCase(label, candidate)) {
            return true;
        }
    }
    return false;
}

// The substitutes every charset has: a space for a no-break space, "?" for
// U+FFFD (a character the input did not hold); they never change a label.
char KeepSpaceAndUnknown(char32_t codePoint) {
    return codePoint == kNoBreakSpace ? ' ' : codePoint == kReplacementCharacter ? '?' : '\0';
}

char AnySubstitute(char32_t codePoint) {
    return codePoint == kNoBreakSpace ? ' ' : '?';
}

bool EncodeExactly(Encoding encoding, std::string_view text, std::string* out) {
    return EncodeText(encoding, text, KeepSpaceAndUnknown, out);
}

// The text in the literal reading of an ASCII or Latin-1 label, whose code
// points below `last` are their bytes; false when it does not hold the text.
bool EncodeSubset(std::string_view label, std::string_view text, std::string* out) {
    const char32_t last = IsOneOf(label, kAsciiLabels) ? 0x7F : kLastLatin1;
    out->clear();
    out->reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t codePoint = NextUtf8CodePoint(text, &pos);
        const bool c1 = codePoint >= kFirstC1 && codePoint < kNoBreakSpace;
        if (codePoint <= last && !c1) {
            out->push_back(static_cast<char>(codePoint));
        } else if (KeepSpaceAndUnknown(codePoint) != '\0') {
            out->push_back(KeepSpaceAndUnknown(codePoint));
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

LabelledText EncodeForLabel(std::string text, std::string_view label) {
    const HtmlSourceCharset source = ClassifyHtmlSource(label);
    LabelledText result;
    result.charset = std::string(label);
    if (label.empty()) {
        if (EncodeSubset("us-ascii", text, &result.text)) {
            return result;
        }
        result.charset = kWindows1252;
    } else if (source.form == HtmlSourceForm::kOpaque || source.form == HtmlSourceForm::kUtf8) {
        result.text = std::move(text);
        return result;
    } else if (IsOneOf(label, kAsciiLabels) || IsOneOf(label, kLatin1Labels)) {
        if (EncodeSubset(label, text, &result.text)) {
            return result;
        }
        result.charset = kWindows1252;
    } else if (IsWritableSource(source) && EncodeExactly(source.encoding, text, &result.text)) {
        return result;
    }
    if (result.charset == kWindows1252 &&
        EncodeExactly(Encoding::kWindows1252, text, &result.text)) {
        return result;
    }
    result.charset = kUtf8;
    result.text = std::move(text);
    return result;
}

std::string EncodeWithSubstitutes(std::string text, std::string_view label) {
    const HtmlSourceCharset source = ClassifyHtmlSource(label);
    if (!IsWritableSource(source) || source.form == HtmlSourceForm::kUtf8) {
        return text;
    }
    std::string out;
    (void)EncodeText(source.encoding, text, AnySubstitute, &out);
    return out;
}

}  // namespace vellumo
