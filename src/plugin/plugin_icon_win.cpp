#include "plugin/plugin_icon_win.h"

#include <windows.h>

#include <cstdlib>

#include "host/module_instance_win.h"
#include "host/plugin_state.h"
#include "host/translator_table.h"

namespace vellumo {
namespace {

int IconIdFor(int index) {
    if (index == -1) {
        return kPluginIconId;
    }
    if (HostApiVersion >= 4) {
        return kModernIconId;
    }
    const TranslatorEntry* entry = FindTranslator(index);
    return entry != nullptr ? entry->iconId : kTranslatorIconId;
}

}  // namespace

void* LoadPluginIcon(int index) {
    HICON* block = static_cast<HICON*>(std::malloc(sizeof(HICON)));
    if (block == nullptr) {
        return nullptr;
    }
    *block = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(IconIdFor(index)));
    return block;
}

}  // namespace vellumo
