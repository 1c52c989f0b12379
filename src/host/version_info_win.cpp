#include <windows.h>

#include "host/version_info.h"

namespace vellumo {

bool VersionInfo::LoadVersionBlock(const std::string& filePath) {
    ReleaseVersionBlock();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(filePath.c_str(), &handle);
    if (size == 0) {
        return false;
    }
    block_.reset(new (std::nothrow) unsigned char[size]);
    if (!block_ || !GetFileVersionInfoA(filePath.c_str(), handle, size, block_.get())) {
        ReleaseVersionBlock();
        return false;
    }
    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block_.get(), "\\VarFileInfo\\Translation", &translation, &length) ||
        translation == nullptr || length < 4) {
        ReleaseVersionBlock();
        return false;
    }
    const WORD* pair = static_cast<const WORD*>(translation);
    key_ = (static_cast<std::uint32_t>(pair[0]) << 16) | pair[1];
    return true;
}

std::string VersionInfo::QueryVersionString(const std::string& entry,
                                            std::uint32_t keyOverride) const {
    if (!block_) {
        return std::string();
    }
    std::string path = VersionQueryPath(keyOverride != 0 ? keyOverride : key_, entry);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block_.get(), path.c_str(), &value, &length) || value == nullptr) {
        return std::string();
    }
    // The length counts characters and may include the terminating zero.
    const char* text = static_cast<const char*>(value);
    size_t used = 0;
    while (used < length && text[used] != '\0') {
        ++used;
    }
    return std::string(text, used);
}

void VersionInfo::ReleaseVersionBlock() {
    block_.reset();
    key_ = 0;
}

}  // namespace vellumo
