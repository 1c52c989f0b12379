#include "mailclient/mailbox_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vellumo {
namespace {

// The messages a reader hands out for the given stream bytes.
std::vector<std::string> ReadAll(const std::string& bytes, bool* mailbox = nullptr) {
    std::FILE* stream = std::tmpfile();
    EXPECT_NE(stream, nullptr);
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
    std::fclose(stream);
    return messages;
}

TEST(MailboxReader, SplitsAtFromLines) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> messages;
        bool mailbox;
    };
    const Case cases[] = {
        {"two messages",
         "From a\r\nX: 1\r\n\r\nbody\r\n\r\nFrom b\r\nX: 2\r\n",
         {"From a\r\nX: 1\r\n\r\nbody\r\n\r\n", "From b\r\nX: 2\r\n"},
         true},
        {"LF mailbox", "From a\nx\nFrom b\ny\n", {"From a\nx\n", "From b\ny\n"}, true},
        {"From inside a line does not split",
         "From a\r\nsaid From b\r\n",
         {"From a\r\nsaid From b\r\n"},
         true},
        {"a single message is handed out whole",
         "Subject: x\r\n\r\nbody\r\nFrom me\r\n",
         {"Subject: x\r\n\r\nbody\r\nFrom me\r\n"},
         false},
        {"empty stream", "", {}, false},
        {"From field with a blank before the colon is a message",
         "From : a\r\nx\r\n",
         {"From : a\r\nx\r\n"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool mailbox = false;
        EXPECT_EQ(ReadAll(c.bytes, &mailbox), c.messages);
        EXPECT_EQ(mailbox, c.mailbox);
    }
}

TEST(MailboxReader, MessagesLargerThanOneReadStayWhole) {
    std::string big = "From a\r\n\r\n" + std::string(3 << 20, 'x') + "\r\n";
    std::string small = "From b\r\n\r\ny\r\n";
    EXPECT_EQ(ReadAll(big + small + big), (std::vector<std::string>{big, small, big}));
}

TEST(MailboxReader, ConvertedMessageEndsAsTheMailboxNeeds) {
    struct Case {
        const char* name;
        std::vector<std::string_view> converted;
        std::string original;
        std::string tail;
    };
    const Case cases[] = {
        {"line end in place", {"From a\r\n\r\ntext\r\n"}, "From a\r\n\r\nx\r\n", ""},
        {"missing line end is added", {"From a\r\n", "\r\ntext"}, "From a\r\n\r\nx\r\n", "\r\n"},
        {"blank line before the next message is kept",
         {"From a\r\n\r\ntext\r\n"},
         "From a\r\n\r\nx\r\n\r\n",
         "\r\n"},
        {"short last piece", {"From a\r\n\r\ntext\r", "\n", "\r\n"}, "From a\r\n\r\nx\r\n\r\n", ""},
        {"LF mailbox", {"From a\n\ntext"}, "From a\n\nx\n\n", "\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MailboxTail(c.converted, c.original), c.tail);
    }
}

}  // namespace
}  // namespace vellumo
