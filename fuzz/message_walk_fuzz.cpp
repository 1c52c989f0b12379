// The whole-message walk on arbitrary message bytes, through the real
// driver in memory. Checks that a walk that converts nothing hands back no
// pieces, that a conversion's pieces lie inside the message or its own
// texts, and that the mailbox reader returns the bytes it was given.
//
// Input layout: byte 0 bit 0 = quote "From " lines; bytes 1.. = the message.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "mailclient/entity_translator.h"
#include "mailclient/mailbox_reader.h"
#include "mailclient/message_walk.h"

namespace {

bool Inside(std::string_view piece, std::string_view whole) {
    return piece.data() >= whole.data() &&
           piece.data() + piece.size() <= whole.data() + whole.size();
}

void CheckPieces(const vellumo::WalkResult& result, std::string_view message) {
    for (std::string_view piece : result.pieces) {
        bool owned = Inside(piece, message);
        for (const std::string& text : result.texts) {
            owned = owned || Inside(piece, text);
        }
        if (!owned) {
            std::abort();
        }
    }
}

void CheckMailboxReader(const std::string& bytes) {
    std::FILE* stream = std::tmpfile();
    if (stream == nullptr) {
        return;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::rewind(stream);
    vellumo::MailboxReader reader(stream);
    std::string message, joined;
    while (reader.Next(message)) {
        joined += message;
    }
    std::fclose(stream);
    // Blank lines before a mailbox's first envelope line are handed out on
    // their own; every other byte belongs to one message.
    if (reader.LeadingLines() + joined != bytes) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string message(reinterpret_cast<const char*>(data) + 1, size - 1);
    vellumo::WalkOptions options;
    options.quoteFromLines = (data[0] & 1) != 0;
    vellumo::DriverEntityTranslator translator;
    vellumo::WalkResult result = vellumo::WalkMessage(message, translator, nullptr, options);
    if (result.outcome != vellumo::WalkOutcome::Converted && !result.pieces.empty()) {
        std::abort();
    }
    CheckPieces(result, message);
    CheckMailboxReader(message);
    return 0;
}
