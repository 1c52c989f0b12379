#include <windows.h>

#include "host/host_records.h"

using namespace vellumo;

extern "C" long WINAPI ems_translate_file(void* /*globals*/, TranslatorInfoRecord* /*translator*/,
                                          DataFileRecord* /*input*/, void* /*progress*/,
                                          DataFileRecord* /*output*/,
                                          ResultStatusRecord* /*status*/) {
    // Declined: the host keeps the message as it arrived.
    return kStatusDataUnchanged;
}
