#pragma once
// vellumo-translate without --translator: whole messages, mailboxes and
// folders of messages, converted the way the mail client converts mail.

#include "command_line.h"

namespace vellumo {

enum WholeMessagesExit {
    kAllWritten = 0,
    kSomeFailed = 1,
    kCannotUseFiles = 3,
    kNoMailFound = 4,    // every file or the stream skipped: nothing was written
    kInterrupted = 130,  // the output being written was removed
};

// Refuses, with the reason on standard error, an OUTPUT that is INPUT
// (through standard input or output too) or that exists without --force,
// and an INPUT that does not exist.
[[nodiscard]] bool FilesAreUsable(const TranslateOptions& options);

// Runs the conversion; failures are named on standard error, one line each.
[[nodiscard]] int RunWholeMessages(const TranslateOptions& options);

}  // namespace vellumo
