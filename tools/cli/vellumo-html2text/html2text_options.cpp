#include "html2text_options.h"

#include <cstring>
#include <string>

#include "charset/encoding.h"
#include "option_values.h"

namespace vellumo {
namespace {

constexpr long kMaxWrapWidth = 100000;

// The encodings read, by their standard names, in lines of at most 76.
std::string EncodingList() {
    std::string list;
    std::size_t line = 0;
    for (std::size_t i = 0; i < kEncodingCount; ++i) {
        const auto encoding = static_cast<Encoding>(i);
        if (encoding == Encoding::kReplacement) {
            continue;
        }
        const std::string name = std::string(EncodingName(encoding)) + ",";
        if (line + name.size() + 1 > 76) {
            list += "\n";
            line = 0;
        }
        list += (line == 0 ? "  " : " ") + name;
        line += name.size() + (line == 0 ? 2 : 1);
    }
    list.back() = '\n';
    return list;
}

}  // namespace

const char* Html2TextUsage() {
    static const std::string usage =
        std::string(
            "Usage: vellumo-html2text [OPTIONS] [FILE]\n"
            "\n"
            "Prints the text of the HTML document FILE (or standard input, also as \"-\")\n"
            "as the Vellumo plug-in's built-in renderer produces it: what a browser shows\n"
            "as the body's text. Nothing is fetched from the network.\n"
            "\n"
            "  --charset CS          the charset the HTML is read in. Without it a\n"
            "                        byte-order mark, then a <meta> charset declaration in\n"
            "                        the first 1024 bytes decides, else windows-1252.\n"
            "  --output-charset CS   the charset of the text (default: UTF-8, or on Windows\n"
            "                        the charset the HTML is read in).\n"
            "  --crlf                CR LF line ends (the default on Windows; LF elsewhere).\n"
            "  --reading             every reading aid, as ReadingAids=1 in the plug-in's\n"
            "                        settings gives them: --links, --alt, --lists and\n"
            "                        --quotes, nested lists indented, data tables in\n"
            "                        columns, no blank lines before the first line, at\n"
            "                        most one in a row, none of only blanks.\n"
            "  --links               \"[n]\" after each link and a numbered list of the\n"
            "                        link targets at the end, each once (a mail address\n"
            "                        without \"mailto:\"; no scripts, no link whose text is\n"
            "                        its target).\n"
            "  --alt                 an image's alt text where the image stands.\n"
            "  --lists               \"*\" before list items, \"1.\" in numbered lists.\n"
            "  --quotes              \"> \" before each line of a quoted block.\n"
            "  --wrap N              break lines longer than N characters at spaces (as\n"
            "                        WrapWidth=N in the plug-in's settings).\n"
            "  --version             the version, then stop.\n"
            "  --help                this text.\n"
            "\n"
            "Without --reading, --links, --alt, --lists, --quotes and --wrap the text is\n"
            "exactly the plug-in's with its default settings. Exit\n"
            "status: 0 written, 1 the file cannot be read or the text cannot be written,\n"
            "2 bad command line.\n"
            "\n"
            "Charsets, by the names of the WHATWG Encoding Standard (any of its labels\n"
            "is accepted, as are cp932, cp936, cp949 and cp950; UTF-16 and UTF-32 for the\n"
            "HTML only; ISO-2022-CN, HZ-GB-2312 and UTF-7 are not read):\n") +
        EncodingList();
    return usage.c_str();
}

bool ParseHtml2TextOptions(int argc, char** argv, Html2TextOptions& options, std::string& error) {
    for (int at = 1; at < argc; ++at) {
        std::string argument = argv[at];
        std::string value;
        if (TakeCommonOption(argument, options.common)) {
            return true;
        } else if (argument == "--charset") {
            if (!TakeValue(argc, argv, at, options.charset, error)) {
                return false;
            }
        } else if (argument == "--output-charset") {
            if (!TakeValue(argc, argv, at, options.outputCharset, error)) {
                return false;
            }
        } else if (argument == "--crlf") {
            options.crlf = true;
        } else if (argument == "--reading") {
            options.text = ReadingAids(options.text.wrapWidth);
        } else if (argument == "--links") {
            options.text.links = true;
        } else if (argument == "--alt") {
            options.text.altText = true;
        } else if (argument == "--lists") {
            options.text.listMarkers = true;
        } else if (argument == "--quotes") {
            options.text.quoteMarkers = true;
        } else if (argument == "--wrap") {
            if (!TakeValue(argc, argv, at, value, error)) {
                return false;
            }
            if (!ParseNumberInRange(value.c_str(), 1, kMaxWrapWidth, options.text.wrapWidth)) {
                error = "--wrap needs a width of 1 or more, not \"" + value + "\"";
                return false;
            }
        } else if (IsUnknownOption(argument, error)) {
            return false;
        } else if (options.path.empty()) {
            options.path = argument;
        } else {
            error = "more than one file given: " + argument;
            return false;
        }
    }
    return true;
}

}  // namespace vellumo
