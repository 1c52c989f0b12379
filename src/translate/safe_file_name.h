#pragma once
// File-name stems made from message subjects.

#include <cstddef>
#include <string>

namespace vellumo {

inline constexpr size_t kMaxSafeFileNameLength = 255;
inline constexpr const char* kEmptySafeFileName = "file";

// The text made fit for a file name, walked by whole characters of the
// system code page: letters and digits stay; the eleven characters
// \ / : * ? ! " ' < > | and control bytes (below 0x20, and 0x7F) are
// dropped; anything else stays. At most kMaxSafeFileNameLength bytes,
// cut at a character boundary; "file" when nothing remains. A result whose
// part before its first dot is a Windows device name (CON, NUL, COM1, ...)
// gets an underscore after that name, so it names a plain file.
std::string MakeSafeFileName(const std::string& text);

// True when the name, ignoring ASCII case and trailing blanks, is one of
// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 (superscript 1-3 count as digits).
[[nodiscard]] bool IsWindowsDeviceName(const std::string& name);

}  // namespace vellumo
