#include <windows.h>

#include "charset/system_code_page.h"

namespace vellumo {
namespace {

// Widens the text from its code page; empty when the system cannot.
std::wstring Widen(const std::string& text, unsigned codePage) {
    if (text.empty() || text.size() > 0x7FFFFFFF) {
        return std::wstring();
    }
    int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// Appends one UTF-16 character (one or two units) in the ANSI code page, or
// nothing when it has no exact form there.
void AppendAnsiCharacter(std::string& out, const wchar_t* units, int count) {
    char bytes[8];
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, bytes,
                                      sizeof bytes, nullptr, &usedDefault);
    if (written > 0 && !usedDefault) {
        out.append(bytes, static_cast<size_t>(written));
    }
}

}  // namespace

size_t SystemCharLength(const char* text, size_t available) {
    return available >= 2 && IsDBCSLeadByte(static_cast<BYTE>(text[0])) ? 2 : 1;
}

std::string ConvertToSystemCodePage(const std::string& text, const std::string& charset) {
    if (charset.empty()) {
        return text;
    }
    // Read with the charset layer's decoders, which know every charset a
    // browser reads, then narrowed to the ANSI code page.
    std::wstring wide = Widen(DecodeCharsetText(text, charset), CP_UTF8);
    std::string out;
    for (size_t at = 0; at < wide.size();) {
        bool pair = at + 1 < wide.size() && wide[at] >= 0xD800 && wide[at] <= 0xDBFF;
        int count = pair ? 2 : 1;
        AppendAnsiCharacter(out, wide.data() + at, count);
        at += static_cast<size_t>(count);
    }
    return out;
}

}  // namespace vellumo
