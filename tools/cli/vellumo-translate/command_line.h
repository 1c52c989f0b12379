#pragma once
// The options of vellumo-translate.

#include <string>

namespace vellumo {

struct TranslateOptions {
    int translatorId = 0;
    std::string configDir;    // empty: saving is off
    std::string headersFile;  // raw headers as the host would capture them
    std::string subject;
    bool hasSubject = false;
    bool crlf = false;  // turn bare LF line ends of INPUT into CR LF first
    std::string input;
    std::string output;
    bool help = false;
};

// Reads the arguments; false with a reason in error when they do not make a
// complete, valid command.
[[nodiscard]] bool ParseTranslateOptions(int argc, char** argv, TranslateOptions& options,
                                         std::string& error);

// The --help text.
const char* TranslateUsage();

}  // namespace vellumo
