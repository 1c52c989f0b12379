#include "codec/char_class.h"

namespace vellumo {

namespace {

constexpr uint8_t C = CC_CONTROL;
constexpr uint8_t W = CC_CONTROL | CC_SPACE;  // HT to CR
constexpr uint8_t S = CC_SPACE;
constexpr uint8_t A = CC_ALNUM;
constexpr uint8_t H = CC_ALNUM | CC_HEXUPPER;
constexpr uint8_t P = CC_PUNCT;
constexpr uint8_t X = CC_PUNCT | CC_SPECIAL;

}  // namespace

// clang-format off
const uint8_t CharClassTable[kCharClassTableSize] = {
    C, C, C, C, C, C, C, C, C, W, W, W, W, W, C, C,  // 0x00
    C, C, C, C, C, C, C, C, C, C, C, C, C, C, C, C,  // 0x10
    S, P, X, P, P, P, P, P, X, X, P, P, X, P, X, P,  // 0x20  ! " # $ % & ' ( ) * + , - . /
    H, H, H, H, H, H, H, H, H, H, X, X, X, X, X, P,  // 0x30  0-9 : ; < = > ?
    X, H, H, H, H, H, H, A, A, A, A, A, A, A, A, A,  // 0x40  @ A-O
    A, A, A, A, A, A, A, A, A, A, A, X, X, X, P, P,  // 0x50  P-Z [ \ ] ^ _
    P, A, A, A, A, A, A, A, A, A, A, A, A, A, A, A,  // 0x60  ` a-o
    A, A, A, A, A, A, A, A, A, A, A, P, P, P, P, C,  // 0x70  p-z { | } ~ DEL
};
// clang-format on

}  // namespace vellumo
