// vellumo-html2text: prints the built-in renderer's text of an HTML file, so
// users can see what a message will look like once converted.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "html/html_text_extractor.h"

namespace {

constexpr std::string_view kDefaultCharset = "windows-1252";
constexpr std::size_t kReadChunk = 64 * 1024;

constexpr const char kUsage[] =
    "Usage: vellumo-html2text [--charset CS] [FILE]\n"
    "\n"
    "Prints the text of the HTML document FILE (or standard input) as the\n"
    "built-in renderer produces it: what a browser shows as the body's text,\n"
    "with CR LF line ends. The text is written in charset CS, which is also\n"
    "the charset the HTML is read in (default windows-1252; utf-8 and the\n"
    "common single-byte charsets are known). Nothing is fetched from the\n"
    "network.\n"
    "\n"
    "Options:\n"
    "  --charset CS   charset of the HTML and of the output\n"
    "  --help         show this text\n";

bool ReadStream(std::FILE* stream, std::string* out) {
    char buffer[kReadChunk];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), stream)) > 0) {
        out->append(buffer, got);
    }
    return std::ferror(stream) == 0;
}

int Fail(const char* message, const char* detail) {
    std::fprintf(stderr, "vellumo-html2text: %s%s\n", message, detail);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string charset(kDefaultCharset);
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--charset") == 0) {
            if (i + 1 >= argc) {
                return Fail("--charset needs a value", "");
            }
            charset = argv[++i];
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return Fail("unknown option ", argv[i]);
        } else if (path == nullptr) {
            path = argv[i];
        } else {
            return Fail("more than one file given: ", argv[i]);
        }
    }
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::string html;
    if (path == nullptr || std::strcmp(path, "-") == 0) {
        if (!ReadStream(stdin, &html)) {
            return Fail("cannot read standard input", "");
        }
    } else {
        std::FILE* file = std::fopen(path, "rb");
        if (file == nullptr) {
            return Fail("cannot open ", path);
        }
        const bool ok = ReadStream(file, &html);
        std::fclose(file);
        if (!ok) {
            return Fail("cannot read ", path);
        }
    }
    const std::string text = vellumo::RenderHtmlText(html, charset);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        return Fail("cannot write the text", "");
    }
    return 0;
}
