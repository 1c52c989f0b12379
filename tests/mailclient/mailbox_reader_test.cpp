#include "mailclient/mailbox_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "mailclient/mailbox_messages.h"

namespace vellumo::test {
namespace {

constexpr const char* kEnvelopeA = "From ???@??? Mon Dec 07 09:00:00 2026";
constexpr const char* kEnvelopeB = "From b@example.org Tue Jan  5 17:34:01 +0100 1999";

TEST(MailboxReader, SplitsOnlyAtEnvelopeLines) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> messages;
        bool mailbox;
    };
    const std::string a = kEnvelopeA, b = kEnvelopeB;
    const Case cases[] = {
        {"two messages",
         a + "\r\nX: 1\r\n\r\nbody\r\n\r\n" + b + "\r\nX: 2\r\n",
         {a + "\r\nX: 1\r\n\r\nbody\r\n\r\n", b + "\r\nX: 2\r\n"},
         true},
        {"LF mailbox", a + "\nx\n" + b + "\ny\n", {a + "\nx\n", b + "\ny\n"}, true},
        {"unquoted body line without a date does not split",
         a + "\r\n\r\n<p>\r\nFrom the desk of Ann, Mon 10:30\r\n</p>\r\n",
         {a + "\r\n\r\n<p>\r\nFrom the desk of Ann, Mon 10:30\r\n</p>\r\n"},
         true},
        {"envelope line ending the stream without a line end",
         a + "\r\nx\r\n" + b,
         {a + "\r\nx\r\n", b},
         true},
        {"a single message is handed out whole",
         "Subject: x\r\n\r\nbody\r\n" + b + "\r\n",
         {"Subject: x\r\n\r\nbody\r\n" + b + "\r\n"},
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
        EXPECT_EQ(MailboxMessages(c.bytes, &mailbox), c.messages);
        EXPECT_EQ(mailbox, c.mailbox);
    }
}

TEST(MailboxReader, EnvelopeLineNeedsSenderAndDate) {
    EXPECT_TRUE(IsEnvelopeLine(kEnvelopeA));
    EXPECT_TRUE(IsEnvelopeLine(kEnvelopeB));
    EXPECT_TRUE(IsEnvelopeLine("From MAILER-DAEMON Fri Jul  8 12:08:34 2011"));
    for (const char* line : {"From the desk of the editor", "From a@b", "From a@b Mon Dec 07 2026",
                             "From a@b Dec 07 09:00:00 2026", "From  Mon Dec 07 09:00:00 2026",
                             "Fromage Mon Dec 07 09:00:00 2026"}) {
        EXPECT_FALSE(IsEnvelopeLine(line)) << line;
    }
}

TEST(MailboxReader, BlankLinesBeforeTheFirstEnvelopeDoNotMakeOneMessage) {
    std::string a = std::string(kEnvelopeA) + "\r\nX: 1\r\n\r\n";
    std::string b = std::string(kEnvelopeB) + "\r\nX: 2\r\n";
    std::string bytes = "\r\n\r\n" + a + b;
    bool mailbox = false;
    std::string leading;
    EXPECT_EQ(MailboxMessages(bytes, &mailbox, &leading), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(mailbox);
    EXPECT_EQ(leading, "\r\n\r\n");
}

TEST(MailboxReader, MessagesLargerThanOneReadStayWhole) {
    std::string big = std::string(kEnvelopeA) + "\r\n\r\n" + std::string(3 << 20, 'x') + "\r\n";
    std::string small = std::string(kEnvelopeB) + "\r\n\r\ny\r\n";
    EXPECT_EQ(MailboxMessages(big + small + big), (std::vector<std::string>{big, small, big}));
}

// Messages of every size around the reader's 64 KB reads, many to a read
// and some across two or more, each at any offset of a read.
TEST(MailboxReader, MessagesOfMixedSizesComeBackInOrder) {
    std::vector<std::string> expected;
    std::string bytes;
    for (size_t i = 0; i < 600; ++i) {
        size_t length = i % 50 == 0 ? 40000 + 997 * i : 1 + (i * 7919) % 700;
        std::string message = std::string(i % 2 ? kEnvelopeA : kEnvelopeB) + "\r\n\r\n" +
                              std::string(length, static_cast<char>('a' + i % 26)) + "\r\n";
        expected.push_back(message);
        bytes += message;
    }
    EXPECT_EQ(MailboxMessages(bytes), expected);
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
        {"CR LF message without a last line end gets CR LF",
         {"From a\n", "\r\ntext"},
         "From a\n\r\nx",
         "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MailboxTail(c.converted, c.original), c.tail);
    }
}

}  // namespace
}  // namespace vellumo::test
