// The host's entry points. Each is a few-line shim; nothing may throw across
// the boundary into the mail client.

#include <windows.h>

#include <cstdlib>

#include "host/acceptance.h"
#include "host/host_records.h"
#include "host/plugin_state.h"
#include "host/translator_table.h"
#include "plugin/plugin_init_win.h"

using namespace vellumo;

namespace {

constexpr short kPluginApiVersion = 4;

}  // namespace

extern "C" {

long WINAPI ems_plugin_version(short* apiVersion) {
    if (apiVersion != nullptr) {
        *apiVersion = kPluginApiVersion;
    }
    return kStatusSuccess;
}

long WINAPI ems_plugin_init(void** /*globals*/, short hostApiVersion, MailConfigRecord* mailConfig,
                            PluginInfoRecord* pluginInfo) {
    try {
        InitPlugin(static_cast<std::uint16_t>(hostApiVersion), mailConfig, pluginInfo);
    } catch (...) {
    }
    return kStatusSuccess;
}

long WINAPI ems_translator_info(void* /*globals*/, TranslatorInfoRecord* translator) {
    if (translator == nullptr || FindTranslator(translator->id) == nullptr) {
        return kStatusInvalidId;
    }
    try {
        FillTranslatorInfo(translator);
    } catch (...) {
    }
    return kStatusSuccess;
}

long WINAPI ems_can_translate(void* /*globals*/, TranslatorInfoRecord* translator,
                              DataFileRecord* data, ResultStatusRecord* /*status*/) {
    try {
        // The last offer is always for the entity then translated.
        HostInputTailLineEnds = HostInputTailFor(data != nullptr ? data->header : nullptr);
        return CanTranslate(translator, data);
    } catch (...) {
        return kStatusCannotTranslate;
    }
}

long WINAPI ems_plugin_finish(void* /*globals*/) {
    return kStatusSuccess;
}

long WINAPI ems_free(void* block) {
    std::free(block);
    return kStatusSuccess;
}

long WINAPI ems_special_info(void* /*globals*/, MenuRecord* menu) {
    if (menu == nullptr) {
        return kStatusInvalidId;
    }
    try {
        return FillSpecialInfo(menu);
    } catch (...) {
        return kStatusSuccess;
    }
}

}  // extern "C"
