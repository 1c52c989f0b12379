#include "charset/charset.h"
#include "charset/unicode_text.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
constexpr std::size_t kMaxCharsetNameLength = 40;

struct CharsetAlias {
    const char* label;
    const char* canonical;  // "utf-8" or a table name
    unsigned int codePage;
};

// Labels as browsers resolve them; the code pages are those Windows uses.
constexpr CharsetAlias kCharsetAliases[] = {
    {"utf-8", "utf-8", 65001},
    {"utf8", "utf-8", 65001},
    {"unicode-1-1-utf-8", "utf-8", 65001},
    {"windows-1252", "windows-1252", 1252},
    {"cp1252", "windows-1252", 1252},
    {"x-cp1252", "windows-1252", 1252},
    {"iso-8859-1", "windows-1252", 1252},
    {"iso8859-1", "windows-1252", 1252},
    {"iso_8859-1", "windows-1252", 1252},
    {"latin1", "windows-1252", 1252},
    {"l1", "windows-1252", 1252},
    {"us-ascii", "windows-1252", 1252},
    {"ascii", "windows-1252", 1252},
    {"ansi_x3.4-1968", "windows-1252", 1252},
    {"windows-1250", "windows-1250", 1250},
    {"cp1250", "windows-1250", 1250},
    {"windows-1251", "windows-1251", 1251},
    {"cp1251", "windows-1251", 1251},
    {"windows-1253", "windows-1253", 1253},
    {"windows-1254", "windows-1254", 1254},
    {"iso-8859-9", "windows-1254", 1254},
    {"latin5", "windows-1254", 1254},
    {"windows-1257", "windows-1257", 1257},
    {"iso-8859-2", "iso-8859-2", 28592},
    {"latin2", "iso-8859-2", 28592},
    {"iso-8859-5", "iso-8859-5", 28595},
    {"iso-8859-7", "iso-8859-7", 28597},
    {"iso-8859-15", "iso-8859-15", 28605},
    {"latin9", "iso-8859-15", 28605},
    {"koi8-r", "koi8-r", 20866},
    {"shift_jis", "", 932},
    {"iso-2022-jp", "", 50220},
    {"euc-jp", "", 20932},
    {"gb2312", "", 936},
    {"gbk", "", 936},
    {"big5", "", 950},
    {"euc-kr", "", 949},
    {"ks_c_5601-1987", "", 949},
};

std::string NormaliseLabel(std::string_view name) {
    std::size_t begin = 0;
    std::size_t end = name.size();
    auto isTrim = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    while (begin < end && isTrim(name[begin])) {
        ++begin;
    }
    while (end > begin && isTrim(name[end - 1])) {
        --end;
    }
    std::string label;
    for (std::size_t i = begin; i < end && label.size() < kMaxCharsetNameLength; ++i) {
        label.push_back(LowerAscii(name[i]));
    }
    return label;
}

const CharsetAlias* FindAlias(std::string_view name) {
    const std::string label = NormaliseLabel(name);
    for (const CharsetAlias& alias : kCharsetAliases) {
        if (label == alias.label) {
            return &alias;
        }
    }
    return nullptr;
}

const SingleByteCharset* FindTable(std::string_view name) {
    for (std::size_t i = 0; i < kSingleByteCharsetCount; ++i) {
        if (name == kSingleByteCharsets[i].name) {
            return &kSingleByteCharsets[i];
        }
    }
    return nullptr;
}

char EncodeSingleByte(const SingleByteCharset& table, char32_t codePoint) {
    for (int i = 0; i < 128; ++i) {
        if (table.high[i] == codePoint && codePoint != kReplacementCharacter) {
            return static_cast<char>(0x80 + i);
        }
    }
    return codePoint == kNoBreakSpace ? ' ' : '?';
}

// Length of the well-formed UTF-8 sequence at `pos`, or 0 when the bytes
// there are ill-formed; `bad` then receives the length of the maximal
// ill-formed subpart to replace.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos, std::size_t* bad) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t need = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        *bad = 1;
        return 0;
    }
    for (std::size_t i = 1; i <= need; ++i) {
        const unsigned char lo = i == 1 ? low : 0x80;
        const unsigned char hi = i == 1 ? high : 0xBF;
        if (pos + i >= text.size() || byte(pos + i) < lo || byte(pos + i) > hi) {
            *bad = i;
            return 0;
        }
    }
    return need + 1;
}

// The size of `cp` in UTF-8, as AppendUtf8 writes it.
std::size_t Utf8Size(char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacementCharacter;
    }
    return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

// The size of RepairUtf8's result, so that it is reserved exactly: a
// growing string would hold up to twice the text at once.
std::size_t RepairedUtf8Size(std::string_view text) {
    std::size_t size = 0;
    std::size_t pos = 0;
    std::size_t bad = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++size;
            ++pos;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, pos, &bad);
        size += length == 0 ? Utf8Size(kReplacementCharacter) : length;
        pos += length == 0 ? bad : length;
    }
    return size;
}

}  // namespace

HtmlCharset ResolveHtmlCharset(std::string_view name) {
    HtmlCharset charset;
    const CharsetAlias* alias =
        FindAlias(NormaliseLabel(name).empty() ? std::string_view("windows-1252") : name);
    if (alias == nullptr || alias->canonical[0] == '\0') {
        return charset;
    }
    if (std::string_view(alias->canonical) == "utf-8") {
        charset.kind = CharsetKind::kUtf8;
        return charset;
    }
    charset.table = FindTable(alias->canonical);
    if (charset.table != nullptr) {
        charset.kind = CharsetKind::kSingleByte;
    }
    return charset;
}

void AppendUtf8(char32_t cp, std::string* out) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacementCharacter;
    }
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendCodePoint(const HtmlCharset& charset, char32_t codePoint, std::string* out) {
    if (codePoint < 0x80) {
        out->push_back(static_cast<char>(codePoint));
    } else if (charset.kind == CharsetKind::kUtf8) {
        AppendUtf8(codePoint, out);
    } else if (charset.kind == CharsetKind::kSingleByte) {
        out->push_back(EncodeSingleByte(*charset.table, codePoint));
    } else {
        out->push_back(codePoint == kNoBreakSpace ? ' ' : '?');
    }
}

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    std::size_t bad = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, pos, &bad);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string RepairUtf8(std::string_view text) {
    std::string out;
    out.reserve(RepairedUtf8Size(text));
    std::size_t pos = 0;
    std::size_t bad = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            out.push_back(text[pos++]);
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, pos, &bad);
        if (length == 0) {
            AppendUtf8(kReplacementCharacter, &out);
            pos += bad;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

std::string DecodeToUtf8(const HtmlCharset& charset, std::string_view text) {
    if (charset.kind == CharsetKind::kUtf8) {
        return RepairUtf8(text);
    }
    std::size_t size = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        size += byte < 0x80 ? 1
                : charset.kind == CharsetKind::kSingleByte
                    ? Utf8Size(charset.table->high[byte - 0x80])
                    : Utf8Size(kReplacementCharacter);
    }
    std::string out;
    out.reserve(size);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else if (charset.kind == CharsetKind::kSingleByte) {
            AppendUtf8(charset.table->high[byte - 0x80], &out);
        } else {
            AppendUtf8(kReplacementCharacter, &out);
        }
    }
    return out;
}

unsigned int WindowsCodePageForCharset(std::string_view name) {
    const CharsetAlias* alias = FindAlias(name);
    return alias == nullptr ? 0 : alias->codePage;
}

}  // namespace vellumo
