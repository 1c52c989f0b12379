#pragma once
// Thin file layer over Win32 and POSIX. Paths are 8-bit strings; on POSIX a
// backslash is taken as a folder separator so that Windows-style paths built
// by the portable code work unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vellumo {

enum class FileMode {
    ReadExisting,    // open an existing file for reading
    WriteExisting,   // open an existing file for writing at position 0; no create, no truncate
    AppendExisting,  // open an existing file for writing at its end
    CreateNew,       // create a new file; fails when one of that name exists
};

// An open file, closed when the holder goes away.
class PlatformFile {
  public:
    PlatformFile() = default;
    ~PlatformFile() { Close(); }
    PlatformFile(const PlatformFile&) = delete;
    PlatformFile& operator=(const PlatformFile&) = delete;

    [[nodiscard]] bool Open(const std::string& path, FileMode mode);
    bool IsOpen() const { return handle_ != kNoHandle; }
    // Reads the rest of the file into out; false on a read error.
    [[nodiscard]] bool ReadAll(std::string& out);
    // Writes all bytes; false when not all could be written.
    [[nodiscard]] bool Write(const char* data, size_t length);
    // Cuts the file at the current position.
    [[nodiscard]] bool TruncateHere();
    // The file's length in bytes; false when it cannot be read.
    [[nodiscard]] bool GetLength(std::uint64_t& length);
    // Moves the position to `position` bytes from the start.
    [[nodiscard]] bool SeekTo(std::uint64_t position);
    void Close();

  private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};

// Reads a whole file; false when it cannot be opened or read.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& out);

// True when a file or folder of that exact name exists.
bool PathExists(const std::string& path);
// True when the folder holds an entry of that exact name, a symbolic link
// whose target is missing included: such a name cannot be created anew.
bool NameTaken(const std::string& path);
// True when the path names an existing folder.
bool IsFolder(const std::string& path);
// Creates one folder level; false when it could not be created.
bool CreateFolder(const std::string& path);
// Deletes a file; false when it could not be deleted.
bool DeleteFileAt(const std::string& path);
// Renames `from` to `to` in one step, replacing a file of that name; false
// when it could not be done (`to` is then as it was).
[[nodiscard]] bool MoveFileOver(const std::string& from, const std::string& to);

// What tells two open files or paths apart: the volume and the file's
// index on it (device and inode).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && index == other.index;
    }
};
// The identity of the regular file behind an open stream (a C runtime
// file descriptor, such as 0 for standard input) or a path; false for a
// pipe, a terminal, a device or a name that does not exist.
[[nodiscard]] bool RegularFileIdentity(int descriptor, FileIdentity& identity);
[[nodiscard]] bool RegularFileIdentity(const std::string& path, FileIdentity& identity);
// The platform's longest usable path, in bytes, without the terminating zero.
size_t MaxPathLength();
// The longest file name, in bytes, that the folder which would hold `path`
// accepts (the part after the last separator); kPortableMaxFileNameLength
// when the folder cannot tell.
inline constexpr size_t kPortableMaxFileNameLength = 255;
size_t MaxFileNameLength(const std::string& path);

}  // namespace vellumo
