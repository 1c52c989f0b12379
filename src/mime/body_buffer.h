#pragma once
// The decoded body of a MIME part: an owned byte buffer with an explicit
// length, always followed by a NUL that the length does not count.

#include <cstddef>

namespace vellumo {

class BodyBuffer {
  public:
    BodyBuffer() = default;
    ~BodyBuffer() { Release(); }
    BodyBuffer(const BodyBuffer&) = delete;
    BodyBuffer& operator=(const BodyBuffer&) = delete;
    BodyBuffer(BodyBuffer&& other) noexcept;
    BodyBuffer& operator=(BodyBuffer&& other) noexcept;

    // Replaces the buffer by an uninitialised one of capacity bytes plus the
    // spare bytes the decoders are promised. False (and no buffer) when the
    // memory cannot be had.
    [[nodiscard]] bool Allocate(size_t capacity);
    // Fixes the length after writing into data() (at most the capacity), puts
    // the NUL after it and gives back a large unused tail.
    void SetLength(size_t length);
    // Copies bytes into a new buffer; false when the memory cannot be had.
    [[nodiscard]] bool Assign(const char* bytes, size_t length);
    void Release();

    [[nodiscard]] bool HasBuffer() const { return data_ != nullptr; }
    [[nodiscard]] char* data() { return data_; }
    [[nodiscard]] const char* data() const { return data_; }
    [[nodiscard]] size_t size() const { return length_; }

    // Room after the decoded bytes that every allocation carries.
    static constexpr size_t kSpareBytes = 4;

  private:
    char* data_ = nullptr;
    size_t length_ = 0;
    size_t capacity_ = 0;
};

}  // namespace vellumo
