#include "translate/translation.h"

#include "platform/files.h"
#include "translate/output_file.h"

namespace vellumo {

ArchiveGuard::~ArchiveGuard() {
    if (!kept_ && !path_.empty()) {
        (void)DeleteFileAt(path_);
    }
}

int StatusOfOutputWrite(OutputWrite result) {
    switch (result) {
        case OutputWrite::Written:
            return kStatusSuccess;
        case OutputWrite::OpenFailed:
            return kStatusOutputOpenFailed;
        case OutputWrite::WriteFailed:
            break;
    }
    return kStatusDataUnchanged;
}

}  // namespace vellumo
