#include "platform/char_test.h"

#include <windows.h>

namespace vellumo {

bool IsAlphaNumericByte(unsigned char byte) {
    return IsCharAlphaNumericA(static_cast<CHAR>(byte)) != 0;
}

}  // namespace vellumo
