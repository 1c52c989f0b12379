#include "translate/translate_driver.h"

#include <climits>
#include <string_view>
#include <utility>

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
        return Decline(translation, DeclineCause::kInputTooLarge);
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

// Puts the output's bytes back as they were before the translation.
void RestoreOutput(const std::string& outputPath, const std::string& saved) noexcept {
    try {
        (void)WriteOutputFile(outputPath, saved);
    } catch (...) {
        // Out of memory for the path: nothing more can be done.
    }
}

// Hands the translation's results to the caller's optional outputs.
void HandOver(int status, Translation& translation, std::string* archivePath,
              DeclineReason* reason) {
    if (status == kStatusSuccess && archivePath != nullptr) {
        *archivePath = translation.archive.Path();
    }
    if (status == kStatusDataUnchanged && reason != nullptr) {
        *reason = std::move(translation.decline);
    }
}

// Declines with the cause for the caller that asked for it. The detail is
// copied here, where running out of memory for it is caught.
int Declined(DeclineReason* reason, DeclineCause cause, std::string_view detail = {}) noexcept {
    if (reason != nullptr) {
        reason->cause = cause;
        try {
            reason->detail.assign(detail.data(), detail.size());
        } catch (...) {
            reason->detail.clear();  // out of memory: the cause says enough
        }
    }
    return kStatusDataUnchanged;
}

int TranslateGuarded(int translatorId, const std::string& inputPath, const std::string& outputPath,
                     const char* subject, MimeTypeRecord** outputType, std::string* archivePath,
                     DeclineReason* reason) noexcept {
    try {
        Translation translation;
        translation.outputPath = outputPath;
        translation.subject = subject;
        int status = Translate(translatorId, inputPath, translation, outputType);
        HandOver(status, translation, archivePath, reason);
        return status;
    } catch (...) {
        // Out of memory somewhere: the archive object has removed its file.
        return Declined(reason, DeclineCause::kOutOfMemory);
    }
}

}  // namespace

int TranslateMessageFile(int translatorId, const std::string& inputPath,
                         const std::string& outputPath, const char* subject,
                         MimeTypeRecord** outputType, std::string* archivePath,
                         DeclineReason* reason) noexcept {
    if (!IsKnownTranslator(translatorId)) {
        return Declined(reason, DeclineCause::kUnknownTranslator);
    }
    // The translation writes over the output from its first byte; its old
    // bytes are kept to put them back exactly on any failure, a write cut
    // short by a full disk included.
    std::string saved;
    OutputSave save = OutputSave::Missing;
    try {
        save = SaveOutputFile(outputPath, saved);
    } catch (...) {
        return Declined(reason, DeclineCause::kOutOfMemory);
    }
    if (save == OutputSave::TooLarge) {
        // It could not be put back: it is left untouched.
        return Declined(reason, DeclineCause::kOutputTooLargeToRestore, outputPath);
    }
    int status = TranslateGuarded(translatorId, inputPath, outputPath, subject, outputType,
                                  archivePath, reason);
    if (status != kStatusSuccess && save == OutputSave::Saved) {
        RestoreOutput(outputPath, saved);
    }
    return status;
}

int TranslateMessageText(int translatorId, std::string input, std::string& output,
                         const char* subject, MimeTypeRecord** outputType, std::string* archivePath,
                         DeclineReason* reason) noexcept {
    if (!IsKnownTranslator(translatorId)) {
        return Declined(reason, DeclineCause::kUnknownTranslator);
    }
    try {
        Translation translation;
        translation.outputText = &output;
        translation.subject = subject;
        int status = RunFlow(translatorId, input, translation, outputType);
        HandOver(status, translation, archivePath, reason);
        return status;
    } catch (...) {
        return Declined(reason, DeclineCause::kOutOfMemory);
    }
}

}  // namespace vellumo
