// vellumo-translate: runs the plug-in's translation driver on saved message
// files. See TranslateUsage for the command line.

#include <cstdio>
#include <string>

#include "command_line.h"
#include "host/plugin_state.h"
#include "host/settings.h"
#include "platform/files.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

using namespace vellumo;

namespace {

constexpr int kUsageError = 2;

// The header of a header or message file, with CR LF line ends and without
// the blank line that ends it, as the mail client hands raw headers over.
std::string RawHeadersFrom(const std::string& text) {
    std::string crlf;
    crlf.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            crlf += '\r';
        }
        crlf += text[i];
    }
    size_t blank = crlf.find("\r\n\r\n");
    if (blank != std::string::npos) {
        crlf.resize(blank);
    }
    while (crlf.size() >= 2 && crlf.compare(crlf.size() - 2, 2, "\r\n") == 0) {
        crlf.resize(crlf.size() - 2);
    }
    return crlf;
}

// Sets up the process-wide state the way plug-in start and the host's
// acceptance call would.
bool PrepareState(const TranslateOptions& options) {
    if (!options.configDir.empty()) {
        ConfigFolder = options.configDir;
        while (ConfigFolder.size() > 1 &&
               (ConfigFolder.back() == '\\' || ConfigFolder.back() == '/')) {
            ConfigFolder.pop_back();
        }
        SettingsFilePath = ConfigFolder + "\\vellumo.ini";
        SaveHTMLMessagesValue = ReadSettingInt(kOptionsSection, kSaveHtmlKey, 1, SettingsFilePath);
    }
    if (!options.headersFile.empty()) {
        std::string text;
        if (!ReadWholeFile(options.headersFile, text)) {
            std::fprintf(stderr, "vellumo-translate: cannot read %s\n",
                         options.headersFile.c_str());
            return false;
        }
        CapturedHeaders = RawHeadersFrom(text);
    }
    return true;
}

// The host creates the output file before the call.
void EnsureOutputExists(const std::string& path) {
    if (!PathExists(path)) {
        PlatformFile created;
        (void)created.Open(path, FileMode::CreateNew);
    }
}

}  // namespace

int main(int argc, char** argv) {
    TranslateOptions options;
    std::string error;
    if (!ParseTranslateOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "vellumo-translate: %s\n\n%s", error.c_str(), TranslateUsage());
        return kUsageError;
    }
    if (options.help) {
        std::fputs(TranslateUsage(), stdout);
        return 0;
    }
    if (!PrepareState(options)) {
        return kStatusInputOpenFailed;
    }
    EnsureOutputExists(options.output);
    MimeTypeRecord* type = nullptr;
    std::string archivePath;
    int status = TranslateMessageFile(options.translatorId, options.input, options.output,
                                      options.hasSubject ? options.subject.c_str() : nullptr, &type,
                                      &archivePath);
    if (status == kStatusSuccess && type != nullptr) {
        std::printf("%s/%s\n%s\n", type->mainType, type->subType, archivePath.c_str());
    }
    FreeMimeTypeRecord(type);
    return status;
}
