#include "whole_messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "mailclient/entity_translator.h"
#include "mailclient/mailbox_reader.h"
#include "mailclient/message_walk.h"
#include "platform/files.h"
#include "progress.h"
#include "tool_files.h"

namespace vellumo {
namespace {

constexpr const char* kTool = "vellumo-translate";

void Report(const std::string& file, const std::string& what) {
    std::fprintf(stderr, "%s: %s: %s\n", kTool, file.c_str(), what.c_str());
}

std::string DisplayName(const std::string& path) {
    return path == "-" ? std::string("standard input") : path;
}

// Closes a stream the run opened (never standard input or output).
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

// A mailbox or a single message, from a file or standard input.
int ConvertStream(Run& run) {
    const TranslateOptions& options = run.options;
    StreamCloser in, out;
    in.stream = options.input == "-" ? stdin : std::fopen(options.input.c_str(), "rb");
    in.owned = options.input != "-";
    if (in.stream == nullptr) {
        Report(options.input, std::string("cannot open: ") + std::strerror(errno));
        return kCannotUseFiles;
    }
    out.stream = options.output == "-" ? stdout : std::fopen(options.output.c_str(), "wb");
    out.owned = options.output != "-";
    if (out.stream == nullptr) {
        Report(options.output, std::string("cannot create: ") + std::strerror(errno));
        return kCannotUseFiles;
    }
    MailboxReader reader(in.stream);
    std::string message;
    for (unsigned long number = 1; reader.Next(message); ++number) {
        std::string where = DisplayName(options.input);
        if (reader.IsMailbox()) {
            where += ": message " + std::to_string(number);
        }
        if (!ConvertAndWrite(run, message, where, reader.IsMailbox(), out.stream)) {
            Report(options.output, std::string("cannot write: ") + std::strerror(errno));
            return kCannotUseFiles;
        }
    }
    if (reader.Failed()) {
        Report(DisplayName(options.input), "read error; the output holds what came before it");
        return kCannotUseFiles;
    }
    if (std::fflush(out.stream) != 0) {
        Report(options.output, std::string("cannot write: ") + std::strerror(errno));
        return kCannotUseFiles;
    }
    return kAllWritten;
}

// One message file converted into a new file of that name.
bool ConvertFile(Run& run, const std::string& message, const std::string& source,
                 const std::string& target) {
    std::FILE* file = std::fopen(target.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = ConvertAndWrite(run, message, source, false, file);
    return std::fclose(file) == 0 && written;
}

// Every .eml file of the input folder into the output folder.
int ConvertFolder(Run& run) {
    const TranslateOptions& options = run.options;
    std::vector<std::string> names;
    if (!ListMessageFiles(options.input, names)) {
        Report(options.input, "cannot read the folder");
        return kCannotUseFiles;
    }
    if (!IsFolder(options.output) && !CreateFolder(options.output)) {
        Report(options.output, "cannot create the folder");
        return kCannotUseFiles;
    }
    for (const std::string& name : names) {
        std::string source = JoinPath(options.input, name);
        std::string target = JoinPath(options.output, name);
        std::string message;
        if (!ReadWholeFile(source, message)) {
            Report(source, "cannot read; skipped");
            run.progress.Count(WalkOutcome::Failed, 0);
            continue;
        }
        if (!ConvertFile(run, message, source, target)) {
            Report(target, std::string("cannot write: ") + std::strerror(errno));
            return kCannotUseFiles;
        }
    }
    return kAllWritten;
}

// Refuses an OUTPUT that is the input or that exists without --force.
bool OutputIsUsable(const TranslateOptions& options) {
    if (options.output == "-") {
        return true;
    }
    if (options.input != "-" && IsSameFile(options.input, options.output)) {
        Report(options.output, "is the input itself; give a new name for the output");
        return false;
    }
    if (PathExists(options.output) && !options.force) {
        Report(options.output, "exists; give a new name, or --force to replace it");
        return false;
    }
    return true;
}

}  // namespace

int RunWholeMessages(const TranslateOptions& options) {
    if (options.input != "-" && !PathExists(options.input)) {
        Report(options.input, "no such file or folder");
        return kCannotUseFiles;
    }
    bool folder = options.input != "-" && IsFolder(options.input);
    if (folder && options.output == "-") {
        Report(options.input, "a folder needs an output folder, not standard output");
        return kCannotUseFiles;
    }
    if (!OutputIsUsable(options)) {
        return kCannotUseFiles;
    }
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
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
