#include "declines.h"

#include "host/translator_table.h"
#include "tool_start.h"

namespace vellumo {

std::string DeclineText(int translatorId, const DeclineReason& reason) {
    std::string text = "translator " + std::to_string(translatorId) + " (" +
                       TranslatorName(translatorId) + ") declined";
    if (reason.cause != DeclineCause::kNone) {
        text += ": " + DescribeDecline(reason);
    }
    return text;
}

void ReportDeclines(const std::string& where, const std::vector<WalkDecline>& declines) {
    for (const WalkDecline& decline : declines) {
        // The message itself is named by `where` already.
        const std::string part = decline.path == "message" ? "" : decline.path + ": ";
        Report(where,
               part + DeclineText(decline.translatorId, decline.reason) + "; it is left as it was");
    }
}

}  // namespace vellumo
