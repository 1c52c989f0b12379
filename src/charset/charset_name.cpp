#include "charset/charset_name.h"

#include "platform/ascii_class.h"

namespace vellumo {
namespace {

bool IsCharsetNameByte(char c) {
    return IsAsciiAlphaNumeric(c) || c == '-' || c == '_' || c == '.' || c == ':' || c == '+' ||
           c == '(' || c == ')';
}

}  // namespace

bool IsPlainCharsetName(std::string_view name) {
    if (name.empty() || name.size() > kMaxCharsetNameLength) {
        return false;
    }
    for (char c : name) {
        if (!IsCharsetNameByte(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace vellumo
