#include "mime/header_chars.h"

#include "codec/char_class.h"

namespace vellumo {

bool IsHeaderSpace(unsigned char byte) {
    return HasCharClass(byte, CC_SPACE);
}

bool IsHeaderSpecial(unsigned char byte) {
    return HasCharClass(byte, CC_SPECIAL);
}

}  // namespace vellumo
