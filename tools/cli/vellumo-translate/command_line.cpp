#include "command_line.h"

#include "option_values.h"

namespace vellumo {

const char* TranslateUsage() {
    return "Usage: vellumo-translate [OPTIONS] INPUT OUTPUT\n"
           "       vellumo-translate --translator N [OPTIONS] INPUT OUTPUT\n"
           "\n"
           "Converts saved mail the way the Vellumo plug-in converts arriving mail inside\n"
           "the mail client, with the same code.\n"
           "\n"
           "Without --translator, every message is converted whole: the message and each\n"
           "of its nested parts is offered to translators 1 to 4 in turn, the first that\n"
           "takes it converts it, and the result is offered again. INPUT is a mailbox\n"
           "(\"From \" lines between messages, as in .mbx files) written to the new mailbox\n"
           "OUTPUT; a single message file; or a folder of .eml files written to the folder\n"
           "OUTPUT. A message that no translator takes is copied byte for byte, and so is\n"
           "one whose conversion fails. Messages with bare LF line ends are converted with\n"
           "CR LF and written back with LF. \"-\" reads standard input or writes standard\n"
           "output. Each entity a translator declines is named on standard error with the\n"
           "rule that refused it (the charset, the archive folder, ...). At the end a line\n"
           "\"N converted, N unchanged, N declined\" follows.\n"
           "\n"
           "With --translator N, INPUT is one MIME entity, handed to translator N alone:\n"
           "                    1  HTML Message Part  multipart/alternative -> its text/plain\n"
           "                    2  Pure-HTML Message  text/html -> the rendered text\n"
           "                    3  Inline4Attachment  application/octet-stream: inline ->\n"
           "                                          attachment\n"
           "                    4  Related4Mixed      multipart/related -> multipart/mixed\n"
           "                    An entity the translator does not take is refused. On\n"
           "                    success the output MIME type is printed on the first line\n"
           "                    and the archive file's path (or nothing) on the second.\n"
           "\n"
           "  --config-dir DIR  plays the plug-in's configuration folder: DIR/vellumo.ini\n"
           "                    is read as the plug-in reads it at start-up\n"
           "                    (SaveHTMLMessages, HTMLMessagesPath, Extension,\n"
           "                    ReadingAids, WrapWidth), and the archive folder defaults\n"
           "                    to DIR with \"Plugins\" replaced by \"HTML Messages\\\".\n"
           "                    HTMLEngine=1 asks the system HTML engine first on Windows,\n"
           "                    as the plug-in does; elsewhere there is none and the\n"
           "                    built-in renderer writes the text. Sleep is not honoured:\n"
           "                    the tool converts what it is given. Without --config-dir\n"
           "                    no HTML is saved and the text has no reading aids.\n"
           "  --headers FILE    (with --translator) the message's raw header text as the\n"
           "                    mail client passes it (a whole message file will do). Its\n"
           "                    From, Date, To, CC and Subject lines head the archive file,\n"
           "                    and its Subject names it when --subject is not given.\n"
           "  --subject TEXT    (with --translator) the subject that names the archive file.\n"
           "  --crlf            (with --translator) read INPUT with CR LF line ends, as\n"
           "                    the mail client stores mail (done anyway when its first\n"
           "                    line ends in a bare LF).\n"
           "  --force           replace OUTPUT when it exists (never INPUT itself).\n"
           "  --quiet           no progress line, no summary, and no line for each\n"
           "                    declined entity.\n"
           "  --version         the version, then stop.\n"
           "  --help            this text.\n"
           "\n"
           "OUTPUT is written to a temporary file beside it and renamed over it only when\n"
           "the run has finished: a failure or an interruption leaves it as it was.\n"
           "\n"
           "Exit status without --translator: 0 every message was written; 1 at least one\n"
           "message failed (copied unchanged; each failure is named on standard error);\n"
           "2 bad command line; 3 INPUT or OUTPUT cannot be used or written whole; 4 no\n"
           "mail found (every file skipped; nothing written); 130 interrupted.\n"
           "With --translator: 3 as above, else the plug-in's status. 0 translated;\n"
           "5 INPUT cannot be read; 6 OUTPUT cannot be written; 12 declined (the reason\n"
           "on standard error), OUTPUT untouched; 2 bad command line.\n";
}

bool ParseTranslateOptions(int argc, char** argv, TranslateOptions& options, std::string& error) {
    std::string files[2];
    int fileCount = 0;
    for (int at = 1; at < argc; ++at) {
        std::string argument = argv[at];
        std::string value;
        if (TakeCommonOption(argument, options.common)) {
            return true;
        } else if (argument == "--force") {
            options.force = true;
        } else if (argument == "--quiet" || argument == "-q") {
            options.quiet = true;
        } else if (argument == "--crlf") {
            options.crlf = true;
        } else if (argument == "--translator") {
            if (!TakeValue(argc, argv, at, value, error)) {
                return false;
            }
            if (!ParseNumberInRange(value.c_str(), 1, 4, options.translatorId)) {
                error = "--translator must be 1, 2, 3 or 4";
                return false;
            }
        } else if (argument == "--config-dir") {
            if (!TakeValue(argc, argv, at, options.configDir, error)) {
                return false;
            }
        } else if (argument == "--headers") {
            if (!TakeValue(argc, argv, at, options.headersFile, error)) {
                return false;
            }
        } else if (argument == "--subject") {
            if (!TakeValue(argc, argv, at, options.subject, error)) {
                return false;
            }
            options.hasSubject = true;
        } else if (IsUnknownOption(argument, error)) {
            return false;
        } else if (fileCount < 2) {
            files[fileCount++] = argument;
        } else {
            error = "more than two file names";
            return false;
        }
    }
    if (fileCount != 2) {
        error = fileCount == 0 ? "INPUT and OUTPUT are required" : "OUTPUT is required";
        return false;
    }
    if (options.translatorId == 0 &&
        (options.crlf || options.hasSubject || !options.headersFile.empty())) {
        error = "--crlf, --headers and --subject need --translator";
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

}  // namespace vellumo
