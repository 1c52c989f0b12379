#include "platform/char_test.h"

namespace vellumo {

bool IsAlphaNumericByte(unsigned char byte) {
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= 'a' && byte <= 'z')) {
        return true;
    }
    // Latin-1 letters, as the Western ANSI code page classifies them.
    return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
}

}  // namespace vellumo
