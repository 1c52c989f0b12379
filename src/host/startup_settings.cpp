#include "host/startup_settings.h"

#include "host/plugin_state.h"
#include "host/settings.h"

namespace vellumo {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "C:\" and "\" name a root: without the separator they would name the
// drive's current folder, or nothing.
bool IsRoot(const std::string& folder) {
    return folder.size() == 1 || (folder.size() == 3 && folder[1] == ':');
}

}  // namespace

ConfigPaths ConfigPathsOf(const std::string& configFolder) {
    ConfigPaths paths;
    paths.folder = configFolder;
    while (!paths.folder.empty() && IsSeparator(paths.folder.back()) && !IsRoot(paths.folder)) {
        paths.folder.pop_back();
    }
    if (!paths.folder.empty()) {
        const bool endsInSeparator = IsSeparator(paths.folder.back());
        paths.settingsFile = paths.folder + (endsInSeparator ? "" : "\\") + "vellumo.ini";
    }
    return paths;
}

SettingsRecord StartFromConfigFolder(const std::string& configFolder) {
    const ConfigPaths paths = ConfigPathsOf(configFolder);
    ConfigFolder = paths.folder;
    SettingsFilePath = paths.settingsFile;
    const SettingsRecord settings =
        LoadSettings(SettingsFilePath, DefaultArchiveFolderFromConfig(ConfigFolder));
    SleepValue = settings.sleep;
    // Without a configuration folder saved HTML would land in whatever
    // folder the process happens to run in.
    SaveHTMLMessagesValue = ConfigFolder.empty() ? 0 : settings.saveHtmlMessages;
    HtmlEngineValue = settings.htmlEngine;
    ReadingAidsValue = settings.readingAids;
    WrapWidthValue = settings.wrapWidth;
    return settings;
}

}  // namespace vellumo
