#include "host/plugin_state.h"

namespace vellumo {

std::uint16_t HostApiVersion = 0;
std::string ConfigFolder;
std::string SettingsFilePath;
std::string ModuleFilePath;
std::string ProductNameText;
std::string VersionText;
std::string CapturedHeaders;
std::int32_t HostInputTailLineEnds = 0;
std::int32_t SleepValue = 0;
std::int32_t SaveHTMLMessagesValue = 0;
std::int32_t HtmlEngineValue = 0;
std::int32_t ReadingAidsValue = 0;
std::int32_t WrapWidthValue = 0;

}  // namespace vellumo
