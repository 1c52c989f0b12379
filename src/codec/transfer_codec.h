#pragma once
// The interface shared by every codec: the caller points `source` at its
// input, picks the direction, asks for the length bound, allocates, and runs
// the step. Codecs never fail, allocate nothing while working and stop at the
// capacity they are given; they write no terminating zero.

#include <cstdint>

namespace vellumo {

class TransferCodec {
  public:
    // Upper bound of what Encode writes for the current input.
    [[nodiscard]] virtual int32_t EncodedLength() const = 0;
    // Upper bound of what Decode writes for the current input.
    [[nodiscard]] virtual int32_t DecodedLength() const = 0;
    // Writes at most `capacity` bytes (none when capacity <= 0 or out is null);
    // returns the count written.
    virtual int32_t Encode(char* out, int32_t capacity) = 0;
    virtual int32_t Decode(char* out, int32_t capacity) = 0;

    virtual ~TransferCodec() = default;

    // The length and the step of the direction chosen by `encoding`.
    [[nodiscard]] int32_t Length() const { return encoding ? EncodedLength() : DecodedLength(); }
    int32_t Process(char* out, int32_t capacity) {
        return encoding ? Encode(out, capacity) : Decode(out, capacity);
    }

    const char* source = nullptr;  // not owned; must outlive the call
    int32_t sourceLength = 0;      // negative counts as 0
    bool encoding = false;         // true: EncodedLength/Encode; false: DecodedLength/Decode
    bool option = false;           // quoted-printable: binary mode; base64: line breaking
};

}  // namespace vellumo
