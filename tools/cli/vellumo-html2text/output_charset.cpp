#include "output_charset.h"

namespace vellumo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at `at` of well-formed UTF-8 (RepairUtf8 output); moves `at` past it.
char32_t NextCodePoint(std::string_view text, size_t& at) {
    unsigned char lead = static_cast<unsigned char>(text[at++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t value = extra == 3   ? lead & 0x07
                     : extra == 2 ? lead & 0x0F
                     : extra == 1 ? lead & 0x1F
                                  : lead;
    for (; extra > 0; --extra) {
        if (at >= text.size()) {
            return kReplacement;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    return value;
}

}  // namespace

std::string EncodeFromUtf8(std::string_view utf8, const HtmlCharset& charset) {
    if (charset.kind == CharsetKind::kUtf8) {
        return std::string(utf8);
    }
    std::string repaired = RepairUtf8(utf8);
    std::string out;
    out.reserve(repaired.size());
    for (size_t at = 0; at < repaired.size();) {
        AppendCodePoint(charset, NextCodePoint(repaired, at), &out);
    }
    return out;
}

std::string WithLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out += text[i];
        }
    }
    return out;
}

}  // namespace vellumo
