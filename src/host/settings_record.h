#pragma once
// The settings of vellumo.ini as one record: loaded whole, saved whole.

#include <cstdint>
#include <string>

namespace vellumo {

inline constexpr const char* kDefaultExtension = "eml";

// Each member starts at the default a missing key gives.
struct SettingsRecord {
    std::int32_t sleep = 0;             // "Sleep": anything but 0 leaves every message alone
    std::int32_t saveHtmlMessages = 1;  // "SaveHTMLMessages": exactly 1 saves the HTML
    std::string htmlMessagesPath;       // "HTMLMessagesPath": the archive folder
    std::string extension = kDefaultExtension;  // "Extension": without the dot
    std::int32_t htmlEngine = 0;                // "HTMLEngine": 1 allows the Windows engine
    std::int32_t readingAids = 0;               // "ReadingAids": 1 adds reading aids to the text
    std::int32_t wrapWidth = 0;                 // "WrapWidth": above 0 breaks longer lines
};

// The settings in the file at `path`; a missing file, section or key gives
// that member's default, and the folder defaults to `defaultFolder`. An
// empty path reads no file and gives every default.
[[nodiscard]] SettingsRecord LoadSettings(const std::string& path,
                                          const std::string& defaultFolder);

// Writes Sleep, SaveHTMLMessages, HTMLMessagesPath and Extension in that
// order (keys already in the file keep their place, other keys and sections
// are kept). HTMLEngine, ReadingAids and WrapWidth, which no dialog shows,
// are written only when they differ from what the file gives, so a file
// without them stays without them.
// Best effort: a refused write is ignored; an empty path writes nothing.
void SaveSettings(const SettingsRecord& settings, const std::string& path);

}  // namespace vellumo
