#include <cstdio>

#include "host/version_info.h"

namespace vellumo {

std::string VersionQueryPath(std::uint32_t key, const std::string& entry) {
    char prefix[40];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%08lx\\",
                  static_cast<unsigned long>(key));
    return prefix + entry;
}

}  // namespace vellumo
