// uidriver: drives the plug-in's dialogs from outside, the way a user would,
// with window messages.
//
//   uidriver.exe drive --script FILE [--temp DIR] [--browser PATH] [--desktop DIR]
//                      -- PROGRAM [ARG...]
//       starts PROGRAM (its output goes to ours), runs the script against its
//       dialogs (see script_runner.h) and ends it if it is still running.
//       --temp sets the program's temporary folder; --browser makes Wine's
//       browser launcher run PATH with each address the program opens;
//       --desktop moves the user's desktop folder to DIR while the script runs.
//   uidriver.exe resources DLL FOLDER
//       writes every resource of DLL into FOLDER (see resource_dump.h).
// Exit code 0 when everything ran, 1 on bad usage or a failed command.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "resource_dump.h"
#include "script_runner.h"

namespace {

struct DriveOptions {
    std::string script;
    std::string temp;
    std::string browser;
    std::string desktop;
    std::string commandLine;
};

std::string Quoted(const std::string& word) {
    return word.find(' ') == std::string::npos ? word : "\"" + word + "\"";
}

bool ParseDrive(int argc, char** argv, DriveOptions& options) {
    int i = 2;
    for (; i < argc && std::string(argv[i]) != "--"; ++i) {
        std::string a = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        if (a == "--script") {
            options.script = argv[++i];
        } else if (a == "--temp") {
            options.temp = argv[++i];
        } else if (a == "--browser") {
            options.browser = argv[++i];
        } else if (a == "--desktop") {
            options.desktop = argv[++i];
        } else {
            return false;
        }
    }
    for (++i; i < argc; ++i) {
        options.commandLine += (options.commandLine.empty() ? "" : " ") + Quoted(argv[i]);
    }
    return !options.script.empty() && !options.commandLine.empty();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

void SetBrowser(const std::string& browser) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browser.c_str()),
                   static_cast<DWORD>(browser.size() + 1));
    RegCloseKey(key);
}

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the user's desktop folder, where the shell's folder browser starts,
// at another folder; returns the value to put back ("" when there was none).
std::string SwapDesktop(const std::string& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return std::string();
    }
    char old[1024] = {};
    DWORD size = sizeof old - 1;
    DWORD type = 0;
    std::string previous;
    if (RegQueryValueExA(key, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS) {
        previous = old;
    }
    if (folder.empty()) {
        RegDeleteValueA(key, "Desktop");
    } else {
        RegSetValueExA(key, "Desktop", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
    }
    RegCloseKey(key);
    return previous;
}

// The shell keeps the resolved folder in a second key; drop it so that the
// next program resolves the restored folder afresh.
void ForgetResolvedDesktop() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Desktop");
        RegCloseKey(key);
    }
}

int Drive(const DriveOptions& options) {
    if (!options.temp.empty()) {
        SetEnvironmentVariableA("TEMP", options.temp.c_str());
        SetEnvironmentVariableA("TMP", options.temp.c_str());
    }
    if (!options.browser.empty()) {
        SetBrowser(options.browser);
    }
    std::vector<std::string> lines = ReadLines(options.script);
    std::string previousDesktop =
        options.desktop.empty() ? std::string() : SwapDesktop(options.desktop);
    std::vector<char> commandLine(options.commandLine.begin(), options.commandLine.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("error: cannot start %s\n", options.commandLine.c_str());
        return 1;
    }
    bool ok = uidriver::RunScript(lines, process.hProcess, process.dwProcessId);
    if (!options.desktop.empty()) {
        SwapDesktop(previousDesktop);
        ForgetResolvedDesktop();
    }
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
        std::printf("driver: program still running, ended\n");
        TerminateProcess(process.hProcess, 3);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::fflush(stdout);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "resources" && argc == 4) {
        return uidriver::DumpResources(argv[2], argv[3]) ? 0 : 1;
    }
    DriveOptions options;
    if (mode == "drive" && ParseDrive(argc, argv, options)) {
        return Drive(options);
    }
    std::printf(
        "usage: uidriver.exe drive --script FILE [--temp DIR] [--browser PATH] [--desktop DIR] "
        "-- PROGRAM [ARG...]\n       uidriver.exe resources DLL FOLDER\n");
    return 1;
}
