#include "tool_start.h"

#include <cstdio>

#ifndef VELLUMO_VERSION
#define VELLUMO_VERSION "unknown"
#endif

namespace vellumo {
namespace {

const char* toolName = "vellumo";

}  // namespace

void SetToolName(const char* name) {
    toolName = name;
}

void Report(const std::string& file, const std::string& what) {
    std::fprintf(stderr, "%s: %s: %s\n", toolName, file.c_str(), what.c_str());
}

int ReportUsageError(const std::string& what) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", toolName, what.c_str(),
                 toolName);
    return kUsageError;
}

bool TakeCommonOption(const std::string& argument, CommonOptions& options) {
    if (argument == "--help" || argument == "-h") {
        options.help = true;
    } else if (argument == "--version") {
        options.version = true;
    }
    return options.help || options.version;
}

bool IsUnknownOption(const std::string& argument, std::string& error) {
    if (argument.size() < 2 || argument[0] != '-') {
        return false;
    }
    error = "unknown option " + argument;
    return true;
}

bool StartTool(bool parsed, const std::string& error, const CommonOptions& options,
               const char* usage, int& status) {
    status = 0;
    if (!parsed) {
        status = ReportUsageError(error);
    } else if (options.help) {
        std::fputs(usage, stdout);
    } else if (options.version) {
        std::printf("%s %s\n", toolName, VELLUMO_VERSION);
    } else {
        return true;
    }
    return false;
}

}  // namespace vellumo
