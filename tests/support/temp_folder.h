#pragma once
// Test support: a fresh folder under the system's temporary folder for tests
// that touch real files, removed with everything in it when the holder goes
// away; and whole-file reads and writes.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace vellumo::test {

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Empty when the file cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TempFolder {
  public:
    TempFolder() {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::string pattern = ((error ? "/tmp" : base) / "vellumo-test-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        path_ = made != nullptr ? made : "";
    }
    // Removes only the folder it made; nothing when mkdtemp failed.
    ~TempFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, empty when it could not be made.
    const std::string& path() const { return path_; }
    // The folder with a trailing slash, ready to take a file name.
    std::string Prefix() const { return path_ + "/"; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const {
        WriteFileBytes(File(name), bytes);
    }
    std::string Read(const std::string& name) const { return ReadFileBytes(File(name)); }

  private:
    std::string path_;
};

}  // namespace vellumo::test
