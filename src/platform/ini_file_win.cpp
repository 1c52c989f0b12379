#include "platform/ini_file.h"

#include <windows.h>

namespace vellumo {

std::string IniReadString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& path) {
    char buffer[kIniValueLimit + 1] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                             sizeof buffer, path.c_str());
    return buffer;
}

bool IniWriteString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           0;
}

}  // namespace vellumo
