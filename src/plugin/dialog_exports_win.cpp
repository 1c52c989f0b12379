// The two exports that open the plug-in's dialogs. Both run the dialog
// modally on the host's thread and ignore how it was closed.

#include <windows.h>

#include "host/host_records.h"
#include "ui/program_info_dialog.h"
#include "ui/settings_dialog.h"

using namespace vellumo;

namespace {

// The one special menu entry, "Vellumo Settings...".
constexpr HostInt kSettingsMenuId = 1;

}  // namespace

extern "C" {

long WINAPI ems_plugin_config(void* /*globals*/, MailConfigRecord* /*mailConfig*/) {
    try {
        ProgramInfoDialog dialog;
        dialog.RunModal();
    } catch (...) {
        // Nothing may cross the host boundary; the dialog simply did not show.
    }
    return kStatusSuccess;
}

long WINAPI ems_special_hook(void* /*globals*/, MenuRecord* menu) {
    if (menu == nullptr) {
        return kStatusFailure;
    }
    if (menu->id != kSettingsMenuId) {
        return kStatusSuccess;
    }
    try {
        SettingsDialog dialog;
        dialog.RunModal();
    } catch (...) {
        // As above: the host only ever sees a status code.
    }
    return kStatusSuccess;
}

}  // extern "C"
