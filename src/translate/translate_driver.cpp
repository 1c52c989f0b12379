#include "translate/translate_driver.h"

#include <climits>

#include "codec/header_field_names.h"
#include "platform/files.h"
#include "translate/raw_header_value.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

bool IsKnownTranslator(int id) {
    return id >= kHtmlMessagePart && id <= kRelated4Mixed;
}

// Reads and parses the input; the input text is released before returning,
// so only the decoded model stays in memory.
int ReadMessage(const std::string& inputPath, Translation& translation) {
    std::string text;
    if (!ReadWholeFile(inputPath, text)) {
        return kStatusInputOpenFailed;
    }
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        return kStatusDataUnchanged;
    }
    int length = static_cast<int>(text.size());
    // std::string keeps a NUL after its bytes, the byte the parsers may look at.
    translation.hasRawContentType =
        FindRawFieldValue(text.c_str(), length, kContentTypeField, translation.rawContentType);
    translation.hasRawContentDisposition = FindRawFieldValue(
        text.c_str(), length, kContentDispositionField, translation.rawContentDisposition);
    int parsed = translation.message.Parse(text.c_str(), length);
    // 0: the top-level header could not be read; negative: memory ran out.
    return parsed > 0 ? kStatusSuccess : kStatusDataUnchanged;
}

int Translate(int translatorId, const std::string& inputPath, Translation& translation,
              MimeTypeRecord** outputType) {
    int status = ReadMessage(inputPath, translation);
    if (status != kStatusSuccess) {
        return status;
    }
    switch (translatorId) {
        case kRelated4Mixed:
            return TranslateRelatedToMixed(translation, outputType);
        case kInline4Attachment:
            return TranslateInlineToAttachment(translation, outputType);
        default:
            return TranslateToPlainText(translatorId, translation, outputType);
    }
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
