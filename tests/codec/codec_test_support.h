#pragma once
// Runs a codec the way the MIME model does (length first, then the step into
// a buffer of exactly that size) and checks that nothing is written past the
// capacity.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "codec/transfer_codec.h"

namespace vellumo::test {

constexpr int kGuardBytes = 16;
constexpr char kGuard = '\xA5';

// Runs the codec's chosen direction with the given capacity; fails the test
// when a guard byte behind the capacity changed or the count is out of range.
inline std::string RunWithCapacity(TransferCodec& codec, int32_t capacity) {
    std::vector<char> buffer(static_cast<size_t>(capacity) + kGuardBytes, kGuard);
    const int32_t written = codec.Process(buffer.data(), capacity);
    EXPECT_GE(written, 0);
    EXPECT_LE(written, capacity);
    for (int i = 0; i < kGuardBytes; ++i) {
        EXPECT_EQ(buffer[static_cast<size_t>(capacity) + i], kGuard) << "guard byte " << i;
    }
    const int32_t kept = written < 0 ? 0 : (written > capacity ? capacity : written);
    return std::string(buffer.data(), static_cast<size_t>(kept));
}

// Sizes with Length() as the MIME model does, then processes.
inline std::string Run(TransferCodec& codec, const std::string& input, bool encoding) {
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    codec.encoding = encoding;
    const int32_t length = codec.Length();
    EXPECT_GE(length, 0);
    return RunWithCapacity(codec, length < 0 ? 0 : length);
}

inline std::string EncodeAll(TransferCodec& codec, const std::string& input) {
    return Run(codec, input, true);
}

inline std::string DecodeAll(TransferCodec& codec, const std::string& input) {
    return Run(codec, input, false);
}

inline std::string RandomBytes(std::mt19937& random, size_t length, const std::string& alphabet) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        if (alphabet.empty()) {
            byte = static_cast<char>(random() & 0xFF);
        } else {
            byte = alphabet[random() % alphabet.size()];
        }
    }
    return bytes;
}

// The longest line between CR LF pairs.
inline size_t LongestLine(const std::string& text) {
    size_t longest = 0;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        const size_t line = (end == std::string::npos ? text.size() : end) - start;
        longest = line > longest ? line : longest;
        if (end == std::string::npos) {
            return longest;
        }
        start = end + 2;
    }
}

}  // namespace vellumo::test
