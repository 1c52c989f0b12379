#include "translate/output_file.h"

#include "platform/files.h"
#include "translate/path_tests.h"

namespace vellumo {

OutputWrite WriteOutputFile(const std::string& path, const std::string& text) {
    return WriteOutputFile(path, text.data(), text.size());
}

OutputWrite WriteOutputFile(const std::string& path, const char* text, size_t length) {
    return WriteOutputFile(path, std::string(), text, length);
}

OutputWrite WriteOutputFile(const std::string& path, const std::string& head, const char* body,
                            size_t bodyLength) {
    return WriteOutputFile(path, {head, std::string_view(body != nullptr ? body : "", bodyLength)});
}

OutputWrite WriteOutputFile(const std::string& path, const std::vector<std::string_view>& pieces) {
    PlatformFile file;
    if (!file.Open(path, FileMode::WriteExisting)) {
        return OutputWrite::OpenFailed;
    }
    for (std::string_view piece : pieces) {
        if (!file.Write(piece.data(), piece.size())) {
            return OutputWrite::WriteFailed;
        }
    }
    return file.TruncateHere() ? OutputWrite::Written : OutputWrite::WriteFailed;
}

bool OutputFileLength(const std::string& path, std::uint64_t& length) {
    PlatformFile file;
    return file.Open(path, FileMode::ReadExisting) && file.GetLength(length);
}

OutputSave SaveOutputFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    PlatformFile file;
    std::uint64_t length = 0;
    if (!file.Open(path, FileMode::ReadExisting) || !file.GetLength(length)) {
        return OutputSave::Missing;
    }
    if (length > kMaxRestorableOutputBytes) {
        return OutputSave::TooLarge;
    }
    return file.ReadAll(bytes) ? OutputSave::Saved : OutputSave::Missing;
}

bool CutOutputFile(const std::string& path, std::uint64_t length) {
    PlatformFile file;
    std::uint64_t now = 0;
    if (!file.Open(path, FileMode::WriteExisting) || !file.GetLength(now)) {
        return false;
    }
    return now <= length || (file.SeekTo(length) && file.TruncateHere());
}

bool AppendTextToFile(const std::string& path, const std::string& text) {
    if (!FileExists(path)) {
        // FileExists ignores names under four characters: such a file may
        // exist all the same and then takes the text.
        PlatformFile created;
        if (!created.Open(path, FileMode::CreateNew) && !PathExists(path)) {
            return false;
        }
    }
    if (text.empty()) {
        return true;
    }
    PlatformFile file;
    if (!file.Open(path, FileMode::AppendExisting)) {
        return false;
    }
    return file.Write(text.data(), text.size()) && file.Write("\r\n", 2);
}

}  // namespace vellumo
