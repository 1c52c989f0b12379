#pragma once
// The MIME model's calls into the codecs: header values through the header
// field codec chosen by field name, bodies through the transfer codec chosen
// by the Content-Transfer-Encoding name. Length results are 64-bit so that
// callers can add them up without overflow.

#include <cstdint>
#include <string>
#include <string_view>

#include "mime/body_buffer.h"

namespace vellumo {

// Decodes a raw header value; value and charset are replaced.
void DecodeHeaderValue(const std::string& fieldName, const char* raw, int rawLength,
                       std::string& value, std::string& charset);
// Upper bound of EncodeHeaderValue's output.
[[nodiscard]] int64_t HeaderValueEncodedLength(const std::string& fieldName,
                                               const std::string& value,
                                               const std::string& charset);
// Encodes a value (folding and encoded words as its kind of field wants),
// truncated at capacity; returns the bytes written.
[[nodiscard]] int EncodeHeaderValue(const std::string& fieldName, const std::string& value,
                                    const std::string& charset, char* out, int capacity);

// Decodes a raw body into a new buffer sized by the codec's length bound.
// False (body released) when that buffer cannot be allocated.
[[nodiscard]] bool DecodeBody(const std::string& encodingName, const char* raw, int rawLength,
                              BodyBuffer& body);
// Upper bound of EncodeBody's output.
[[nodiscard]] int64_t BodyEncodedLength(const std::string& encodingName, const char* body,
                                        int bodyLength);
// Encodes a decoded body, truncated at capacity; returns the bytes written.
[[nodiscard]] int EncodeBody(const std::string& encodingName, const char* body, int bodyLength,
                             char* out, int capacity);

}  // namespace vellumo
