#pragma once
// vellumo-translate without --translator: whole messages, mailboxes and
// folders of messages, converted the way the mail client converts mail.

#include "command_line.h"

namespace vellumo {

enum WholeMessagesExit {
    kAllWritten = 0,
    kSomeFailed = 1,
    kCannotUseFiles = 3,
};

// Runs the conversion; failures are named on standard error, one line each.
[[nodiscard]] int RunWholeMessages(const TranslateOptions& options);

}  // namespace vellumo
