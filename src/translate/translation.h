#pragma once
// One translation in progress: the parsed message, the raw values the
// relabelling translators need, and the archive file created for it.

#include <string>

#include "host/host_records.h"
#include "mime/mime_message.h"
#include "translate/output_file.h"

namespace vellumo {

// Removes the archive file on destruction unless Keep was called, so a
// declined translation (or one cut short by an exception) leaves none.
class ArchiveGuard {
  public:
    ArchiveGuard() = default;
    ~ArchiveGuard();
    ArchiveGuard(const ArchiveGuard&) = delete;
    ArchiveGuard& operator=(const ArchiveGuard&) = delete;

    void Adopt(const std::string& path) { path_ = path; }
    void Keep() { kept_ = true; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool kept_ = false;
};

struct Translation {
    std::string outputPath;
    // When set, the output goes into this string instead of the output file.
    std::string* outputText = nullptr;
    const char* subject = nullptr;
    // The input as it arrived, for the translators that change a header
    // field in place and pass every other byte through.
    std::string text;
    MimeMessage message;
    ArchiveGuard archive;
};

// The status code for an output write: 0, 6 for a file that cannot be
// opened, 12 for one that could not be written whole.
[[nodiscard]] int StatusOfOutputWrite(OutputWrite result);

// Writes head and body as the translation's output, replacing what was
// there. kStatusSuccess, kStatusOutputOpenFailed, or kStatusDataUnchanged
// when the output file could not be written whole.
[[nodiscard]] int WriteTranslationOutput(Translation& translation, const std::string& head,
                                         const char* body, size_t length);
// Appends text and CR LF to the output (AppendTextToFile for a file).
void AppendToTranslationOutput(Translation& translation, const std::string& text);

// The translator flows. Each returns a status code and, on kStatusSuccess,
// the output's MIME type in *outputType. Translators 3 and 4 run on the
// input text, translators 1 and 2 on the parsed message.
[[nodiscard]] int TranslateRelatedToMixed(Translation& translation, MimeTypeRecord** outputType);
[[nodiscard]] int TranslateInlineToAttachment(Translation& translation,
                                              MimeTypeRecord** outputType);
[[nodiscard]] int TranslateToPlainText(int translatorId, Translation& translation,
                                       MimeTypeRecord** outputType);

}  // namespace vellumo
