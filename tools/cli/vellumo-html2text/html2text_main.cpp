// vellumo-html2text: prints the built-in renderer's text of an HTML file, so
// users can see what a message will look like once converted.
#include <cstdio>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "html/html_charset_sniff.h"
#include "html/html_renderer.h"
#include "html/html_text_options.h"
#include "html2text_options.h"
#include "platform/line_ends.h"
#include "tool_start.h"

namespace {

constexpr const char* kTool = "vellumo-html2text";
constexpr std::string_view kDefaultCharset = "windows-1252";
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr int kFileError = 1;

bool ReadStream(std::FILE* stream, std::string* out) {
    char buffer[kReadChunk];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), stream)) > 0) {
        out->append(buffer, got);
    }
    return std::ferror(stream) == 0;
}

bool ReadInput(const std::string& path, std::string& html) {
    if (path.empty() || path == "-") {
        return ReadStream(stdin, &html);
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = ReadStream(file, &html);
    std::fclose(file);
    return ok;
}

// The charset the HTML is read in: the one asked for, else the one the
// document declares when it is known, else windows-1252.
std::string InputCharset(const vellumo::Html2TextOptions& options, const std::string& html,
                         const std::string& name) {
    if (!options.charset.empty()) {
        return options.charset;
    }
    std::string declared = vellumo::SniffHtmlCharset(html);
    if (declared.empty()) {
        return std::string(kDefaultCharset);
    }
    if (!vellumo::ReadsHtmlCharset(declared)) {
        vellumo::Report(name, "declares the charset \"" + declared +
                                  "\", which is not known; read as " +
                                  std::string(kDefaultCharset));
        return std::string(kDefaultCharset);
    }
    return declared;
}

std::string DefaultOutputCharset(const std::string& inputCharset) {
#ifdef _WIN32
    // The text stays in the HTML's charset, except in the wide forms.
    return vellumo::WritesHtmlCharset(inputCharset) ? inputCharset : "utf-8";
#else
    (void)inputCharset;
    return "utf-8";
#endif
}

}  // namespace

int main(int argc, char** argv) {
    vellumo::SetToolName(kTool);
    vellumo::Html2TextOptions options;
    std::string error;
    int status = 0;
    if (!vellumo::StartTool(vellumo::ParseHtml2TextOptions(argc, argv, options, error), error,
                            options.common, vellumo::Html2TextUsage(), status)) {
        return status;
    }
    if (!options.charset.empty() && !vellumo::ReadsHtmlCharset(options.charset)) {
        return vellumo::ReportUsageError("unknown charset \"" + options.charset + "\"");
    }
    if (!options.outputCharset.empty() && !vellumo::WritesHtmlCharset(options.outputCharset)) {
        return vellumo::ReportUsageError("unknown output charset \"" + options.outputCharset +
                                         "\"");
    }
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    const bool lf = false;
#else
    const bool lf = !options.crlf;
#endif
    const std::string name =
        options.path.empty() || options.path == "-" ? "standard input" : options.path;
    std::string html;
    if (!ReadInput(options.path, html)) {
        vellumo::Report(name, "cannot be read");
        return kFileError;
    }
    const std::string inputCharset = InputCharset(options, html, name);
    const std::string outputCharset =
        options.outputCharset.empty() ? DefaultOutputCharset(inputCharset) : options.outputCharset;
    std::string text = vellumo::RenderHtmlTextAs(html, inputCharset, outputCharset, options.text);
    // A terminal's prompt or the next file's text starts on a line of its own.
    if (!text.empty() && text.back() != '\n') {
        text += "\r\n";
    }
    if (lf) {
        text = vellumo::WithLf(text);
    }
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        vellumo::Report("standard output", "cannot write the text");
        return kFileError;
    }
    return 0;
}
