#pragma once
// The two byte classes the header parser needs, looked up in the shared
// character class table. Bytes 0x80 and above belong to no class.

namespace vellumo {

// HT, LF, VT, FF, CR and space.
[[nodiscard]] bool IsHeaderSpace(unsigned char byte);
// The mail address specials plus "=": " ( ) , . : ; < = > @ [ \ ]
[[nodiscard]] bool IsHeaderSpecial(unsigned char byte);

}  // namespace vellumo
