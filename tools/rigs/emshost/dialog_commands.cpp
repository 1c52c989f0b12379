// Dialog steps: "special-hook [--id N] [--null]" calls ems_special_hook with
// a menu record for entry N (1 by default) or a null record; "config" calls
// ems_plugin_config. Both block while the plug-in's dialog is open and then
// print the status and the time the call took.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "host_steps.h"

namespace emshost {
namespace {

struct HookOptions {
    long id = 1;
    bool nullRecord = false;
    bool valid = true;
};

HookOptions ParseHookOptions(const std::vector<std::string>& args) {
    HookOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--id" && i + 1 < args.size()) {
            options.id = std::strtol(args[++i].c_str(), nullptr, 10);
        } else if (args[i] == "--null") {
            options.nullRecord = true;
        } else {
            std::printf("error: unknown special-hook option %s\n", args[i].c_str());
            options.valid = false;
        }
    }
    return options;
}

bool RunSpecialHook(PluginApi& api, const std::vector<std::string>& args) {
    HookOptions options = ParseHookOptions(args);
    if (!options.valid) {
        return false;
    }
    MenuRecord menu = {};
    menu.size = sizeof menu;
    menu.id = options.id;
    DWORD started = GetTickCount();
    long status = api.specialHook(api.globals, options.nullRecord ? nullptr : &menu);
    std::printf("special_hook.status: %ld\nspecial_hook.ms: %lu\n", status,
                static_cast<unsigned long>(GetTickCount() - started));
    std::fflush(stdout);
    long expected = options.nullRecord ? 1 : 0;
    return status == expected && menu.description == nullptr && menu.icon == nullptr;
}

bool RunConfig(PluginApi& api, const HostOptions& options) {
    MailConfigRecord config = {};
    config.size = sizeof config;
    std::string folder = options.configFolder;
    config.configFolder = &folder[0];
    DWORD started = GetTickCount();
    long status = api.pluginConfig(api.globals, &config);
    std::printf("config.status: %ld\nconfig.ms: %lu\n", status,
                static_cast<unsigned long>(GetTickCount() - started));
    std::fflush(stdout);
    return status == 0;
}

}  // namespace

bool RunDialogStep(PluginApi& api, const HostOptions& options, const std::string& verb,
                   const std::vector<std::string>& args, bool& handled) {
    handled = verb == "special-hook" || verb == "config";
    if (verb == "special-hook") {
        return RunSpecialHook(api, args);
    }
    if (verb == "config") {
        return RunConfig(api, options);
    }
    return false;
}

}  // namespace emshost
