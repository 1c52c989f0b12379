#include "host/settings_record.h"

#include "host/settings.h"

namespace vellumo {

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
    return settings;
}

void SaveSettings(const SettingsRecord& settings, const std::string& path) {
    WriteSettingInt(kOptionsSection, kSleepKey, settings.sleep, path);
    WriteSettingInt(kOptionsSection, kSaveHtmlKey, settings.saveHtmlMessages, path);
    WriteSettingString(kOptionsSection, kHtmlPathKey, settings.htmlMessagesPath, path);
    WriteSettingString(kOptionsSection, kExtensionKey, settings.extension, path);
    const SettingsRecord defaults;
    if (ReadSettingInt(kOptionsSection, kHtmlEngineKey, defaults.htmlEngine, path) !=
        settings.htmlEngine) {
        WriteSettingInt(kOptionsSection, kHtmlEngineKey, settings.htmlEngine, path);
    }
}

}  // namespace vellumo
