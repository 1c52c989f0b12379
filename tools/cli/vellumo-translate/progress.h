#pragma once
// The tally of a whole-message run: the progress line on a terminal and the
// summary at the end.

#include <chrono>
#include <cstdio>

#include "mailclient/message_walk.h"

namespace vellumo {

class Progress {
  public:
    // show: draw the progress line (standard error is a terminal).
    explicit Progress(bool show);

    // Counts one message of `bytes` bytes with its outcome.
    void Count(WalkOutcome outcome, unsigned long long bytes);
    // Counts one file or stream that held no message to convert.
    void Skip() { ++skipped_; }
    // Ends the progress line and prints "N converted, N unchanged, N declined"
    // (and ", N skipped" or ", N failed" when some were) to `stream`.
    void Summary(std::FILE* stream);
    [[nodiscard]] bool AnyFailed() const { return failed_ > 0; }
    [[nodiscard]] unsigned long long Messages() const { return messages_; }

  private:
    void Draw();

    bool show_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
    unsigned long long messages_ = 0, bytes_ = 0;
    unsigned long converted_ = 0, unchanged_ = 0, declined_ = 0, failed_ = 0, skipped_ = 0;
};

// True when standard error is a terminal.
[[nodiscard]] bool StandardErrorIsTerminal();

}  // namespace vellumo
