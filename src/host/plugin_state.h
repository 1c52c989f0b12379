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
// The line ends the host's input file carries after the offered entity's own
// bytes: 2 for a nested part (the line end of its parent's next delimiter
// and the host's extra CR LF), 1 for the message itself (the extra CR LF), 0
// when the input does not come from the host (the command-line tools). Set
// by the host's acceptance call, ems_can_translate (HostInputTailFor).
extern std::int32_t HostInputTailLineEnds;
// The "Sleep" and "SaveHTMLMessages" values, read at start-up and replaced by
// the settings dialog.
extern std::int32_t SleepValue;
extern std::int32_t SaveHTMLMessagesValue;
// The "HTMLEngine" value, read at start-up only: 1 lets translator 2 ask the
// system HTML engine before the built-in renderer.
extern std::int32_t HtmlEngineValue;
// The "ReadingAids" and "WrapWidth" values, read at start-up only: reading
// aids in translator 2's text when ReadingAids is 1, and lines broken at
// WrapWidth characters when it is above 0.
extern std::int32_t ReadingAidsValue;
extern std::int32_t WrapWidthValue;

}  // namespace vellumo
