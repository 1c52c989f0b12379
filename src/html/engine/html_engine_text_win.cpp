#include "html/engine/html_engine_text_win.h"

#include <climits>

#include "charset/charset.h"

namespace vellumo {
namespace {

constexpr UINT kPassThroughCodePage = 28591;
constexpr UINT kNoCharsetCodePage = 1252;

bool FitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX);
}

bool MultiByteToWide(std::string_view text, UINT codePage, std::wstring* out) {
    out->clear();
    if (text.empty()) {
        return true;
    }
    if (!FitsInt(text.size())) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wide <= 0) {
        return false;
    }
    out->resize(static_cast<std::size_t>(wide));
    return MultiByteToWideChar(codePage, 0, text.data(), length, &(*out)[0], wide) == wide;
}

bool WideToMultiByte(std::wstring_view text, UINT codePage, std::string* out) {
    out->clear();
    if (text.empty()) {
        return true;
    }
    if (!FitsInt(text.size())) {
        return false;
    }
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf8 ? nullptr : "?";
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, fallback, nullptr);
    if (size <= 0) {
        return false;
    }
    out->resize(static_cast<std::size_t>(size));
    return WideCharToMultiByte(codePage, flags, text.data(), length, &(*out)[0], size, fallback,
                               nullptr) == size;
}

}  // namespace

UINT EngineCodePage(std::string_view charset) {
    if (charset.empty()) {
        return kNoCharsetCodePage;
    }
    const UINT codePage = WindowsCodePageForCharset(charset);
    return codePage != 0 && IsValidCodePage(codePage) ? codePage : kPassThroughCodePage;
}

bool DecodeCodePage(std::string_view text, UINT codePage, std::wstring* out) {
    return MultiByteToWide(text, codePage, out);
}

bool WideToUtf8(std::wstring_view text, std::string* out) {
    return WideToMultiByte(text, CP_UTF8, out);
}

bool Utf8ToWide(std::string_view text, std::wstring* out) {
    return MultiByteToWide(text, CP_UTF8, out);
}

bool EncodeCodePage(std::wstring_view text, UINT codePage, std::string* out) {
    return WideToMultiByte(text, codePage, out);
}

}  // namespace vellumo
