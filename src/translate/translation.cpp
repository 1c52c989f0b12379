#include "translate/translation.h"

#include <cstdint>
#include <utility>

#include "translate/output_file.h"

namespace vellumo {
namespace {

// The status code for an output write: 0, 6 for a file that cannot be
// opened, 12 for one that could not be written whole.
int StatusOfOutputWrite(Translation& translation, OutputWrite result) {
    switch (result) {
        case OutputWrite::Written:
            return kStatusSuccess;
        case OutputWrite::OpenFailed:
            return kStatusOutputOpenFailed;
        case OutputWrite::WriteFailed:
            break;
    }
    return Decline(translation, DeclineCause::kOutputNotWrittenWhole, translation.outputPath);
}

}  // namespace

int Decline(Translation& translation, DeclineCause cause, std::string detail) {
    translation.decline.cause = cause;
    translation.decline.detail = std::move(detail);
    return kStatusDataUnchanged;
}

int WriteTranslationOutput(Translation& translation, const std::string& head, const char* body,
                           size_t length) {
    return WriteTranslationOutput(translation,
                                  {head, std::string_view(body != nullptr ? body : "", length)});
}

int WriteTranslationOutput(Translation& translation, const std::vector<std::string_view>& pieces) {
    if (translation.outputText == nullptr) {
        return StatusOfOutputWrite(translation, WriteOutputFile(translation.outputPath, pieces));
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
}  // namespace vellumo
