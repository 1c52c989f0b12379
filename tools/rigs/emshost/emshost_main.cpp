// emshost: plays the mail client for vellumo.dll.
//
//   emshost.exe [--dll PATH] [--config-dir DIR | --null-config] [--api N] [STEP ...]
//
// Steps run in order after plug-in start, separated by "--then":
//   can [options] MESSAGE|-      offer a message to the translators
//   translate --translator N [options] MESSAGE OUTPUT
//                                offer, then translate (--save-part FILE writes
//                                the attachment the host puts back from the output)
//   walk [--label L] MESSAGE OUTPUT
//                                the host's whole walk of a message: every
//                                entity offered, translated, put back and
//                                offered again; OUTPUT gets the saved message
//   special-hook | config       open the plug-in's dialogs
// Everything seen is printed as "key: value" lines; the exit code is 0 when
// the plug-in kept the host's contract, 2 when it broke it, 1 on bad usage.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host_steps.h"

using namespace emshost;

namespace {

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOf(path);
}

void PrintUsage() {
    std::printf(
        "usage: emshost.exe [--dll PATH] [--config-dir DIR | --null-config] [--api N]\n"
        "                   [STEP [--then STEP]...]\n"
        "steps:\n"
        "  can [--translator N]... [--context C] [--type T/S] [--param N=V]...\n"
        "      [--disposition D] [--subject S] [--label L] [--null-header] [--null-raw]\n"
        "      [--no-mime] MESSAGE|-\n"
        "  translate --translator N [--raw-input] [--no-output-file] [--null-output]\n"
        "      [--subject S] [--save-part FILE] MESSAGE OUTPUT\n"
        "      (--save-part: put the output back as a nested entity and write the\n"
        "      attachment the host would save to FILE)\n"
        "  walk [--label L] MESSAGE OUTPUT\n"
        "      (the host's whole walk of the message; OUTPUT gets what it saves)\n"
        "  special-hook | config\n");
}

bool RunStep(PluginApi& api, const HostOptions& options, const std::vector<std::string>& step) {
    std::vector<std::string> args(step.begin() + 1, step.end());
    if (step[0] == "can") {
        return RunCanStep(api, args);
    }
    if (step[0] == "translate") {
        return RunTranslateStep(api, args);
    }
    if (step[0] == "walk") {
        return RunWalkStep(api, args);
    }
    bool handled = false;
    bool ok = RunDialogStep(api, options, step[0], args, handled);
    if (!handled) {
        std::printf("error: unknown step %s\n", step[0].c_str());
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    HostOptions options;
    options.dllPath = ExeFolder() + "\\vellumo.dll";
    std::vector<std::vector<std::string>> steps(1);
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (steps.size() == 1 && steps[0].empty() && a == "--dll" && i + 1 < argc) {
            options.dllPath = argv[++i];
        } else if (steps.size() == 1 && steps[0].empty() && a == "--config-dir" && i + 1 < argc) {
            options.configFolder = argv[++i];
        } else if (steps.size() == 1 && steps[0].empty() && a == "--api" && i + 1 < argc) {
            options.hostApiVersion = static_cast<short>(std::atoi(argv[++i]));
        } else if (steps.size() == 1 && steps[0].empty() && a == "--null-config") {
            options.nullConfig = true;
        } else if (a == "--help" || a == "-h") {
            PrintUsage();
            return 0;
        } else if (a == "--then") {
            steps.emplace_back();
        } else {
            steps.back().push_back(a);
        }
    }
    if (options.configFolder.empty()) {
        options.configFolder = FolderOf(options.dllPath);
    }
    PluginApi api;
    if (!LoadPlugin(options.dllPath, api)) {
        return 2;
    }
    bool ok = StartPlugin(api, options);
    for (const auto& step : steps) {
        if (!step.empty()) {
            ok &= RunStep(api, options, step);
        }
    }
    ok &= StopPlugin(api);
    std::fflush(stdout);
    FreeLibrary(api.module);
    return ok ? 0 : 2;
}
