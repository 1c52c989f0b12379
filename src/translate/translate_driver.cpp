#include "translate/translate_driver.h"

#include <climits>
#include <cstdint>

#include "platform/files.h"
#include "translate/output_file.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

bool IsKnownTranslator(int id) {
    return id >= kHtmlMessagePart && id <= kRelated4Mixed;
}

// Every flow works on the text as it arrived.
int RunFlow(int translatorId, std::string& text, Translation& translation,
            MimeTypeRecord** outputType) {
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        return kStatusDataUnchanged;
    }
    translation.text.swap(text);
    switch (translatorId) {
        case kRelated4Mixed:
            return TranslateRelatedToMixed(translation, outputType);
        case kInline4Attachment:
            return TranslateInlineToAttachment(translation, outputType);
        default:
            return TranslateToPlainText(translatorId, translation, outputType);
    }
}

int Translate(int translatorId, const std::string& inputPath, Translation& translation,
              MimeTypeRecord** outputType) {
    std::string text;
    if (!ReadWholeFile(inputPath, text)) {
        return kStatusInputOpenFailed;
    }
    return RunFlow(translatorId, text, translation, outputType);
}

// Cuts the output back to the length it had before the translation.
void RestoreOutput(const std::string& outputPath, std::uint64_t length) noexcept {
    try {
        (void)CutOutputFile(outputPath, length);
    } catch (...) {
        // Out of memory for the path: nothing more can be done.
    }
}

int TranslateGuarded(int translatorId, const std::string& inputPath, const std::string& outputPath,
                     const char* subject, MimeTypeRecord** outputType,
                     std::string* archivePath) noexcept {
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
        // Out of memory somewhere: the archive object has removed its file.
        return kStatusDataUnchanged;
    }
}

}  // namespace

int TranslateMessageFile(int translatorId, const std::string& inputPath,
                         const std::string& outputPath, const char* subject,
                         MimeTypeRecord** outputType, std::string* archivePath) noexcept {
    if (!IsKnownTranslator(translatorId)) {
        return kStatusDataUnchanged;
    }
    std::uint64_t outputLength = 0;
    bool measured = false;
    try {
        measured = OutputFileLength(outputPath, outputLength);
    } catch (...) {
        return kStatusDataUnchanged;
    }
    int status =
        TranslateGuarded(translatorId, inputPath, outputPath, subject, outputType, archivePath);
    // On every failure the output stays as the host gave it: a write cut
    // short (a full disk) must not leave half a message behind.
    if (status != kStatusSuccess && measured) {
        RestoreOutput(outputPath, outputLength);
    }
    return status;
}

int TranslateMessageText(int translatorId, std::string input, std::string& output,
                         const char* subject, MimeTypeRecord** outputType,
                         std::string* archivePath) noexcept {
    if (!IsKnownTranslator(translatorId)) {
        return kStatusDataUnchanged;
    }
    try {
        Translation translation;
        translation.outputText = &output;
        translation.subject = subject;
        int status = RunFlow(translatorId, input, translation, outputType);
        if (status == kStatusSuccess && archivePath != nullptr) {
            *archivePath = translation.archive.Path();
        }
        return status;
    } catch (...) {
        return kStatusDataUnchanged;
    }
}

}  // namespace vellumo
