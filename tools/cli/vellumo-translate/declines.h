#pragma once
// How the tool names a translation that declined: the translator and the
// rule that refused, so that a person can act on it.

#include <string>

#include "mailclient/message_walk.h"
#include "translate/decline_reason.h"

namespace vellumo {

// "translator 2 (Pure-HTML Message) declined: " and the reason, or only
// the first words when the reason is not known.
[[nodiscard]] std::string DeclineText(int translatorId, const DeclineReason& reason);

// One line on standard error for each entity of the walked message that a
// translator left as it was: `where` (the file, and the message number in
// a mailbox), the part, and DeclineText.
void ReportDeclines(const std::string& where, const std::vector<WalkDecline>& declines);

}  // namespace vellumo
