#include "whole_messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "declines.h"
#include "interruption.h"
#include "mailclient/entity_translator.h"
#include "mailclient/mailbox_reader.h"
#include "mailclient/message_walk.h"
#include "platform/files.h"
#include "progress.h"
#include "staged_output.h"
#include "tool_files.h"
#include "tool_start.h"

namespace fs = std::filesystem;

namespace vellumo {
namespace {

constexpr const char* kNotMail = "skipped: not a mail message";

std::string DisplayName(const std::string& path) {
    return path == "-" ? std::string("standard input") : path;
}

std::string WriteError() {
    return std::string("cannot write: ") + std::strerror(errno);
}

// Closes a stream the run opened (never standard input).
struct StreamCloser {
    std::FILE* stream = nullptr;
    bool owned = false;
    ~StreamCloser() {
        if (owned && stream != nullptr) {
            std::fclose(stream);
        }
    }
};

struct Run {
    const TranslateOptions& options;
    EntityTranslator& translator;
    Progress progress;
};

bool WriteAll(std::FILE* stream, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

// Walks one message and writes what becomes of it: the converted pieces, or
// the message byte for byte.
bool ConvertAndWrite(Run& run, const std::string& message, const std::string& where, bool mailbox,
                     std::FILE* out) {
    WalkOptions walkOptions;
    walkOptions.quoteFromLines = mailbox;
    WalkResult result = WalkMessage(message, run.translator, nullptr, walkOptions);
    run.progress.Count(result.outcome, message.size());
    if (!run.options.quiet) {
        ReportDeclines(where, result.declines);
    }
    if (result.outcome == WalkOutcome::Failed) {
        Report(where, result.failure + "; copied unchanged");
    }
    if (result.outcome != WalkOutcome::Converted) {
        return WriteAll(out, message);
    }
    for (std::string_view piece : result.pieces) {
        if (!WriteAll(out, piece)) {
            return false;
        }
    }
    return !mailbox || WriteAll(out, MailboxTail(result.pieces, message));
}

// What a run that stops early says about the output it was writing.
std::string Unwritten(const TranslateOptions& options) {
    if (options.output == "-") {
        return "standard output holds what came before";
    }
    return PathExists(options.output) ? options.output + " is as it was"
                                      : options.output + " was not written";
}

// Where the converted stream goes: standard output, or a staged file.
struct StreamOutput {
    StagedOutput staged;
    std::FILE* stream = nullptr;
};

// A mailbox or a single message, from a file or standard input.
int ConvertStream(Run& run) {
    const TranslateOptions& options = run.options;
    StreamCloser in;
    in.stream = options.input == "-" ? stdin : std::fopen(options.input.c_str(), "rb");
    in.owned = options.input != "-";
    if (in.stream == nullptr) {
        Report(options.input, std::string("cannot open: ") + std::strerror(errno));
        return kCannotUseFiles;
    }
    StreamOutput out;
    if (options.output == "-") {
        out.stream = stdout;
    } else if (out.staged.Open(options.output)) {
        out.stream = out.staged.Stream();
    } else {
        Report(options.output, std::string("cannot create: ") + std::strerror(errno));
        return kCannotUseFiles;
    }
    std::error_code ignored;
    MailboxReader reader(in.stream,
                         options.input == "-" ? 0 : fs::file_size(options.input, ignored));
    std::string message;
    std::string input = DisplayName(options.input);
    for (unsigned long number = 1; !Interrupted() && reader.Next(message); ++number) {
        if (number == 1 && !reader.IsMailbox() && !LooksLikeMailMessage(message)) {
            Report(input, kNotMail);
            run.progress.Skip();
            return kNoMailFound;
        }
        std::string where =
            reader.IsMailbox() ? input + ": message " + std::to_string(number) : input;
        if ((number == 1 && !WriteAll(out.stream, reader.LeadingLines())) ||
            !ConvertAndWrite(run, message, where, reader.IsMailbox(), out.stream)) {
            Report(options.output, WriteError() + "; " + Unwritten(options));
            return kCannotUseFiles;
        }
    }
    if (Interrupted()) {
        Report(options.output, "interrupted; " + Unwritten(options));
        return kInterrupted;
    }
    if (reader.Failed()) {
        Report(input, "read error; " + Unwritten(options));
        return kCannotUseFiles;
    }
    if (run.progress.Messages() == 0) {
        Report(input, "no mail found; " + Unwritten(options));
        return kNoMailFound;
    }
    bool written = options.output == "-" ? std::fflush(stdout) == 0 : out.staged.Commit();
    if (!written) {
        Report(options.output, WriteError() + "; " + Unwritten(options));
        return kCannotUseFiles;
    }
    return kAllWritten;
}

// One message file converted into a file of that name, whole or not at all.
int ConvertFile(Run& run, const std::string& source, const std::string& target) {
    std::string message;
    if (!ReadWholeFile(source, message)) {
        Report(source, "cannot read; skipped");
        run.progress.Count(WalkOutcome::Failed, 0);
        return kAllWritten;
    }
    if (!LooksLikeMailMessage(message)) {
        Report(source, kNotMail);
        run.progress.Skip();
        return kAllWritten;
    }
    StagedOutput out;
    bool written = out.Open(target) && ConvertAndWrite(run, message, source, false, out.Stream());
    if (Interrupted()) {
        return kInterrupted;
    }
    if (!written || !out.Commit()) {
        Report(target, WriteError() + "; " +
                           (PathExists(target) ? "it is as it was" : "it was not written"));
        return kCannotUseFiles;
    }
    return kAllWritten;
}

// Every .eml file of the input folder into the output folder.
int ConvertFolder(Run& run) {
    const TranslateOptions& options = run.options;
    std::vector<std::string> names;
    std::vector<SkippedEntry> skipped;
    if (!ListMessageFiles(options.input, names, skipped)) {
        Report(options.input, "cannot read the folder");
        return kCannotUseFiles;
    }
    for (const SkippedEntry& entry : skipped) {
        Report(JoinPath(options.input, entry.name), std::string("skipped: ") + entry.reason);
        run.progress.Skip();
    }
    if (!names.empty() && !IsFolder(options.output) && !CreateFolder(options.output)) {
        Report(options.output, "cannot create the folder");
        return kCannotUseFiles;
    }
    for (const std::string& name : names) {
        int status =
            ConvertFile(run, JoinPath(options.input, name), JoinPath(options.output, name));
        if (status == kInterrupted || Interrupted()) {
            Report(JoinPath(options.output, name), "interrupted; this file was not written");
            return kInterrupted;
        }
        if (status != kAllWritten) {
            return status;
        }
    }
    if (run.progress.Messages() == 0) {
        Report(options.input, "no mail found");
        return kNoMailFound;
    }
    return kAllWritten;
}

// True when OUTPUT, named or standard output, is the file behind INPUT,
// named or standard input: writing it would destroy the input.
bool OutputIsInput(const TranslateOptions& options) {
    FileIdentity input, output;
    bool inputKnown = options.input == "-" ? RegularFileIdentity(0, input)
                                           : RegularFileIdentity(options.input, input);
    bool outputKnown = options.output == "-" ? RegularFileIdentity(1, output)
                                             : RegularFileIdentity(options.output, output);
    if (inputKnown && outputKnown && input == output) {
        return true;
    }
    return options.input != "-" && options.output != "-" &&
           IsSameFile(options.input, options.output);
}

}  // namespace

bool FilesAreUsable(const TranslateOptions& options) {
    if (options.input != "-" && !PathExists(options.input)) {
        Report(options.input, "no such file or folder");
        return false;
    }
    if (OutputIsInput(options)) {
        Report(DisplayName(options.output == "-" ? std::string("standard output") : options.output),
               "is the input itself; give a new name for the output");
        return false;
    }
    if (options.output != "-" && PathExists(options.output) && !options.force) {
        Report(options.output, "exists; give a new name, or --force to replace it");
        return false;
    }
    return true;
}

int RunWholeMessages(const TranslateOptions& options) {
    if (!FilesAreUsable(options)) {
        return kCannotUseFiles;
    }
    bool folder = options.input != "-" && IsFolder(options.input);
    if (folder && options.output == "-") {
        Report(options.input, "a folder needs an output folder, not standard output");
        return kCannotUseFiles;
    }
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    CatchInterruptions();
    DriverEntityTranslator translator;
    Run run{options, translator, Progress(!options.quiet && StandardErrorIsTerminal())};
    int status = folder ? ConvertFolder(run) : ConvertStream(run);
    if (!options.quiet) {
        run.progress.Summary(options.output == "-" ? stderr : stdout);
    }
    if (status == kAllWritten && run.progress.AnyFailed()) {
        return kSomeFailed;
    }
    return status;
}

}  // namespace vellumo
