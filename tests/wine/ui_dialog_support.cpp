#include "wine/ui_dialog_support.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vellumo::test {
namespace {

constexpr int kDriveTimeoutSeconds = 120;

void CopyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

std::string Joined(const std::vector<std::string>& lines, const char* separator) {
    std::string all;
    for (const std::string& line : lines) {
        all += line + separator;
    }
    return all;
}

}  // namespace

DialogSetup::DialogSetup() {
    mkdir((root_.path() + "/mail").c_str(), 0755);
    mkdir((root_.path() + "/mail/Plugins").c_str(), 0755);
    mkdir((root_.path() + "/temp").c_str(), 0755);
    CopyFile(Win32Binary("vellumo.dll"), root_.path() + "/mail/Plugins/vellumo.dll");
    // Wine's browser launcher runs this with each address.
    std::string recorder = root_.File("browser.sh");
    WriteFileBytes(recorder,
                   "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + root_.File("browsed.txt") + "'\n");
    chmod(recorder.c_str(), 0755);
}

void DialogSetup::WriteSettings(const std::vector<std::string>& lines) const {
    WriteFileBytes(root_.path() + "/mail/Plugins/vellumo.ini",
                   "[Options]\r\n" + Joined(lines, "\r\n"));
}

bool DialogSetup::HasSettings() const {
    return FileExistsHere(root_.path() + "/mail/Plugins/vellumo.ini");
}

std::string DialogSetup::Settings() const {
    return ReadFileBytes(root_.path() + "/mail/Plugins/vellumo.ini");
}

std::string DialogSetup::DefaultFolderWin() const {
    return WinePath(root_.path() + "/mail/HTML Messages") + "\\";
}

std::vector<std::string> DialogSetup::TempFiles() const {
    std::vector<std::string> names;
    DIR* folder = opendir((root_.path() + "/temp").c_str());
    if (folder == nullptr) {
        return names;
    }
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(folder);
    return names;
}

std::vector<std::string> DialogSetup::BrowsedAddresses() const {
    std::vector<std::string> addresses;
    std::istringstream lines(ReadFileBytes(root_.File("browsed.txt")));
    std::string line;
    while (std::getline(lines, line)) {
        addresses.push_back(line);
    }
    return addresses;
}

WineRun DialogSetup::Drive(const std::vector<std::string>& hostStep,
                           const std::vector<std::string>& script) const {
    std::string scriptFile = root_.File("script.txt");
    WriteFileBytes(scriptFile, Joined(script, "\n"));
    std::string dll = root_.path() + "/mail/Plugins/vellumo.dll";
    std::vector<std::string> args = {"drive",
                                     "--script",
                                     WinePath(scriptFile),
                                     "--temp",
                                     WinePath(root_.path() + "/temp"),
                                     "--browser",
                                     root_.File("browser.sh"),
                                     "--",
                                     WinePath(Win32Binary("emshost.exe")),
                                     "--dll",
                                     WinePath(dll),
                                     "--config-dir",
                                     PluginsWin()};
    args.insert(args.end(), hostStep.begin(), hostStep.end());
    if (!desktop_.empty()) {
        args.insert(args.begin() + 1, {"--desktop", desktop_});
    }
    return RunUnderWine(Win32Binary("uidriver.exe"), args, kDriveTimeoutSeconds);
}

ControlState StateOf(const WineRun& run, int id, size_t occurrence) {
    ControlState state;
    std::vector<std::string> all = run.Values("state " + std::to_string(id));
    if (occurrence >= all.size() || all[occurrence] == "missing") {
        return state;
    }
    const std::string& line = all[occurrence];
    state.found = true;
    state.checked = std::atoi(line.c_str() + line.find("checked=") + 8);
    state.enabled = std::atoi(line.c_str() + line.find("enabled=") + 8);
    size_t text = line.find("text=");
    state.text = text == std::string::npos ? std::string() : line.substr(text + 5);
    return state;
}

}  // namespace vellumo::test
