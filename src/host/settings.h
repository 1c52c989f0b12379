#pragma once
// The settings file: section "Options" of vellumo.ini beside the plug-in,
// key by key. SettingsRecord (settings_record.h) reads and writes them all.

#include <cstdint>
#include <string>

namespace vellumo {

inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kSleepKey = "Sleep";
inline constexpr const char* kSaveHtmlKey = "SaveHTMLMessages";
inline constexpr const char* kHtmlPathKey = "HTMLMessagesPath";
inline constexpr const char* kExtensionKey = "Extension";
// 1: translator 2 asks the system HTML engine first (not in the dialog).
inline constexpr const char* kHtmlEngineKey = "HTMLEngine";
// 1: translator 2's text carries reading aids (not in the dialog).
inline constexpr const char* kReadingAidsKey = "ReadingAids";
// Above 0: translator 2's lines are broken at that width (not in the dialog).
inline constexpr const char* kWrapWidthKey = "WrapWidth";

// The value, at most 254 characters; the default when the file, section or key is missing.
std::string ReadSettingString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& path);
// The value read as a decimal integer (blanks skipped, optional sign, digits
// up to the first non-digit); text without leading digits gives 0.
std::int32_t ReadSettingInt(const std::string& section, const std::string& key,
                            std::int32_t defaultValue, const std::string& path);
// Writes are best effort: a refused write is ignored.
void WriteSettingString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);
void WriteSettingInt(const std::string& section, const std::string& key, std::int32_t value,
                     const std::string& path);

// The integer rule of ReadSettingInt applied to a text.
std::int32_t ParseSettingInt(const std::string& text);

// Archive folder default as the archive derives it: the configuration folder
// with every "Plugins" replaced by "HTML Messages\".
std::string DefaultArchiveFolderFromConfig(const std::string& configFolder);
// Archive folder default as the settings dialog derives it: the settings file
// path with "Plugins\vellumo.ini" replaced by "HTML Messages\".
std::string DefaultArchiveFolderFromSettingsPath(const std::string& settingsPath);

}  // namespace vellumo
