#include "charset/system_code_page.h"
#include "charset/unicode_text.h"

namespace vellumo {

size_t SystemCharLength(const char* text, size_t available) {
    const Utf8Read read = ReadUtf8(std::string_view(text, available), 0);
    return read.status == Utf8Status::kValid ? read.length : 1;
}

// The system code page is UTF-8 here.
std::string ConvertToSystemCodePage(const std::string& text, const std::string& charset) {
    return charset.empty() ? text : DecodeCharsetText(text, charset);
}

}  // namespace vellumo
