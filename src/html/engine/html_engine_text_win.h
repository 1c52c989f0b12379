// The text conversions around the MSHTML engine: the message's bytes to
// UTF-16 and UTF-8, and the engine's UTF-16 text back to the message's
// charset. Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vellumo {

// The code page the engine path reads and writes `charset` in: the one
// Windows knows for it when installed; windows-1252 for no charset, as the
// built-in renderer takes it; otherwise 28591, which passes every byte
// through unchanged (the ANSI code page would turn mail in an unknown
// charset into another text on Chinese, Japanese and Korean systems).
[[nodiscard]] UINT EngineCodePage(std::string_view charset);

// `text` in `codePage` as UTF-16. False when Windows refuses the conversion.
[[nodiscard]] bool DecodeCodePage(std::string_view text, UINT codePage, std::wstring* out);

// UTF-16 to UTF-8 and back. False when Windows refuses the conversion.
[[nodiscard]] bool WideToUtf8(std::wstring_view text, std::string* out);
[[nodiscard]] bool Utf8ToWide(std::string_view text, std::wstring* out);

// `text` in `codePage` with no best-fit mapping: what the code page cannot
// hold becomes "?" (UTF-8 holds everything). False when Windows refuses
// the conversion, as it does for code pages that take no flags.
[[nodiscard]] bool EncodeCodePage(std::wstring_view text, UINT codePage, std::string* out);

}  // namespace vellumo
