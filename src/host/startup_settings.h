#pragma once
// Start-up: what a configuration folder gives the translators. The plug-in
// runs it when the mail client names its folder; vellumo-translate runs it
// for --config-dir, so both read the settings file by the same rules.

#include <string>

#include "host/settings_record.h"

namespace vellumo {

// The configuration folder without trailing separators (a drive's root
// keeps its own, "C:\" stays), and the settings file inside it; both
// empty for an empty folder.
struct ConfigPaths {
    std::string folder;
    std::string settingsFile;
};
[[nodiscard]] ConfigPaths ConfigPathsOf(const std::string& configFolder);

// Fixes ConfigFolder and SettingsFilePath and reads the settings held in
// memory (plugin_state.h): Sleep, SaveHTMLMessages, HTMLEngine, ReadingAids
// and WrapWidth. Without a folder nothing is saved, since there is no
// archive folder either. Returns the settings read, the archive folder
// with the default the archive derives (it reads folder and extension
// again at each saved message).
SettingsRecord StartFromConfigFolder(const std::string& configFolder);

}  // namespace vellumo
