#include "host/settings.h"

#include <climits>
#include <cstdio>

#include "platform/ascii_class.h"
#include "platform/ini_file.h"

namespace vellumo {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

}  // namespace

std::string ReadSettingString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& path) {
    // Before start-up the path is empty; the profile functions would then
    // fall back to a file in the Windows folder.
    if (path.empty()) {
        return defaultValue.substr(0, kIniValueLimit);
    }
    return IniReadString(section, key, defaultValue, path);
}

std::int32_t ReadSettingInt(const std::string& section, const std::string& key,
                            std::int32_t defaultValue, const std::string& path) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(defaultValue));
    return ParseSettingInt(ReadSettingString(section, key, text, path));
}

void WriteSettingString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    if (!path.empty()) {
        (void)IniWriteString(section, key, value, path);
    }
}

void WriteSettingInt(const std::string& section, const std::string& key, std::int32_t value,
                     const std::string& path) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    WriteSettingString(section, key, text, path);
}

std::int32_t ParseSettingInt(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && IsAsciiDigit(text[at]); ++at) {
        // Saturate rather than overflow on absurdly long digit runs.
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<std::int32_t>(value);
}

std::string DefaultArchiveFolderFromConfig(const std::string& configFolder) {
    return ReplaceAll(configFolder, "Plugins", "HTML Messages\\");
}

std::string DefaultArchiveFolderFromSettingsPath(const std::string& settingsPath) {
    return ReplaceAll(settingsPath, "Plugins\\vellumo.ini", "HTML Messages\\");
}

}  // namespace vellumo
