// The messages a MailboxReader hands out for the given stream bytes, read
// from a temporary file as the tool reads a mailbox.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "mailclient/mailbox_reader.h"

namespace vellumo::test {

// With `mailbox` and `leading`: whether the reader took the bytes for a
// mailbox, and the blank lines before its first envelope line. Every byte
// must be handed out, without a read error.
inline std::vector<std::string> MailboxMessages(const std::string& bytes, bool* mailbox = nullptr,
                                                std::string* leading = nullptr) {
    std::FILE* stream = std::tmpfile();
    EXPECT_NE(stream, nullptr);
    if (stream == nullptr) {
        return {};
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::rewind(stream);
    MailboxReader reader(stream);
    std::vector<std::string> messages;
    std::string message;
    while (reader.Next(message)) {
        messages.push_back(message);
    }
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(reader.BytesRead(), bytes.size());
    if (mailbox != nullptr) {
        *mailbox = reader.IsMailbox();
    }
    if (leading != nullptr) {
        *leading = reader.LeadingLines();
    }
    std::fclose(stream);
    return messages;
}

}  // namespace vellumo::test
