// Every corpus message, converted as part of one mailbox: each entity the
// walk translates gets exactly the result the driver gives when the host
// hands it that entity's input file directly.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "host/host_records.h"
#include "mailclient/mailbox_messages.h"
#include "mailclient/mailbox_reader.h"
#include "mailclient/message_walk.h"
#include "platform/line_ends.h"
#include "translate/driver_fixture.h"
#include "translate/reference_mime.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

constexpr const char* kCorpusFolder = VELLUMO_TEST_DATA_DIR "/corpus/messages";
constexpr const char* kEnvelope = "From ???@??? Mon Jan 01 00:00:00 2024\r\n";

struct Translation {
    std::string path;
    int translatorId;
    std::string input;
    int status;
    std::string output;
};

class Recorder : public WalkObserver {
  public:
    void Translated(const WalkedEntity& entity) override {
        all.push_back(
            {entity.path, entity.translatorId, *entity.inputFile, entity.status, *entity.output});
    }
    std::vector<Translation> all;
};

// The corpus as one mailbox, each message after an envelope line.
std::string CorpusMailbox() {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpusFolder, ignored)) {
        if (entry.path().filename() != "MANIFEST.tsv") {
            names.push_back(entry.path().string());
        }
    }
    std::sort(names.begin(), names.end());
    std::string mailbox;
    for (const std::string& name : names) {
        std::string bytes = test::ReadFileBytes(name);
        std::string firstLine = bytes.substr(0, bytes.find_first_of("\r\n"));
        mailbox += (IsEnvelopeLine(firstLine) ? "" : kEnvelope) + bytes + "\r\n";
    }
    return mailbox;
}

// A field value as the host passes it on: unfolded, blanks trimmed.
std::string HostValue(const std::string& header, const char* name, bool* found) {
    std::string value = test::RefField(header, name, found);
    return value.substr(0, value.find_last_not_of(" \t") + 1);
}

// The host's input file for a whole message, from the separate reading,
// but for its Content-Type line, which the host builds from the
// parameters it read (the walk tests check that line).
std::string ReferenceInputFile(const std::string& entityText) {
    test::RefEntity entity = test::RefSplit(entityText);
    bool found = false;
    std::string file = "Mime-Version: 1.0\r\n";
    std::string encoding = HostValue(entity.header, "Content-Transfer-Encoding", &found);
    if (!encoding.empty()) {
        file += "Content-Transfer-Encoding: " + encoding + "\r\n";
    }
    return file + "\r\n" + entity.body + "\r\n";
}

// The input file without its second line, the Content-Type line.
std::string WithoutTypeLine(const std::string& input) {
    size_t first = input.find("\r\n");
    size_t second = first == std::string::npos ? first : input.find("\r\n", first + 2);
    return second == std::string::npos ? input
                                       : input.substr(0, first + 2) + input.substr(second + 2);
}

class CorpusWalkTest : public test::DriverFixture {
  protected:
    // The walk translates as the host's offer decides: the message itself
    // with the host's one line end after it, a nested entity with two.
    int Direct(const Translation& t, std::string& output) {
        HostInputTailLineEnds = t.path == "message" ? 1 : 2;
        test::WriteFileBytes(Input(), t.input);
        test::WriteFileBytes(Output(), "");
        int status = TranslateMessageFile(t.translatorId, Input(), Output(), nullptr, nullptr);
        output = test::ReadFileBytes(Output());
        return status;
    }
};

TEST_F(CorpusWalkTest, EachEntityGetsTheDriversResult) {
    std::vector<std::string> messages = MailboxMessages(CorpusMailbox());
    ASSERT_GT(messages.size(), 100u);
    DriverEntityTranslator translator;
    int converted = 0;
    for (size_t at = 0; at < messages.size(); ++at) {
        SCOPED_TRACE("message " + std::to_string(at + 1));
        Recorder recorder;
        WalkResult result = WalkMessage(messages[at], translator, &recorder);
        ASSERT_NE(result.outcome, WalkOutcome::Failed) << result.failure;
        converted += result.outcome == WalkOutcome::Converted;
        for (const Translation& t : recorder.all) {
            SCOPED_TRACE(t.path);
            std::string output;
            EXPECT_EQ(Direct(t, output), t.status);
            if (t.status == kStatusSuccess) {
                EXPECT_TRUE(output == t.output);
            }
        }
        std::string host = messages[at];
        // The mail client reads every bare LF of a header as a line end,
        // and a message without CR LF has LF line ends throughout.
        host.erase(0, host.find('\n') + 1);
        size_t blank = host.find("\r\n\r\n");
        host = blank == std::string::npos ? WithCrLf(host)
                                          : WithCrLf(host.substr(0, blank)) + host.substr(blank);
        if (!recorder.all.empty() && recorder.all[0].path == "message" &&
            test::RefField(test::RefSplit(host).header, "Content-Disposition", nullptr).empty()) {
            EXPECT_TRUE(WithoutTypeLine(recorder.all[0].input) == ReferenceInputFile(host));
        }
        if (result.outcome == WalkOutcome::Converted) {
            // Every HTML body that shows text was converted: a second walk
            // converts none (a blank one is declined again).
            Recorder again;
            (void)WalkMessage(result.Text(), translator, &again);
            for (const Translation& t : again.all) {
                EXPECT_FALSE(t.translatorId == 2 && t.status == kStatusSuccess) << t.path;
            }
        }
    }
    EXPECT_GT(converted, 20);
}

}  // namespace
}  // namespace vellumo::test
