#pragma once
// Why a translation declined (status 12): the rule that refused, and what
// it refused (a path, a charset label), for a person who wants to act on
// it. The host sees only the status; callers in this process (the
// command-line tool) can name the cause.

#include <string>

namespace vellumo {

enum class DeclineCause {
    kNone,
    kUnknownTranslator,
    kInputTooLarge,     // more bytes than a translation takes
    kHeaderUnreadable,  // the entity's header cannot be read
    kWrongMainType,
    kNoTextAlternative,        // translator 1: no direct text/plain child
    kBlankTextAlternative,     // ... a blank one while another shows something
    kTooManyKeptParts,         // detail: "more than" the bound
    kArchiveFolderNotCreated,  // detail: the folder
    kArchiveFileNotCreated,    // detail: the folder, which exists
    kCharsetNotRead,           // detail: the label
    kRendersToNothing,         // translator 2: the text would show nothing
    kTypeCannotBeMarked,       // translators 3 and 4: the Content-Type value
    kDispositionUnsafe,        // translator 3: a stray line break in it
    kOutputNotWrittenWhole,    // detail: the output file
    kOutputTooLargeToRestore,  // detail: the output file
    kOutOfMemory,
};

struct DeclineReason {
    DeclineCause cause = DeclineCause::kNone;
    std::string detail;
};

// The rule in a few words, without the detail ("" for kNone).
[[nodiscard]] const char* DeclineCauseText(DeclineCause cause);

// The rule and its detail as one phrase: "the archive folder cannot be
// created: C:\Mail\HTML\".
[[nodiscard]] std::string DescribeDecline(const DeclineReason& reason);

}  // namespace vellumo
