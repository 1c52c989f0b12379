#include "translate/translation.h"

#include <climits>
#include <memory>
#include <new>

#include "translate/output_file.h"

namespace vellumo {

int WriteMessageToOutput(const MimeMessage& message, const std::string& path) {
    int size = message.GetSize();
    if (size <= 0 || size == INT_MAX) {
        return kStatusDataUnchanged;  // too large to be measured whole
    }
    std::unique_ptr<char[]> text(new (std::nothrow) char[static_cast<size_t>(size) + 1]);
    if (!text) {
        return kStatusDataUnchanged;
    }
    int written = message.Write(text.get(), size);
    if (written <= 0) {
        return kStatusDataUnchanged;
    }
    text[static_cast<size_t>(written)] = '\0';
    return StatusOfOutputWrite(WriteOutputFile(path, text.get(), static_cast<size_t>(written)));
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
