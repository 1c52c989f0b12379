#pragma once
// The translation driver behind ems_translate_file: reads a message file,
// rewrites it by one of the four translators and writes the output file.
//
// Process-wide inputs: SaveHTMLMessagesValue (exactly 1 saves the HTML of
// translators 1 and 2 into the archive), CapturedHeaders (raw headers of the
// message, for the archive), ConfigFolder and SettingsFilePath.

#include <string>

#include "host/host_records.h"
#include "translate/decline_reason.h"

namespace vellumo {

enum TranslatorId : int {
    kHtmlMessagePart = 1,    // multipart/alternative: its text/plain alternative
    kPureHtmlMessage = 2,    // text/html: the rendered text as text/plain
    kInline4Attachment = 3,  // application/octet-stream: inline becomes attachment
    kRelated4Mixed = 4,      // multipart/related becomes multipart/mixed
};

// Translates inputPath into outputPath, which must exist (it is cut to what
// is written). subject is the host's subject (null or empty: taken from
// CapturedHeaders). Returns a host status code:
//  0  written; *outputType (when outputType is not null) receives a new
//     record the caller owns (FreeMimeTypeRecord, or the host's ems_free):
//     multipart/mixed when translator 1 keeps parts beside the text.
//  5  the input file cannot be read;  6  the output file cannot be opened.
//  12 declined, no archive file left, and the output exactly as it was
//     (the host's output starts empty): the message does not fit the
//     translator (translator 1 without a direct text/plain child, or with
//     a blank one while another alternative shows something; translator 2
//     on a non-text message; an unknown id), its text would show nothing
//     (translator 2), it cannot be read or written back whole (a full
//     disk), the archive file cannot be created while there is HTML to
//     save, the output holds more than kMaxRestorableOutputBytes (it could
//     not be put back), or memory ran out. The host then keeps the message
//     unchanged.
// archivePath, when not null, receives the archive file's path on 0 (empty
// when nothing was saved); reason, when not null, receives on 12 the rule
// that declined. Never throws.
[[nodiscard]] int TranslateMessageFile(int translatorId, const std::string& inputPath,
                                       const std::string& outputPath, const char* subject,
                                       MimeTypeRecord** outputType,
                                       std::string* archivePath = nullptr,
                                       DeclineReason* reason = nullptr) noexcept;

// The same translation with the input file's bytes given (and released
// once parsed) and the output file's bytes returned in `output` (on 0), for
// callers that hold the entity in memory. Never returns 5 or 6.
[[nodiscard]] int TranslateMessageText(int translatorId, std::string input, std::string& output,
                                       const char* subject, MimeTypeRecord** outputType,
                                       std::string* archivePath = nullptr,
                                       DeclineReason* reason = nullptr) noexcept;

}  // namespace vellumo
