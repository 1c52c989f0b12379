#pragma once
// Path tests shared by the archive and the settings dialog. Paths shorter
// than kMinimumTestedPathLength are answered false without a look at the disk:
// nothing that short can name an archive folder or file.

#include <cstddef>
#include <string>

namespace vellumo {

inline constexpr size_t kMinimumTestedPathLength = 4;

// True when a file or folder of exactly this name exists. Wildcards are not
// expanded: "a*" never matches a file named "ab".
[[nodiscard]] bool FileExists(const std::string& path);
// True when the path names an existing folder.
[[nodiscard]] bool FolderExists(const std::string& path);

}  // namespace vellumo
