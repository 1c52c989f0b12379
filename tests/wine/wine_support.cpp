#include "wine/wine_support.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace vellumo::test {
namespace {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string WineCommand() {
    for (const char* candidate : {"/usr/bin/wine", "/usr/bin/wine-stable", "/usr/lib/wine/wine"}) {
        if (access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return "wine";
}

void ParseValues(WineRun& run) {
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        size_t colon = line.find(": ");
        if (colon != std::string::npos) {
            run.values.emplace(line.substr(0, colon), line.substr(colon + 2));
        }
    }
}

}  // namespace

std::string WineRun::Value(const std::string& key) const {
    auto found = values.find(key);
    return found == values.end() ? "(missing)" : found->second;
}

std::vector<std::string> WineRun::Values(const std::string& key) const {
    std::vector<std::string> all;
    auto range = values.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        all.push_back(it->second);
    }
    return all;
}

std::string Win32Binary(const std::string& name) {
    return std::string(VELLUMO_WIN32_BIN) + "/" + name;
}

WineRun RunUnderWine(const std::string& program, const std::vector<std::string>& args,
                     int timeoutSeconds) {
    TempFolder scratch;
    // Relative paths in the arguments (samples/...) name files of the project.
    std::string command = "cd " + ShellQuote(VELLUMO_SOURCE_DIR) +
                          " && WINEPREFIX=" + ShellQuote(VELLUMO_WINE_PREFIX) +
                          " WINEDEBUG=-all timeout -k 5 " + std::to_string(timeoutSeconds) + " " +
                          WineCommand() + " " + ShellQuote(program);
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command +=
        " </dev/null >" + ShellQuote(scratch.File("out")) + " 2>" + ShellQuote(scratch.File("err"));
    WineRun run;
    int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = ReadFileBytes(scratch.File("out"));
    run.errors = ReadFileBytes(scratch.File("err"));
    ParseValues(run);
    return run;
}

WineRun RunHost(const std::vector<std::string>& args, int timeoutSeconds) {
    std::vector<std::string> full = {"--dll", WinePath(Win32Binary("vellumo.dll"))};
    full.insert(full.end(), args.begin(), args.end());
    return RunUnderWine(Win32Binary("emshost.exe"), full, timeoutSeconds);
}

std::string WinePath(const std::string& path) {
    std::string windows = "Z:";
    for (char c : path) {
        windows += c == '/' ? '\\' : c;
    }
    return windows;
}

bool FileExistsHere(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

}  // namespace vellumo::test
