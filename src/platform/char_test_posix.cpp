#include "platform/char_test.h"

#include "platform/ascii_class.h"

namespace vellumo {

bool IsAlphaNumericByte(unsigned char byte) {
    if (IsAsciiAlphaNumeric(static_cast<char>(byte))) {
        return true;
    }
    // Latin-1 letters, as the Western ANSI code page classifies them.
    return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
}

}  // namespace vellumo
