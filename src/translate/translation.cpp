#include "translate/translation.h"

#include "platform/files.h"
#include "translate/output_file.h"

namespace vellumo {

ArchiveGuard::~ArchiveGuard() {
    if (!kept_ && !path_.empty()) {
        (void)DeleteFileAt(path_);
    }
}

int WriteTranslationOutput(Translation& translation, const std::string& head, const char* body,
                           size_t length) {
    if (translation.outputText == nullptr) {
        return StatusOfOutputWrite(WriteOutputFile(translation.outputPath, head, body, length));
    }
    translation.outputText->assign(head);
    translation.outputText->append(body, length);
    return kStatusSuccess;
}

void AppendToTranslationOutput(Translation& translation, const std::string& text) {
    if (translation.outputText == nullptr) {
        (void)AppendTextToFile(translation.outputPath, text);
    } else if (!text.empty()) {
        translation.outputText->append(text);
        translation.outputText->append("\r\n");
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
