#include "translate/translate_driver.h"

#include <climits>

#include "platform/files.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

bool IsKnownTranslator(int id) {
    return id >= kHtmlMessagePart && id <= kRelated4Mixed;
}

// Reads the input whole; the parsers may look at the NUL that std::string
// keeps after its bytes.
int ReadInput(const std::string& inputPath, std::string& text) {
    if (!ReadWholeFile(inputPath, text)) {
        return kStatusInputOpenFailed;
    }
    return text.size() > static_cast<size_t>(INT_MAX) ? kStatusDataUnchanged : kStatusSuccess;
}

// Reads and parses the input; the input text is released before returning,
// so only the decoded model stays in memory.
int ReadMessage(const std::string& inputPath, Translation& translation) {
    std::string text;
    const int status = ReadInput(inputPath, text);
    if (status != kStatusSuccess) {
        return status;
    }
    int parsed = translation.message.Parse(text.c_str(), static_cast<int>(text.size()));
    // 0: the top-level header could not be read; negative: memory ran out.
    return parsed > 0 ? kStatusSuccess : kStatusDataUnchanged;
}

int Translate(int translatorId, const std::string& inputPath, Translation& translation,
              MimeTypeRecord** outputType) {
    if (translatorId == kRelated4Mixed || translatorId == kInline4Attachment) {
        // Relabelling changes one header field in the text as it arrived.
        const int status = ReadInput(inputPath, translation.text);
        if (status != kStatusSuccess) {
            return status;
        }
        return translatorId == kRelated4Mixed
                   ? TranslateRelatedToMixed(translation, outputType)
                   : TranslateInlineToAttachment(translation, outputType);
    }
    const int status = ReadMessage(inputPath, translation);
    if (status != kStatusSuccess) {
        return status;
    }
    return TranslateToPlainText(translatorId, translation, outputType);
}

}  // namespace

int TranslateMessageFile(int translatorId, const std::string& inputPath,
                         const std::string& outputPath, const char* subject,
                         MimeTypeRecord** outputType, std::string* archivePath) noexcept {
    if (!IsKnownTranslator(translatorId)) {
        return kStatusDataUnchanged;
    }
    try {
        Translation translation;
        translation.outputPath = outputPath;
        translation.subject = subject;
        int status = Translate(translatorId, inputPath, translation, outputType);
        if (status == kStatusSuccess && archivePath != nullptr) {
            *archivePath = translation.archive.Path();
        }
        return status;
    } catch (...) {
        // Out of memory somewhere: the guard has removed the archive file.
        return kStatusDataUnchanged;
    }
}

}  // namespace vellumo
