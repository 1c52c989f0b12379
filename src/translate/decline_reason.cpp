#include "translate/decline_reason.h"

namespace vellumo {

const char* DeclineCauseText(DeclineCause cause) {
    switch (cause) {
        case DeclineCause::kNone:
            break;
        case DeclineCause::kUnknownTranslator:
            return "no translator has that number";
        case DeclineCause::kInputTooLarge:
            return "the entity is too large to translate";
        case DeclineCause::kHeaderUnreadable:
            return "its header cannot be read";
        case DeclineCause::kWrongMainType:
            return "the entity is not of the main type the translator takes";
        case DeclineCause::kNoTextAlternative:
            return "no text/plain alternative directly inside it";
        case DeclineCause::kBlankTextAlternative:
            return "the text/plain alternative is blank while another shows something";
        case DeclineCause::kTooManyKeptParts:
            return "too many parts to keep beside the text";
        case DeclineCause::kArchiveFolderNotCreated:
            return "the archive folder for the HTML cannot be created";
        case DeclineCause::kArchiveFileNotCreated:
            return "no archive file for the HTML can be created in";
        case DeclineCause::kCharsetNotRead:
            return "the HTML's charset is not read here";
        case DeclineCause::kRendersToNothing:
            return "the HTML's text shows nothing (hidden, or pictures only)";
        case DeclineCause::kTypeCannotBeMarked:
            return "the Content-Type value cannot carry the translator's marker";
        case DeclineCause::kDispositionUnsafe:
            return "the Content-Disposition value holds a stray line break";
        case DeclineCause::kOutputNotWrittenWhole:
            return "the output cannot be written whole";
        case DeclineCause::kOutputTooLargeToRestore:
            return "the output file is too large to put back should the translation fail";
        case DeclineCause::kOutOfMemory:
            return "out of memory";
    }
    return "";
}

std::string DescribeDecline(const DeclineReason& reason) {
    std::string text = DeclineCauseText(reason.cause);
    if (!reason.detail.empty()) {
        text += ": " + reason.detail;
    }
    return text;
}

}  // namespace vellumo
