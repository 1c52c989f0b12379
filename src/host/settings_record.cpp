#include "host/settings_record.h"

#include "host/settings.h"

namespace vellumo {
namespace {

// A key that no dialog shows: written only when the value differs from what
// the file gives (its default when missing).
void WriteIfChanged(const char* key, std::int32_t value, const std::string& path) {
    if (ReadSettingInt(kOptionsSection, key, 0, path) != value) {
        WriteSettingInt(kOptionsSection, key, value, path);
    }
}

}  // namespace

SettingsRecord LoadSettings(const std::string& path, const std::string& defaultFolder) {
    const SettingsRecord defaults;
    SettingsRecord settings;
    settings.sleep = ReadSettingInt(kOptionsSection, kSleepKey, defaults.sleep, path);
    settings.saveHtmlMessages =
        ReadSettingInt(kOptionsSection, kSaveHtmlKey, defaults.saveHtmlMessages, path);
    settings.htmlMessagesPath =
        ReadSettingString(kOptionsSection, kHtmlPathKey, defaultFolder, path);
    settings.extension =
        ReadSettingString(kOptionsSection, kExtensionKey, defaults.extension, path);
    settings.htmlEngine =
        ReadSettingInt(kOptionsSection, kHtmlEngineKey, defaults.htmlEngine, path);
    settings.readingAids =
        ReadSettingInt(kOptionsSection, kReadingAidsKey, defaults.readingAids, path);
    settings.wrapWidth = ReadSettingInt(kOptionsSection, kWrapWidthKey, defaults.wrapWidth, path);
    return settings;
}

void SaveSettings(const SettingsRecord& settings, const std::string& path) {
    WriteSettingInt(kOptionsSection, kSleepKey, settings.sleep, path);
    WriteSettingInt(kOptionsSection, kSaveHtmlKey, settings.saveHtmlMessages, path);
    WriteSettingString(kOptionsSection, kHtmlPathKey, settings.htmlMessagesPath, path);
    WriteSettingString(kOptionsSection, kExtensionKey, settings.extension, path);
    WriteIfChanged(kHtmlEngineKey, settings.htmlEngine, path);
    WriteIfChanged(kReadingAidsKey, settings.readingAids, path);
    WriteIfChanged(kWrapWidthKey, settings.wrapWidth, path);
}

}  // namespace vellumo
