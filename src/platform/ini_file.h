#pragma once
// INI access with the Windows profile functions' observable rules: sections
// and keys match without regard to ASCII case, a value is at most
// kIniValueLimit bytes, a missing file, section or key gives the default, and
// writing creates the file and keeps every other section, key and line.

#include <cstddef>
#include <string>

namespace vellumo {

inline constexpr size_t kIniValueLimit = 254;

std::string IniReadString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& path);
// False when the file could not be written.
bool IniWriteString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& path);

}  // namespace vellumo
