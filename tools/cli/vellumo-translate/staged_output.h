#pragma once
// An output file that is complete or absent: written to a temporary file
// beside it and renamed over it only when the run has finished, so a run
// that fails, fills the disk or is interrupted leaves the old file (or no
// file) behind, never half of one.

#include <cstdio>
#include <string>

namespace vellumo {

class StagedOutput {
  public:
    StagedOutput() = default;
    ~StagedOutput() { Discard(); }
    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;

    // Creates the temporary file for `target`; false (with errno) when it
    // cannot be created.
    [[nodiscard]] bool Open(const std::string& target);
    std::FILE* Stream() const { return stream_; }
    // Writes out and closes the temporary file, then renames it over the
    // target; false when any of it fails (the temporary file is removed).
    [[nodiscard]] bool Commit();
    // Closes and removes the temporary file; the target stays as it was.
    void Discard();

  private:
    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
};

}  // namespace vellumo
