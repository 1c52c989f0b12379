#include "staged_output.h"

#include "platform/files.h"

namespace vellumo {
namespace {

// Tries a few names, in case an earlier run was killed outright and left
// its temporary file.
constexpr int kNameAttempts = 100;

}  // namespace

bool StagedOutput::Open(const std::string& target) {
    Discard();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = target + ".vellumo-" + std::to_string(attempt) + ".tmp";
        PlatformFile created;
        if (!created.Open(name, FileMode::CreateNew)) {
            if (NameTaken(name)) {
                continue;
            }
            return false;
        }
        created.Close();
        stream_ = std::fopen(name.c_str(), "wb");
        if (stream_ == nullptr) {
            (void)DeleteFileAt(name);
            return false;
        }
        target_ = target;
        temporary_ = name;
        return true;
    }
    return false;
}

bool StagedOutput::Commit() {
    if (stream_ == nullptr) {
        return false;
    }
    bool written = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    written = std::fclose(stream_) == 0 && written;
    stream_ = nullptr;
    if (written && MoveFileOver(temporary_, target_)) {
        temporary_.clear();
        return true;
    }
    Discard();
    return false;
}

void StagedOutput::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporary_.empty()) {
        (void)DeleteFileAt(temporary_);
        temporary_.clear();
    }
}

}  // namespace vellumo
