#pragma once
// One translation in progress: the message text as it arrived, and the
// archive file created for it.

#include <string>
#include <string_view>
#include <vector>

#include "host/host_records.h"
#include "translate/decline_reason.h"
#include "translate/html_archive.h"
#include "translate/output_file.h"

namespace vellumo {

struct Translation {
    std::string outputPath;
    // When set, the output goes into this string instead of the output file.
    std::string* outputText = nullptr;
    const char* subject = nullptr;
    // The input as it arrived. Every translator reads the message where it
    // stands in this text (nothing is parsed into copies), and releases it
    // once what it needs is copied out; views into it end with it.
    std::string text;
    HtmlArchive archive;
    // Why the translation declined, once it has.
    DeclineReason decline;
};

// Records why the translation declines and returns kStatusDataUnchanged.
[[nodiscard]] int Decline(Translation& translation, DeclineCause cause, std::string detail = {});

// Writes head and body as the translation's output, replacing what was
// there. kStatusSuccess, kStatusOutputOpenFailed, or kStatusDataUnchanged
// (declined) when the output file could not be written whole.
[[nodiscard]] int WriteTranslationOutput(Translation& translation, const std::string& head,
                                         const char* body, size_t length);
// The same for pieces written one after the other.
[[nodiscard]] int WriteTranslationOutput(Translation& translation,
                                         const std::vector<std::string_view>& pieces);
// Appends text and CR LF to the output (AppendTextToFile for a file).
void AppendToTranslationOutput(Translation& translation, const std::string& text);

// The translator flows. Each returns a status code and, on kStatusSuccess,
// the output's MIME type in *outputType.
[[nodiscard]] int TranslateRelatedToMixed(Translation& translation, MimeTypeRecord** outputType);
[[nodiscard]] int TranslateInlineToAttachment(Translation& translation,
                                              MimeTypeRecord** outputType);
[[nodiscard]] int TranslateToPlainText(int translatorId, Translation& translation,
                                       MimeTypeRecord** outputType);

}  // namespace vellumo
