#include <cstdint>

#include "charset/charset_code_pages.h"
#include "charset/system_code_page.h"

namespace vellumo {
namespace {

constexpr unsigned kUtf8CodePage = 65001;
constexpr unsigned kAsciiCodePage = 20127;
constexpr unsigned kLatin1CodePage = 28591;
constexpr unsigned kWindows1252CodePage = 1252;

// Unicode values of windows-1252 bytes 0x80 to 0x9F; 0 where the byte is unused.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of a well-formed UTF-8 sequence at text, or 0.
size_t Utf8SequenceLength(const unsigned char* text, size_t available) {
    unsigned char lead = text[0];
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || length > available) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong three- and four-byte forms, surrogates and values past U+10FFFF.
    if ((lead == 0xE0 && text[1] < 0xA0) || (lead == 0xED && text[1] >= 0xA0) ||
        (lead == 0xF0 && text[1] < 0x90) || (lead == 0xF4 && text[1] >= 0x90)) {
        return 0;
    }
    return length;
}

std::string KeepValidUtf8(const std::string& text) {
    std::string kept;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t at = 0;
    while (at < text.size()) {
        size_t length = Utf8SequenceLength(bytes + at, text.size() - at);
        if (length == 0) {
            ++at;
            continue;
        }
        kept.append(text, at, length);
        at += length;
    }
    return kept;
}

std::string SingleByteToUtf8(const std::string& text, bool windows1252) {
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        std::uint32_t code = byte;
        if (windows1252 && byte >= 0x80 && byte < 0xA0) {
            code = kWindows1252High[byte - 0x80];
            if (code == 0) {
                continue;
            }
        }
        AppendUtf8(out, code);
    }
    return out;
}

}  // namespace

size_t SystemCharLength(const char* text, size_t available) {
    size_t length = Utf8SequenceLength(reinterpret_cast<const unsigned char*>(text), available);
    return length == 0 ? 1 : length;
}

std::string ConvertToSystemCodePage(const std::string& text, const std::string& charset) {
    if (charset.empty()) {
        return text;
    }
    switch (CodePageForCharset(charset.c_str())) {
        case kUtf8CodePage:
            return KeepValidUtf8(text);
        case kLatin1CodePage:
            return SingleByteToUtf8(text, false);
        case kWindows1252CodePage:
            return SingleByteToUtf8(text, true);
        case kAsciiCodePage:
        default:
            return KeepAsciiOnly(text);
    }
}

}  // namespace vellumo
