#pragma once
// Reads single string entries from a file's version-information block.

#include <cstdint>
#include <memory>
#include <string>

namespace vellumo {

class VersionInfo {
  public:
    VersionInfo() = default;
    ~VersionInfo() { ReleaseVersionBlock(); }
    VersionInfo(const VersionInfo&) = delete;
    VersionInfo& operator=(const VersionInfo&) = delete;

    // True when the block and its first translation were read; on false the
    // reader holds no block.
    [[nodiscard]] bool LoadVersionBlock(const std::string& filePath);
    // The entry's text, or "" when it is missing; a non-zero keyOverride
    // replaces the stored language and code page.
    std::string QueryVersionString(const std::string& entry, std::uint32_t keyOverride = 0) const;
    std::string GetProductName() const { return QueryVersionString("ProductName"); }
    std::string GetProductVersion() const { return QueryVersionString("ProductVersion"); }
    void ReleaseVersionBlock();

    std::uint32_t key() const { return key_; }

  private:
    std::unique_ptr<unsigned char[]> block_;
    std::uint32_t key_ = 0;
};

// "\StringFileInfo\%08lx\%s": the query path of an entry under a key.
std::string VersionQueryPath(std::uint32_t key, const std::string& entry);

}  // namespace vellumo
