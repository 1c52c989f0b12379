#include "translate/translation.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <new>

#include "translate/output_file.h"

namespace vellumo {

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

namespace {

// The message written straight into the output string.
int WriteMessageToText(const MimeMessage& message, int size, std::string& out) {
    out.resize(static_cast<size_t>(size) + 1);
    int written = message.Write(&out[0], size);
    if (written <= 0) {
        out.clear();
        return kStatusDataUnchanged;
    }
    out.resize(static_cast<size_t>(written));
    return kStatusSuccess;
}

}  // namespace

int WriteMessageToOutput(Translation& translation) {
    const MimeMessage& message = translation.message;
    int size = message.GetSize();
    if (size <= 0 || size == INT_MAX) {
        return kStatusDataUnchanged;  // too large to be measured whole
    }
    if (translation.outputText != nullptr) {
        return WriteMessageToText(message, size, *translation.outputText);
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
    return WriteTranslationOutput(translation, std::string(), text.get(),
                                  static_cast<size_t>(written));
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
