#include <windows.h>

#include "host/host_records.h"

using namespace vellumo;

extern "C" {

long WINAPI ems_plugin_config(void* /*globals*/, MailConfigRecord* /*mailConfig*/) {
    return kStatusSuccess;
}

long WINAPI ems_special_hook(void* /*globals*/, MenuRecord* menu) {
    return menu == nullptr ? kStatusFailure : kStatusSuccess;
}

}  // extern "C"
