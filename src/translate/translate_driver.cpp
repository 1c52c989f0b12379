#include "translate/translate_driver.h"

#include <climits>
#include <cstdint>

#include "codec/header_field_names.h"
#include "platform/files.h"
#include "translate/output_file.h"
#include "translate/raw_header_value.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

bool IsKnownTranslator(int id) {
    return id >= kHtmlMessagePart && id <= kRelated4Mixed;
}

// Translator 1 keeps the text: its archive takes a related HTML branch
// exactly as it arrived.
bool KeepsText(int translatorId) {
    return translatorId == kHtmlMessagePart;
}

// Parses the input text into the translation's model; the text moves into
// the translation when keepText asks for it.
int ParseMessage(std::string& text, bool keepText, Translation& translation) {
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
    if (keepText) {
        translation.text.swap(text);
    }
    // 0: the top-level header could not be read; negative: memory ran out.
    return parsed > 0 ? kStatusSuccess : kStatusDataUnchanged;
}

// Reads and parses the input. The input text is released before returning,
// so only the decoded model stays in memory, unless keepText asks for it.
int ReadMessage(const std::string& inputPath, bool keepText, Translation& translation) {
    std::string text;
    if (!ReadWholeFile(inputPath, text)) {
        return kStatusInputOpenFailed;
    }
    return ParseMessage(text, keepText, translation);
}

int RunFlow(int translatorId, Translation& translation, MimeTypeRecord** outputType) {
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
    int status = ReadMessage(inputPath, KeepsText(translatorId), translation);
    return status == kStatusSuccess ? RunFlow(translatorId, translation, outputType) : status;
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
        int status = ParseMessage(input, KeepsText(translatorId), translation);
        // The model holds copies of everything else it needs.
        std::string().swap(input);
        if (status == kStatusSuccess) {
            status = RunFlow(translatorId, translation, outputType);
        }
        if (status == kStatusSuccess && archivePath != nullptr) {
            *archivePath = translation.archive.Path();
        }
        return status;
    } catch (...) {
        return kStatusDataUnchanged;
    }
}

}  // namespace vellumo
