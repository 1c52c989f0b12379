#include "mime/header_value_safety.h"

#include "platform/ascii_class.h"

namespace vellumo {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// At `at` stands a CR: true when it starts CR LF and a blank or tab, a fold
// that continues the field.
bool IsFoldAt(std::string_view text, size_t at) {
    return at + 2 < text.size() && text[at + 1] == '\n' && IsBlank(text[at + 2]);
}

}  // namespace

bool CharsetNeedsQuotes(std::string_view name) {
    return name.find_first_of(":()") != std::string_view::npos;
}

bool IsSafeFieldValue(std::string_view text) {
    for (size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\r') {
            if (!IsFoldAt(text, at)) {
                return false;
            }
            at += 2;  // past the LF and the blank after it
        } else if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace vellumo
