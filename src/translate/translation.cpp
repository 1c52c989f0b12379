#include "translate/translation.h"

#include <cstdint>

#include "translate/output_file.h"

namespace vellumo {

int WriteTranslationOutput(Translation& translation, const std::string& head, const char* body,
                           size_t length) {
    return WriteTranslationOutput(translation,
                                  {head, std::string_view(body != nullptr ? body : "", length)});
}

int WriteTranslationOutput(Translation& translation, const std::vector<std::string_view>& pieces) {
    if (translation.outputText == nullptr) {
        return StatusOfOutputWrite(WriteOutputFile(translation.outputPath, pieces));
    }
    size_t size = 0;
    for (std::string_view piece : pieces) {
        size += piece.size();
    }
    translation.outputText->clear();
    translation.outputText->reserve(size);
    for (std::string_view piece : pieces) {
        translation.outputText->append(piece.data(), piece.size());
    }
    return kStatusSuccess;
}

void AppendToTranslationOutput(Translation& translation, const std::string& text) {
    if (translation.outputText == nullptr) {
        std::uint64_t length = 0;
        bool measured = OutputFileLength(translation.outputPath, length);
        if (!AppendTextToFile(translation.outputPath, text) && measured) {
            // Half a line would say nothing whole: the output stands without it.
            (void)CutOutputFile(translation.outputPath, length);
        }
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
