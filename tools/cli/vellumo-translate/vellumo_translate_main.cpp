// vellumo-translate: runs the plug-in's translation driver on saved mail:
// whole messages, mailboxes and folders, or one entity with one translator.
// See TranslateUsage for the command line.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "command_line.h"
#include "declines.h"
#include "host/plugin_state.h"
#include "host/startup_settings.h"
#include "host/translator_table.h"
#include "mailclient/mailbox_reader.h"
#include "mailclient/offer.h"
#include "mailclient/offered_entity.h"
#include "platform/files.h"
#include "platform/line_ends.h"
#include "staged_output.h"
#include "tool_files.h"
#include "tool_start.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"
#include "whole_messages.h"

using namespace vellumo;

namespace {

#if defined(__GLIBC__)
// Large enough that the many smaller buffers reuse heap memory without
// fresh page faults, small enough that a big attachment's buffers are not
// kept once freed.
constexpr int kMmapThreshold = 2 * 1024 * 1024;
#endif
constexpr const char* kTool = "vellumo-translate";

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
        // Absolute, so that the archive link in the text names the file
        // from wherever the message is read.
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::absolute(options.configDir, error);
        StartFromConfigFolder(error ? options.configDir : folder.string());
        // Sleep is the mail client's switch for arriving mail: a person who
        // runs the tool asks for the conversion.
        SleepValue = 0;
    }
    if (!options.headersFile.empty()) {
        std::string text;
        if (!ReadWholeFile(options.headersFile, text)) {
            Report(options.headersFile, "cannot read the headers file");
            return false;
        }
        CapturedHeaders = RawHeadersFrom(text);
    }
    return true;
}

// Whether translator N takes the entity, asked as the mail client asks;
// false with a reason on standard error when it does not.
bool TranslatorTakes(const TranslateOptions& options, const std::string& text) {
    if (LooksLikeMailbox(text) && text.find("\nFrom ") != std::string::npos) {
        Report(options.input,
               "is a mailbox of several messages; leave out --translator to convert each one");
        return false;
    }
    OfferedEntity entity = ReadOfferedEntity(text);
    // The acceptance test may capture headers; those of --headers stay.
    std::string captured = CapturedHeaders;
    bool accepted = TranslatorAccepts(options.translatorId, entity);
    CapturedHeaders = captured;
    if (accepted) {
        return true;
    }
    Report(options.input, "translator " + std::to_string(options.translatorId) + " (" +
                              TranslatorName(options.translatorId) + ") does not take " +
                              entity.mainType + "/" + entity.subType +
                              "; leave out --translator to convert what fits");
    return false;
}

void ReportStatus(const TranslateOptions& options, int status, const DeclineReason& reason) {
    switch (status) {
        case kStatusSuccess:
            break;
        case kStatusInputOpenFailed:
            Report(options.input, "cannot be read");
            break;
        case kStatusOutputOpenFailed:
            break;  // named where the write failed
        case kStatusDataUnchanged:
            Report(options.input,
                   DeclineText(options.translatorId, reason) + "; the output is untouched");
            break;
        default:
            Report(options.input, "failed with status " + std::to_string(status));
            break;
    }
}

// Input saved with LF line ends (its first line ends in a bare LF) is read
// with CR LF, as whole-message mode and the mail client read it.
std::string EntityText(const TranslateOptions& options, std::string text) {
    size_t newline = text.find('\n');
    bool lf = newline != std::string::npos && (newline == 0 || text[newline - 1] != '\r');
    return options.crlf || lf ? WithCrLf(text) : text;
}

// The output, written whole beside OUTPUT and renamed over it, so a failed
// run leaves an OUTPUT that existed as it was and creates none.
bool WriteOutput(const TranslateOptions& options, const std::string& output) {
    StagedOutput staged;
    bool written = staged.Open(options.output) &&
                   std::fwrite(output.data(), 1, output.size(), staged.Stream()) == output.size() &&
                   staged.Commit();
    if (!written) {
        Report(options.output,
               std::string("cannot write: ") + std::strerror(errno) +
                   (PathExists(options.output) ? "; it is as it was" : "; it was not written"));
    }
    return written;
}

int TranslateOneEntity(const TranslateOptions& options) {
    if (!FilesAreUsable(options)) {
        return kCannotUseFiles;
    }
    if (options.input == "-" || options.output == "-" || IsFolder(options.input)) {
        Report(options.input, "--translator takes one entity file and writes one file");
        return kCannotUseFiles;
    }
    std::string text;
    if (!ReadWholeFile(options.input, text)) {
        Report(options.input, "cannot be read");
        return kStatusInputOpenFailed;
    }
    text = EntityText(options, std::move(text));
    if (!TranslatorTakes(options, text)) {
        return kStatusDataUnchanged;
    }
    MimeTypeRecord* type = nullptr;
    std::string archivePath, output;
    DeclineReason reason;
    int status = TranslateMessageText(options.translatorId, std::move(text), output,
                                      options.hasSubject ? options.subject.c_str() : nullptr, &type,
                                      &archivePath, &reason);
    if (status == kStatusSuccess && !WriteOutput(options, output)) {
        status = kStatusOutputOpenFailed;
        if (!archivePath.empty()) {
            (void)DeleteFileAt(archivePath);
        }
    } else if (status == kStatusSuccess && type != nullptr) {
        std::printf("%s/%s\n%s\n", type->mainType, type->subType, archivePath.c_str());
    }
    FreeMimeTypeRecord(type);
    ReportStatus(options, status, reason);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // Message-sized buffers come and go with each message. The large ones,
    // served by mmap, go back to the system when freed, so memory follows
    // the message at hand instead of the heap's high-water mark.
    (void)mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
#endif
    SetToolName(kTool);
    TranslateOptions options;
    std::string error;
    int status = 0;
    if (!StartTool(ParseTranslateOptions(argc, argv, options, error), error, options.common,
                   TranslateUsage(), status)) {
        return status;
    }
    if (!PrepareState(options)) {
        return options.translatorId == 0 ? static_cast<int>(kCannotUseFiles)
                                         : static_cast<int>(kStatusInputOpenFailed);
    }
    if (options.translatorId == 0) {
        return RunWholeMessages(options);
    }
    return TranslateOneEntity(options);
}
