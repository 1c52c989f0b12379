// ems_translate_file: a shim over the portable translation driver. Nothing
// may throw across it into the mail client.

#include <windows.h>

#include <string>

#include "host/host_records.h"
#include "translate/translate_driver.h"

using namespace vellumo;

extern "C" long WINAPI ems_translate_file(void* /*globals*/, TranslatorInfoRecord* translator,
                                          DataFileRecord* input, void* /*progress*/,
                                          DataFileRecord* output, ResultStatusRecord* /*status*/) {
    if (translator == nullptr) {
        return kStatusDataUnchanged;
    }
    if (input == nullptr || input->fileName == nullptr) {
        return kStatusInputOpenFailed;
    }
    if (output == nullptr || output->fileName == nullptr) {
        return kStatusOutputOpenFailed;
    }
    try {
        const char* subject = input->header != nullptr ? input->header->subject : nullptr;
        MimeTypeRecord* type = nullptr;
        int status =
            TranslateMessageFile(translator->id, input->fileName, output->fileName, subject, &type);
        if (status == kStatusSuccess) {
            // A record the host put here is the host's own: overwritten, never freed.
            output->mimeType = type;
        }
        return status;
    } catch (...) {
        return kStatusDataUnchanged;
    }
}
