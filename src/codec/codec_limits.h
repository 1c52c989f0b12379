#pragma once
// Small helpers that keep every codec inside its input and its capacity.

#include <cstdint>
#include <cstring>
#include <limits>

namespace vellumo {

// A usable count: negative counts and null buffers count as 0.
[[nodiscard]] inline int32_t ClampedLength(int32_t length) {
    return length > 0 ? length : 0;
}

[[nodiscard]] inline int32_t UsableLength(const void* data, int32_t length) {
    return data != nullptr && length > 0 ? length : 0;
}

// Length bounds are computed in 64 bits and saturate, so a huge input never
// yields a negative or wrapped size.
[[nodiscard]] inline int32_t SaturatedLength(int64_t length) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(length < 0 ? 0 : (length > kMax ? kMax : length));
}

// Copies min(length, capacity) bytes; returns that count.
inline int32_t CopyBytes(const char* in, int32_t length, char* out, int32_t capacity) {
    const int32_t count = UsableLength(in, length) < UsableLength(out, capacity)
                              ? UsableLength(in, length)
                              : UsableLength(out, capacity);
    if (count > 0) {
        std::memcpy(out, in, static_cast<size_t>(count));
    }
    return count;
}

}  // namespace vellumo
