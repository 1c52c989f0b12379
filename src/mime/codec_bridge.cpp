#include "mime/codec_bridge.h"

#include "codec/header_codec_registry.h"
#include "codec/transfer_codec_registry.h"

namespace vellumo {

namespace {

// Runs the encoder with the room that is left: each codec stops at its
// capacity by its own rules (an escape that does not fit is dropped, padding
// or a final CR LF that does not fit is left out) and never writes past it.
int EncodeWithin(TransferCodec& codec, char* out, int capacity) {
    const int32_t written = codec.Encode(out, capacity);
    return written < 0 ? 0 : (written > capacity ? capacity : written);
}

int ClampCount(int32_t count, int capacity) {
    if (count < 0) {
        return 0;
    }
    return count > capacity ? capacity : count;
}

std::unique_ptr<HeaderFieldCodec> HeaderCodecFor(const std::string& fieldName, const char* source,
                                                 size_t length, bool encoding) {
    std::unique_ptr<HeaderFieldCodec> codec = CreateHeaderCodec(std::string_view(fieldName));
    codec->source = source;
    codec->sourceLength = static_cast<int32_t>(length);
    codec->encoding = encoding;
    return codec;
}

std::unique_ptr<TransferCodec> BodyCodecFor(const std::string& encodingName, const char* source,
                                            int length, bool encoding) {
    std::unique_ptr<TransferCodec> codec = CreateTransferCodec(std::string_view(encodingName));
    codec->source = source;
    codec->sourceLength = source != nullptr && length > 0 ? length : 0;
    codec->encoding = encoding;
    return codec;
}

}  // namespace

void DecodeHeaderValue(const std::string& fieldName, const char* raw, int rawLength,
                       std::string& value, std::string& charset) {
    const size_t length = raw != nullptr && rawLength > 0 ? static_cast<size_t>(rawLength) : 0;
    std::unique_ptr<HeaderFieldCodec> codec = HeaderCodecFor(fieldName, raw, length, false);
    const int32_t bound = codec->DecodedLength();
    value.resize(bound > 0 ? static_cast<size_t>(bound) : 0);
    const int written = ClampCount(codec->Decode(value.data(), bound), bound > 0 ? bound : 0);
    value.resize(static_cast<size_t>(written));
    charset = codec->charset;
}

int64_t HeaderValueEncodedLength(const std::string& fieldName, const std::string& value,
                                 const std::string& charset) {
    std::unique_ptr<HeaderFieldCodec> codec =
        HeaderCodecFor(fieldName, value.data(), value.size(), true);
    codec->charset = charset;
    const int32_t bound = codec->EncodedLength();
    return bound > 0 ? bound : 0;
}

int EncodeHeaderValue(const std::string& fieldName, const std::string& value,
                      const std::string& charset, char* out, int capacity) {
    if (out == nullptr || capacity <= 0) {
        return 0;
    }
    std::unique_ptr<HeaderFieldCodec> codec =
        HeaderCodecFor(fieldName, value.data(), value.size(), true);
    codec->charset = charset;
    return EncodeWithin(*codec, out, capacity);
}

bool DecodeBody(const std::string& encodingName, const char* raw, int rawLength, BodyBuffer& body) {
    std::unique_ptr<TransferCodec> codec = BodyCodecFor(encodingName, raw, rawLength, false);
    const int32_t bound = codec->DecodedLength() > 0 ? codec->DecodedLength() : 0;
    if (!body.Allocate(static_cast<size_t>(bound))) {
        return false;
    }
    const int written = ClampCount(codec->Decode(body.data(), bound), bound);
    body.SetLength(static_cast<size_t>(written));
    return true;
}

int64_t BodyEncodedLength(const std::string& encodingName, const char* body, int bodyLength) {
    std::unique_ptr<TransferCodec> codec = BodyCodecFor(encodingName, body, bodyLength, true);
    const int32_t bound = codec->EncodedLength();
    return bound > 0 ? bound : 0;
}

int EncodeBody(const std::string& encodingName, const char* body, int bodyLength, char* out,
               int capacity) {
    if (out == nullptr || capacity <= 0) {
        return 0;
    }
    std::unique_ptr<TransferCodec> codec = BodyCodecFor(encodingName, body, bodyLength, true);
    return EncodeWithin(*codec, out, capacity);
}

}  // namespace vellumo
