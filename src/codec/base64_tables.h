#pragma once
// Lookup tables of the base64 codec, built at compile time.

#include <cstdint>

namespace vellumo {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Decode classes beyond the 64 alphabet values.
constexpr uint8_t kBase64Skip = 0x40;  // every byte outside the alphabet but "="
constexpr uint8_t kBase64Pad = 0x80;   // "=": the end of a group
// Set in a shifted entry of any byte that is not an alphabet character.
constexpr uint32_t kBase64NotInGroup = 0x01000000;

// The two characters of every 12-bit value.
struct Base64PairTable {
    char pairs[4096][2];
};

// value: the 6-bit value or a class; shifted[k]: the value in its place in a
// 24-bit group of four, or kBase64NotInGroup.
struct Base64DecodeTable {
    uint8_t value[256];
    uint32_t shifted[4][256];
};

constexpr Base64PairTable MakeBase64PairTable() {
    Base64PairTable table{};
    for (int v = 0; v < 4096; ++v) {
        table.pairs[v][0] = kBase64Alphabet[v >> 6];
        table.pairs[v][1] = kBase64Alphabet[v & 0x3F];
    }
    return table;
}

constexpr Base64DecodeTable MakeBase64DecodeTable() {
    Base64DecodeTable table{};
    for (int c = 0; c < 256; ++c) {
        table.value[c] = kBase64Skip;
    }
    table.value[static_cast<unsigned char>('=')] = kBase64Pad;
    for (int v = 0; v < 64; ++v) {
        table.value[static_cast<uint8_t>(kBase64Alphabet[v])] = static_cast<uint8_t>(v);
    }
    for (int c = 0; c < 256; ++c) {
        for (int k = 0; k < 4; ++k) {
            const uint8_t v = table.value[c];
            table.shifted[k][c] = v < 64 ? uint32_t{v} << (6 * (3 - k)) : kBase64NotInGroup;
        }
    }
    return table;
}

inline constexpr Base64PairTable kBase64Pairs = MakeBase64PairTable();
inline constexpr Base64DecodeTable kBase64Decode = MakeBase64DecodeTable();

}  // namespace vellumo
