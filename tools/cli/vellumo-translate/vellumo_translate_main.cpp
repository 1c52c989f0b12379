// vellumo-translate: runs the plug-in's translation driver on saved message
// files. See TranslateUsage for the command line.

#include <cstdio>
#include <string>

#include "command_line.h"
#include "host/plugin_state.h"
#include "host/settings.h"
#include "host/settings_record.h"
#include "platform/files.h"
#include "platform/line_ends.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

using namespace vellumo;

namespace {

constexpr int kUsageError = 2;

// The header of a header or message file, with CR LF line ends and without
// the blank line that ends it, as the mail client hands raw headers over.
std::string RawHeadersFrom(const std::string& text) {
    std::string crlf = WithCrLf(text);
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
        SaveHTMLMessagesValue =
            LoadSettings(SettingsFilePath, DefaultArchiveFolderFromConfig(ConfigFolder))
                .saveHtmlMessages;
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

// A CR LF copy of the input beside the output; empty when it cannot be made.
std::string CrLfCopy(const std::string& input, const std::string& output) {
    std::string text;
    if (!ReadWholeFile(input, text)) {
        return input;  // the driver reports the unreadable input
    }
    std::string copy = output + ".crlf-input";
    (void)DeleteFileAt(copy);
    PlatformFile file;
    std::string converted = WithCrLf(text);
    if (!file.Open(copy, FileMode::CreateNew) || !file.Write(converted.data(), converted.size())) {
        return std::string();
    }
    return copy;
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
    std::string input = options.crlf ? CrLfCopy(options.input, options.output) : options.input;
    if (input.empty()) {
        std::fprintf(stderr, "vellumo-translate: cannot write a CR LF copy of %s\n",
                     options.input.c_str());
        return kStatusDataUnchanged;
    }
    MimeTypeRecord* type = nullptr;
    std::string archivePath;
    int status = TranslateMessageFile(options.translatorId, input, options.output,
                                      options.hasSubject ? options.subject.c_str() : nullptr, &type,
                                      &archivePath);
    if (status == kStatusSuccess && type != nullptr) {
        std::printf("%s/%s\n%s\n", type->mainType, type->subType, archivePath.c_str());
    }
    FreeMimeTypeRecord(type);
    if (input != options.input) {
        (void)DeleteFileAt(input);
    }
    return status;
}
