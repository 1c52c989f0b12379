#pragma once

namespace vellumo {

// True when the system classifies the byte as a letter or digit of the ANSI
// code page (on POSIX: ASCII letters and digits, and the Latin-1 letters).
bool IsAlphaNumericByte(unsigned char byte);

}  // namespace vellumo
