#include "saved_attachment.h"

#include "codec/base64_codec.h"
#include "codec/quoted_printable_codec.h"
#include "mailclient/offered_entity.h"
#include "platform/ascii_case.h"

namespace emshost {

std::string PutBackAttachment(const std::string& output) {
    vellumo::OfferedEntity entity = vellumo::ReadOfferedEntity(output);
    std::string body(entity.body);
    std::string decoded(body.size() + 4, '\0');
    int32_t length = static_cast<int32_t>(body.size());
    int32_t written;
    if (vellumo::EqualsIgnoringAsciiCase(entity.transferEncoding, "base64")) {
        written = vellumo::DecodeBase64(body.data(), length, &decoded[0], length);
    } else if (vellumo::EqualsIgnoringAsciiCase(entity.transferEncoding, "quoted-printable")) {
        written = vellumo::DecodeQuotedPrintable(body.data(), length, &decoded[0], length, false);
    } else {
        return body;
    }
    decoded.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return decoded;
}

}  // namespace emshost
