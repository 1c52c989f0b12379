#pragma once
// One shared classification of ASCII bytes for the header parser and the
// codecs, independent of the locale. Bytes 0x80-0xFF belong to no class.

#include <cstdint>

namespace vellumo {

constexpr uint8_t CC_CONTROL = 0x01;   // 0x00-0x1F and 0x7F
constexpr uint8_t CC_SPACE = 0x02;     // HT, LF, VT, FF, CR and space
constexpr uint8_t CC_ALNUM = 0x04;     // 0-9, A-Z, a-z
constexpr uint8_t CC_PUNCT = 0x10;     // printable 0x21-0x7E that is not alphanumeric
constexpr uint8_t CC_SPECIAL = 0x20;   // " ( ) , . : ; < = > @ [ \ ]
constexpr uint8_t CC_HEXUPPER = 0x40;  // 0-9 and A-F only

constexpr int kCharClassTableSize = 128;

// Indexed by byte value 0x00-0x7F; callers test the top bit first.
extern const uint8_t CharClassTable[kCharClassTableSize];

// The class bits of any byte: none for 0x80-0xFF.
[[nodiscard]] inline uint8_t CharClassOf(unsigned char byte) {
    return byte < kCharClassTableSize ? CharClassTable[byte] : 0;
}

[[nodiscard]] inline bool HasCharClass(unsigned char byte, uint8_t classBits) {
    return (CharClassOf(byte) & classBits) != 0;
}

}  // namespace vellumo
