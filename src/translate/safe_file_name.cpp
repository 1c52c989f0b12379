#include "translate/safe_file_name.h"

#include <cstring>

#include "charset/system_code_page.h"
#include "platform/ascii_case.h"
#include "platform/char_test.h"

namespace vellumo {
namespace {

constexpr const char* kDroppedCharacters = "\\/:*?!\"'<>|";
constexpr const char* kDeviceNames[] = {"CON", "PRN", "AUX", "NUL"};
constexpr const char* kNumberedDeviceNames[] = {"COM", "LPT"};

bool IsDroppedByte(unsigned char byte) {
    if (byte < 0x20 || byte == 0x7F) {
        return true;
    }
    return byte != 0 && std::strchr(kDroppedCharacters, byte) != nullptr;
}

// 1 to 9, and the superscript digits 1, 2 and 3 of the Latin-1 code pages,
// which Windows takes as port numbers too.
bool IsPortDigit(unsigned char byte) {
    return (byte >= '1' && byte <= '9') || byte == 0xB9 || byte == 0xB2 || byte == 0xB3;
}

std::string CleanCharacters(const std::string& text) {
    std::string result;
    size_t at = 0;
    while (at < text.size()) {
        size_t length = SystemCharLength(text.data() + at, text.size() - at);
        auto byte = static_cast<unsigned char>(text[at]);
        // A multi-byte character is kept whole: its trail byte may look
        // like a backslash in a double-byte code page.
        if (length > 1 || IsAlphaNumericByte(byte) || !IsDroppedByte(byte)) {
            result.append(text, at, length);
        }
        at += length;
    }
    return result;
}

}  // namespace

bool IsWindowsDeviceName(const std::string& name) {
    size_t end = name.find_last_not_of(' ');
    std::string trimmed = end == std::string::npos ? std::string() : name.substr(0, end + 1);
    for (const char* device : kDeviceNames) {
        if (EqualsIgnoringAsciiCase(trimmed, device)) {
            return true;
        }
    }
    if (trimmed.size() != 4 || !IsPortDigit(static_cast<unsigned char>(trimmed[3]))) {
        return false;
    }
    for (const char* device : kNumberedDeviceNames) {
        if (EqualsIgnoringAsciiCase(trimmed.substr(0, 3), device)) {
            return true;
        }
    }
    return false;
}

std::string MakeSafeFileName(const std::string& text) {
    std::string result = CutToWholeCharacters(CleanCharacters(text), kMaxSafeFileNameLength);
    if (result.empty()) {
        return kEmptySafeFileName;
    }
    size_t dot = result.find('.');
    size_t stemEnd = dot == std::string::npos ? result.size() : dot;
    if (IsWindowsDeviceName(result.substr(0, stemEnd))) {
        result.insert(stemEnd, "_");
        result = CutToWholeCharacters(result, kMaxSafeFileNameLength);
    }
    return result;
}

}  // namespace vellumo
