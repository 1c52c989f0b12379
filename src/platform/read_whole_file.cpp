#include "platform/files.h"

namespace vellumo {

bool ReadWholeFile(const std::string& path, std::string& out) {
    PlatformFile file;
    if (!file.Open(path, FileMode::ReadExisting)) {
        return false;
    }
    out.clear();
    return file.ReadAll(out);
}

}  // namespace vellumo
