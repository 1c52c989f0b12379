#include "plugin_api.h"

#include <cstdio>

namespace emshost {
namespace {

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (function == nullptr) {
        std::printf("exports.missing: %s\n", name);
        return false;
    }
    return true;
}

}  // namespace

bool LoadPlugin(const std::string& dllPath, PluginApi& api) {
    api.module = LoadLibraryA(dllPath.c_str());
    if (api.module == nullptr) {
        std::printf("load.error: %lu\n", GetLastError());
        return false;
    }
    bool all = true;
    all &= Resolve(api.module, "ems_plugin_version", api.pluginVersion);
    all &= Resolve(api.module, "ems_plugin_init", api.pluginInit);
    all &= Resolve(api.module, "ems_translator_info", api.translatorInfo);
    all &= Resolve(api.module, "ems_can_translate", api.canTranslate);
    all &= Resolve(api.module, "ems_translate_file", api.translateFile);
    all &= Resolve(api.module, "ems_plugin_finish", api.pluginFinish);
    all &= Resolve(api.module, "ems_free", api.free);
    all &= Resolve(api.module, "ems_plugin_config", api.pluginConfig);
    all &= Resolve(api.module, "ems_special_info", api.specialInfo);
    all &= Resolve(api.module, "ems_special_hook", api.specialHook);
    std::printf("exports.found: %s\n", all ? "all" : "some missing");
    return all;
}

int IdentifyIcon(const PluginApi& api, void* iconBlock) {
    if (iconBlock == nullptr) {
        return 0;
    }
    HICON icon = *static_cast<HICON*>(iconBlock);
    if (icon == nullptr) {
        return 0;
    }
    // LoadIcon hands out one shared handle per resource, so equal handles
    // mean the same resource.
    for (int id = 114; id <= 122; ++id) {
        if (LoadIconA(api.module, MAKEINTRESOURCEA(id)) == icon) {
            return id;
        }
    }
    return -1;
}

void FreeBlock(const PluginApi& api, void* block) {
    if (block != nullptr) {
        api.free(block);
    }
}

}  // namespace emshost
