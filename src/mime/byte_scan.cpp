#include "mime/byte_scan.h"

#include <cstring>

#include "platform/ascii_case.h"

namespace vellumo {

ptrdiff_t FindCrLf(const char* text, ptrdiff_t length) {
    return FindBytes(text, length, "\r\n", 2);
}

// memchr on the needle's first byte keeps the search fast on long bodies: in
// base64 and quoted-printable text a CR occurs only once per line.
ptrdiff_t FindBytes(const char* text, ptrdiff_t length, const char* needle,
                    ptrdiff_t needleLength) {
    if (needleLength <= 0 || length < needleLength) {
        return -1;
    }
    const ptrdiff_t lastStart = length - needleLength;
    ptrdiff_t position = 0;
    while (position <= lastStart) {
        const void* hit =
            std::memchr(text + position, needle[0], static_cast<size_t>(lastStart - position + 1));
        if (hit == nullptr) {
            return -1;
        }
        const ptrdiff_t at = static_cast<const char*>(hit) - text;
        if (std::memcmp(text + at + 1, needle + 1, static_cast<size_t>(needleLength - 1)) == 0) {
            return at;
        }
        position = at + 1;
    }
    return -1;
}

bool EqualsIgnoringAsciiCase(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace vellumo
