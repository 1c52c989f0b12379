#include "html/html_case_mapping.h"

#include "html/html_tokenizer.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

constexpr char32_t kSharpS = 0xDF;
constexpr char32_t kCapitalIWithDot = 0x130;
constexpr char32_t kSmallDotlessI = 0x131;

// Latin Extended-A pairs case in two patterns: upper case on the even code
// point in 0x100-0x137 and 0x14A-0x177, on the odd one in 0x139-0x148 and
// 0x179-0x17E.
bool InEvenUpperRange(char32_t c) {
    return (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
}

bool InOddUpperRange(char32_t c) {
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

// An apostrophe continues a word ("o'neil" capitalises as "O'neil").
bool IsWordChar(char32_t c) {
    if (c < 0x80) {
        return IsAsciiAlphaNumeric(static_cast<char>(c)) || c == '\'';
    }
    if (c == 0x2019) {
        return true;
    }
    return c >= 0xC0 && c != 0xD7 && c != 0xF7 && !(c >= 0x2000 && c <= 0x206F);
}

// In a charset without a table the letters of a multi-byte character (a
// Shift_JIS or Big5 trail byte, ISO-2022-JP bytes after an escape) look
// like ASCII letters; only a run of plain ASCII is safe to map there.
bool IsPlainAscii(std::string_view run) {
    for (char c : run) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte == 0x1B) {
            return false;
        }
    }
    return true;
}

// Appends `run` without case mapping; it counts as word characters.
void AppendUnmapped(std::string_view run, bool* afterWordChar, std::string* out) {
    for (char c : run) {
        out->push_back(c == kNoBreakSpaceMarker ? ' ' : c);
        *afterWordChar = c != kNoBreakSpaceMarker;
    }
}

// Decodes one character of `run` at `pos`; `length` receives its bytes.
char32_t Decode(std::string_view run, std::size_t pos, const HtmlCharset& charset,
                std::size_t* length) {
    const auto byte = static_cast<unsigned char>(run[pos]);
    *length = 1;
    if (byte < 0x80) {
        return byte;
    }
    if (charset.kind == CharsetKind::kSingleByte) {
        return charset.high[byte - 0x80];
    }
    if (charset.kind == CharsetKind::kUtf8) {
        const Utf8Read read = ReadUtf8(run, pos);
        if (read.status == Utf8Status::kValid) {
            *length = read.length;
            return read.codePoint;
        }
    }
    return 0;  // not mapped: copied as it is
}

// Appends `mapped` in the charset, or the original bytes when it cannot be
// written there.
void Encode(char32_t mapped, std::string_view original, const HtmlCharset& charset,
            std::string* out) {
    if (mapped < 0x80) {
        out->push_back(static_cast<char>(mapped));
        return;
    }
    const std::size_t before = out->size();
    AppendCodePoint(charset, mapped, out);
    if (out->size() == before + 1 && (*out)[before] == '?') {
        out->resize(before);
        out->append(original);
    }
}

}  // namespace

char32_t UpperCase(char32_t c) {
    if (c == 0x131) {
        return 'I';  // dotless i sits inside the even-upper range
    }
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (InEvenUpperRange(c) || InOddUpperRange(c)) {
        const bool lower = InEvenUpperRange(c) ? (c & 1) == 1 : (c & 1) == 0;
        return lower ? c - 1 : c;
    }
    switch (c) {
        case 0xFF:
            return 0x178;
        case 0x17F:
            return 'S';
        case 0x3C2:
            return 0x3A3;
        case 0x3AC:
            return 0x386;
        case 0x3CC:
            return 0x38C;
        default:
            break;
    }
    if (c >= 0x3AD && c <= 0x3AF) {
        return c - 0x25;
    }
    if (c >= 0x3CD && c <= 0x3CE) {
        return c - 0x3F;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    return c;
}

char32_t LowerCase(char32_t c) {
    if (c == 0x130) {
        return 'i';  // capital I with dot sits inside the even-upper range
    }
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (InEvenUpperRange(c) || InOddUpperRange(c)) {
        const bool upper = InEvenUpperRange(c) ? (c & 1) == 0 : (c & 1) == 1;
        return upper ? c + 1 : c;
    }
    switch (c) {
        case 0x178:
            return 0xFF;
        case 0x386:
            return 0x3AC;
        case 0x38C:
            return 0x3CC;
        default:
            break;
    }
    if (c >= 0x388 && c <= 0x38A) {
        return c + 0x25;
    }
    if (c >= 0x38E && c <= 0x38F) {
        return c + 0x3F;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

void AppendTransformed(std::string_view run, CssTextTransform transform, const HtmlCharset& charset,
                       bool* afterWordChar, std::string* out, bool turkic) {
    if (charset.kind == CharsetKind::kOpaque && !IsPlainAscii(run)) {
        AppendUnmapped(run, afterWordChar, out);
        return;
    }
    std::size_t pos = 0;
    while (pos < run.size()) {
        std::size_t length = 1;
        if (run[pos] == kNoBreakSpaceMarker) {
            out->push_back(' ');
            *afterWordChar = false;
            ++pos;
            continue;
        }
        const char32_t c = Decode(run, pos, charset, &length);
        const std::string_view original = run.substr(pos, length);
        pos += length;
        const bool word = c == 0 ? true : IsWordChar(c);
        const bool upper = transform == CssTextTransform::kUppercase ||
                           (transform == CssTextTransform::kCapitalize && word && !*afterWordChar);
        *afterWordChar = word;
        if (c == 0 || transform == CssTextTransform::kNone ||
            (transform == CssTextTransform::kCapitalize && !upper)) {
            out->append(original);
        } else if (upper && c == kSharpS) {
            out->append("SS");
        } else if (turkic && (upper ? c == 'i' : c == 'I')) {
            Encode(upper ? kCapitalIWithDot : kSmallDotlessI, original, charset, out);
        } else {
            Encode(upper ? UpperCase(c) : LowerCase(c), original, charset, out);
        }
    }
}

}  // namespace vellumo
