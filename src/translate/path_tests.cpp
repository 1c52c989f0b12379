#include "translate/path_tests.h"

#include "platform/files.h"

namespace vellumo {

bool FileExists(const std::string& path) {
    return path.size() >= kMinimumTestedPathLength && PathExists(path);
}

bool FolderExists(const std::string& path) {
    return path.size() >= kMinimumTestedPathLength && IsFolder(path);
}

}  // namespace vellumo
