#pragma once
// Process-wide state of the plug-in. Every entry point runs on the host's
// user-interface thread, one call at a time, so nothing here is locked.

#include <cstdint>
#include <string>

namespace vellumo {

extern std::uint16_t HostApiVersion;
extern std::string ConfigFolder;
extern std::string SettingsFilePath;
extern std::string ModuleFilePath;
extern std::string ProductNameText;
extern std::string VersionText;
// Raw headers of the last offered message's own header (IsMessageHeader);
// a nested part's offer leaves them as they are.
extern std::string CapturedHeaders;
// The "Sleep" and "SaveHTMLMessages" values, read at start-up and replaced by
// the settings dialog.
extern std::int32_t SleepValue;
extern std::int32_t SaveHTMLMessagesValue;
// The "HTMLEngine" value, read at start-up only: 1 lets translator 2 ask the
// system HTML engine before the built-in renderer.
extern std::int32_t HtmlEngineValue;

}  // namespace vellumo
