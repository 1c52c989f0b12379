#include "host/version_text.h"

#include <cstdio>

#include "host/settings.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

// Reads "%d" at position: blanks, optional sign, digits. False when no digit.
bool ReadNumber(const std::string& text, size_t& at, int& number) {
    size_t start = at;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) {
        ++at;
    }
    size_t sign = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    size_t digits = at;
    while (at < text.size() && IsAsciiDigit(text[at])) {
        ++at;
    }
    if (at == digits) {
        at = start;
        return false;
    }
    number = ParseSettingInt(text.substr(sign, at - sign));
    return true;
}

}  // namespace

std::string MakeVersionText(const std::string& productVersion) {
    int numbers[4] = {0, 0, 0, 0};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        if (!ReadNumber(productVersion, at, numbers[i])) {
            break;
        }
        if (i < 3) {
            if (at >= productVersion.size() || productVersion[at] != ',') {
                break;
            }
            ++at;
        }
    }
    char text[64];
    std::snprintf(text, sizeof text, "Version: %d.%d.%d.%d", numbers[0], numbers[1], numbers[2],
                  numbers[3]);
    return text;
}

std::string MakePluginDescription(const std::string& productName, const std::string& versionText) {
    return productName + ", " + versionText;
}

}  // namespace vellumo
