#pragma once
// What the shipped tools share at their edges: the lines that name a problem
// on standard error, and the start of the command line (--help, --version,
// an unknown option, a bad command line).

#include <string>

namespace vellumo {

// The exit status of a bad command line.
inline constexpr int kUsageError = 2;

// Names the running tool in every line below; called first in main.
void SetToolName(const char* name);

// "TOOL: FILE: WHAT" on standard error.
void Report(const std::string& file, const std::string& what);

// "TOOL: WHAT" and a pointer to --help on standard error; kUsageError.
int ReportUsageError(const std::string& what);

// The options every tool answers the same way, before anything else.
struct CommonOptions {
    bool help = false;
    bool version = false;
};

// True when the argument is --help, -h or --version, noted in `options`:
// the parse then stops, whatever follows.
[[nodiscard]] bool TakeCommonOption(const std::string& argument, CommonOptions& options);

// True, with "unknown option ..." in `error`, for an argument that looks
// like an option ("-" alone names standard input or output) and that the
// tool has not read as one of its own.
[[nodiscard]] bool IsUnknownOption(const std::string& argument, std::string& error);

// What main does first with its parsed command line: a bad one (parsed
// false) is named with ReportUsageError; --help prints `usage` and
// --version the tool's version on standard output. False when the tool
// stops there, with the exit status in `status`.
[[nodiscard]] bool StartTool(bool parsed, const std::string& error, const CommonOptions& options,
                             const char* usage, int& status);

}  // namespace vellumo
