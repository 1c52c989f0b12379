#include "command_line.h"

#include <cstdlib>
#include <cstring>

namespace vellumo {
namespace {

bool ParseTranslatorId(const char* text, int& id) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 4) {
        return false;
    }
    id = static_cast<int>(value);
    return true;
}

// Takes the value of an option that needs one.
bool TakeValue(int argc, char** argv, int& at, std::string& value, std::string& error) {
    if (at + 1 >= argc) {
        error = std::string(argv[at]) + " needs a value";
        return false;
    }
    value = argv[++at];
    return true;
}

}  // namespace

const char* TranslateUsage() {
    return "Usage: vellumo-translate --translator N [--config-dir DIR] [--headers FILE]\n"
           "                         [--subject TEXT] [--crlf] INPUT OUTPUT\n"
           "\n"
           "Translates one saved MIME entity the way the Vellumo plug-in does inside the\n"
           "mail client, with the same driver.\n"
           "\n"
           "  --translator N    1  HTML Message Part  multipart/alternative -> its text/plain\n"
           "                    2  Pure-HTML Message  text/html -> the rendered text\n"
           "                    3  Inline4Attachment  application/octet-stream: inline ->\n"
           "                                          attachment\n"
           "                    4  Related4Mixed      multipart/related -> multipart/mixed\n"
           "  --config-dir DIR  plays the plug-in's configuration folder: settings are read\n"
           "                    from DIR/vellumo.ini (SaveHTMLMessages, HTMLMessagesPath,\n"
           "                    Extension) and the archive folder defaults to DIR with\n"
           "                    \"Plugins\" replaced by \"HTML Messages\\\". Without it the HTML\n"
           "                    of translators 1 and 2 is not saved.\n"
           "  --headers FILE    the message's raw header text as the mail client passes it\n"
           "                    (a whole message file will do: its header is taken). Its\n"
           "                    From, Date, To, CC and Subject lines head the archive file,\n"
           "                    and its Subject names it when --subject is not given.\n"
           "  --subject TEXT    the subject that names the archive file.\n"
           "  --crlf            INPUT has bare LF line ends (a message saved on Unix): read\n"
           "                    it with CR LF line ends, as the mail client stores mail.\n"
           "                    Without it INPUT is taken byte for byte, and MIME needs\n"
           "                    CR LF.\n"
           "  --help            this text.\n"
           "\n"
           "INPUT is read whole; OUTPUT is created empty when missing (the mail client\n"
           "creates it), then overwritten. On success the output MIME type is printed on\n"
           "the first line of standard output and the archive file's path (or nothing) on\n"
           "the second.\n"
           "\n"
           "Exit status: the plug-in's status code. 0 translated; 5 INPUT cannot be read;\n"
           "6 OUTPUT cannot be opened; 12 declined, OUTPUT untouched (the message does not\n"
           "fit the translator, cannot be read or written whole, or its HTML cannot be\n"
           "saved); 2 bad command line.\n";
}

bool ParseTranslateOptions(int argc, char** argv, TranslateOptions& options, std::string& error) {
    std::string files[2];
    int fileCount = 0;
    for (int at = 1; at < argc; ++at) {
        std::string argument = argv[at];
        std::string value;
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return true;
        } else if (argument == "--crlf") {
            options.crlf = true;
        } else if (argument == "--translator") {
            if (!TakeValue(argc, argv, at, value, error)) {
                return false;
            }
            if (!ParseTranslatorId(value.c_str(), options.translatorId)) {
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
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return false;
        } else if (fileCount < 2) {
            files[fileCount++] = argument;
        } else {
            error = "more than two file names";
            return false;
        }
    }
    if (options.translatorId == 0 || fileCount != 2) {
        error = "--translator, INPUT and OUTPUT are required";
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

}  // namespace vellumo
