#pragma once
// The options of vellumo-translate.

#include <string>

#include "tool_start.h"

namespace vellumo {

struct TranslateOptions {
    int translatorId = 0;     // 0: convert whole messages, as the mail client would
    std::string configDir;    // empty: saving is off
    std::string headersFile;  // raw headers as the host would capture them
    std::string subject;
    bool hasSubject = false;
    bool crlf = false;   // turn bare LF line ends of INPUT into CR LF first
    bool force = false;  // replace an existing OUTPUT (never the input)
    bool quiet = false;  // no progress line and no summary
    std::string input;   // "-": standard input
    std::string output;  // "-": standard output
    CommonOptions common;
};

// Reads the arguments; false with a reason in error when they do not make a
// complete, valid command.
[[nodiscard]] bool ParseTranslateOptions(int argc, char** argv, TranslateOptions& options,
                                         std::string& error);

// The --help text.
const char* TranslateUsage();

}  // namespace vellumo
