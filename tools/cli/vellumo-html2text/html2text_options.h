#pragma once
// The command line of vellumo-html2text.

#include <string>

#include "html/html_text_options.h"
#include "tool_start.h"

namespace vellumo {

struct Html2TextOptions {
    std::string charset;        // empty: sniffed from the document
    std::string outputCharset;  // empty: the platform's default
    bool crlf = false;          // CR LF line ends where LF is the default
    HtmlTextOptions text;
    std::string path;  // empty or "-": standard input
    CommonOptions common;
};

// Reads the arguments; false with a reason in error for a bad command line.
[[nodiscard]] bool ParseHtml2TextOptions(int argc, char** argv, Html2TextOptions& options,
                                         std::string& error);

// The --help text.
const char* Html2TextUsage();

}  // namespace vellumo
