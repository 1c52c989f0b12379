#include "translate/safe_file_name.h"

#include <cstring>

#include "platform/char_test.h"
#include "platform/ascii_case.h"
#include "translate/system_code_page.h"

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
    if (trimmed.size() != 4 || trimmed[3] < '1' || trimmed[3] > '9') {
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
