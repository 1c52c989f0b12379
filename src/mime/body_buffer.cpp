#include "mime/body_buffer.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace vellumo {

namespace {

// A decoder's length is only an upper bound (base64 counts its line breaks,
// quoted-printable text shrinks by up to two thirds); unused tails larger
// than this go back to the heap, so the model holds little more than the
// decoded bodies.
constexpr size_t kShrinkThreshold = 4096;

}  // namespace

BodyBuffer::BodyBuffer(BodyBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      length_(std::exchange(other.length_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

BodyBuffer& BodyBuffer::operator=(BodyBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        length_ = std::exchange(other.length_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

bool BodyBuffer::Allocate(size_t capacity) {
    Release();
    if (capacity > static_cast<size_t>(-1) - kSpareBytes) {
        return false;
    }
    data_ = static_cast<char*>(std::malloc(capacity + kSpareBytes));
    if (data_ == nullptr) {
        return false;
    }
    capacity_ = capacity;
    data_[0] = '\0';
    return true;
}

void BodyBuffer::SetLength(size_t length) {
    if (data_ == nullptr) {
        return;
    }
    length_ = length < capacity_ ? length : capacity_;
    if (capacity_ - length_ > kShrinkThreshold) {
        void* smaller = std::realloc(data_, length_ + kSpareBytes);
        if (smaller != nullptr) {
            data_ = static_cast<char*>(smaller);
            capacity_ = length_;
        }
    }
    data_[length_] = '\0';
}

bool BodyBuffer::Assign(const char* bytes, size_t length) {
    if (!Allocate(length)) {
        return false;
    }
    if (length > 0) {
        std::memcpy(data_, bytes, length);
    }
    SetLength(length);
    return true;
}

void BodyBuffer::Release() {
    std::free(data_);
    data_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

}  // namespace vellumo
