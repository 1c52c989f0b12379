#pragma once
// Writing the translation's output file and appending lines to files. Every
// text is written by its byte count, so zero bytes inside it are kept.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

enum class OutputWrite {
    Written,      // the whole text is in the file, and nothing after it
    OpenFailed,   // the file does not exist or cannot be opened for writing
    WriteFailed,  // opened, but not all of the text could be written
};

// Writes the text over an existing file from position 0 and cuts the file
// after it, so no stale tail of an earlier, longer content remains.
[[nodiscard]] OutputWrite WriteOutputFile(const std::string& path, const std::string& text);
[[nodiscard]] OutputWrite WriteOutputFile(const std::string& path, const char* text, size_t length);
// The same for a head and a body written one after the other.
[[nodiscard]] OutputWrite WriteOutputFile(const std::string& path, const std::string& head,
                                          const char* body, size_t bodyLength);
// The same for pieces written one after the other.
[[nodiscard]] OutputWrite WriteOutputFile(const std::string& path,
                                          const std::vector<std::string_view>& pieces);

// The most bytes an output file may hold before a translation: they are
// kept in memory to be put back should it fail. The host's output file
// starts empty; a command-line user may name a file that is not.
inline constexpr std::uint64_t kMaxRestorableOutputBytes = std::uint64_t{64} << 20;

enum class OutputSave {
    Saved,     // the bytes are kept
    Missing,   // the file cannot be opened or read: nothing to put back
    TooLarge,  // longer than kMaxRestorableOutputBytes: not read
};

// Keeps the output file's bytes as they are before a translation, so that a
// translation that fails after writing can put them back with
// WriteOutputFile, exactly.
[[nodiscard]] OutputSave SaveOutputFile(const std::string& path, std::string& bytes);

// The file's length in bytes; false when it cannot be opened or measured.
[[nodiscard]] bool OutputFileLength(const std::string& path, std::uint64_t& length);
// Cuts the file back to `length` bytes when it has grown past it, so that a
// translation that fails after writing leaves the output as it found it.
// True when the file holds at most `length` bytes afterwards.
bool CutOutputFile(const std::string& path, std::uint64_t length);

// Appends text and CR LF at the end of the file, creating the file empty
// first when FileExists says it is missing. An empty text appends nothing.
// False when the file cannot be created, opened or written.
bool AppendTextToFile(const std::string& path, const std::string& text);

}  // namespace vellumo
