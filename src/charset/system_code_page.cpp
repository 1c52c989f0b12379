#include "charset/system_code_page.h"

#include "charset/encoding.h"
#include "charset/text_decoder.h"
#include "charset/unicode_text.h"

namespace vellumo {

std::string CutToWholeCharacters(const std::string& text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        size_t length = SystemCharLength(text.data() + end, text.size() - end);
        if (end + length > maxBytes) {
            break;
        }
        end += length;
    }
    return text.substr(0, end);
}

std::string DecodeCharsetText(const std::string& text, const std::string& charset) {
    Encoding encoding = Encoding::kUtf8;
    if (!EncodingForLabel(charset, &encoding) || encoding == Encoding::kReplacement) {
        return KeepAsciiOnly(text);
    }
    const std::string decoded = DecodeText(encoding, text);
    std::string kept;
    kept.reserve(decoded.size());
    for (std::size_t pos = 0; pos < decoded.size();) {
        const std::size_t start = pos;
        if (NextUtf8CodePoint(decoded, &pos) != kReplacementCharacter) {
            kept.append(decoded, start, pos - start);
        }
    }
    return kept;
}

std::string KeepAsciiOnly(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x80) {
            kept += c;
        }
    }
    return kept;
}

}  // namespace vellumo
