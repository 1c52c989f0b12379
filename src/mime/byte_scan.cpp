#include "mime/byte_scan.h"

#include "platform/ascii_case.h"
#include "platform/byte_search.h"

namespace vellumo {

ptrdiff_t FindCrLf(const char* text, ptrdiff_t length) {
    if (length <= 0) {
        return -1;
    }
    size_t at = FindBytes(std::string_view(text, static_cast<size_t>(length)), "\r\n");
    return at == std::string_view::npos ? -1 : static_cast<ptrdiff_t>(at);
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
