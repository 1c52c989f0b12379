#include "charset/system_code_page.h"

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
