// The driver when the disk fills up in the middle of a write: a file-size
// limit makes every write past it fail, as a full disk does.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "host/plugin_state.h"
#include "platform/files.h"
#include "translate/driver_fixture.h"
#include "translate/output_file.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

// While it lives, writes that would grow a file past `bytes` fail (EFBIG)
// instead of raising SIGXFSZ.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        limited_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        limited_ = limited_ && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        if (limited_) {
            setrlimit(RLIMIT_FSIZE, &old_);
        }
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool Active() const { return limited_; }

  private:
    rlimit old_{};
    bool limited_ = false;
    void (*oldHandler_)(int) = SIG_DFL;
};

constexpr rlim_t kLimit = 4096;

struct FullDiskCase {
    const char* name;
    int translator;
    std::string message;
};

class FullDiskTest : public test::DriverFixture {
  protected:
    void SetUp() override {
        DriverFixture::SetUp();
        SaveHTMLMessagesValue = 1;
        CapturedHeaders = "Date: x\r\nSubject: s";
    }
    int RunLimited(int translator, const std::string& message, rlim_t limit,
                   const std::string& oldOutput = "") {
        test::WriteFileBytes(Input(), message);
        test::WriteFileBytes(Output(), oldOutput);
        FileSizeLimit full(limit);
        EXPECT_TRUE(full.Active());
        return TranslateMessageFile(translator, Input(), Output(), "Full", nullptr);
    }
};

// An output that was not empty kept the first bytes of the translation
// when it was cut back to its old length; the host's starts empty, a
// command-line user's need not.
TEST_F(FullDiskTest, WriteCutShortLeavesTheOutputAsItWasAndNoArchive) {
    const std::string big(3 * kLimit, 'x');
    const FullDiskCase cases[] = {
        {"translator 1", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\n" + big +
                  "\n--b\nContent-Type: text/html\n\n<p>x</p>\n--b--\n")},
        {"translator 2", 2, WithCrLf("Content-Type: text/html\n\n<pre>" + big + "</pre>")},
        {"translator 3", 3, WithCrLf("Content-Type: application/octet-stream\n\n" + big)},
        {"translator 4", 4,
         WithCrLf("Content-Type: multipart/related; boundary=x\n\n--x\n\n" + big + "\n--x--\n")},
    };
    for (const std::string oldOutput : {"", "An earlier message, longer than a header line.\r\n"}) {
        for (const FullDiskCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " over " + std::to_string(oldOutput.size()));
            EXPECT_EQ(RunLimited(c.translator, c.message, kLimit, oldOutput), 12);
            EXPECT_EQ(test::ReadFileBytes(Output()), oldOutput);
            EXPECT_TRUE(ArchiveNames().empty());
        }
    }
}

// Bytes that could not be put back are never written over.
TEST_F(FullDiskTest, OutputTooLargeToPutBackIsLeftUntouched) {
    test::WriteFileBytes(Input(), WithCrLf("Content-Type: text/html\n\n<p>x</p>"));
    test::WriteFileBytes(Output(), "old");
    std::filesystem::resize_file(Output(), kMaxRestorableOutputBytes + 1);  // sparse
    EXPECT_EQ(TranslateMessageFile(2, Input(), Output(), "Big", nullptr), 12);
    EXPECT_EQ(std::filesystem::file_size(Output()), kMaxRestorableOutputBytes + 1);
    std::string head(3, '\0');
    std::ifstream(Output(), std::ios::binary).read(&head[0], 3);
    EXPECT_EQ(head, "old");
}

TEST_F(FullDiskTest, TrailerCutShortLeavesTheTextWithoutHalfALink) {
    const std::string head = "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\n";
    const std::string text(1000, 't');
    std::string message = WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\n" +
                                   text + "\n--b\nContent-Type: text/html\n\n<p>x</p>\n--b--\n");
    EXPECT_EQ(RunLimited(1, message, head.size() + text.size() + 20), 0);
    EXPECT_EQ(test::ReadFileBytes(Output()), head + text);
    EXPECT_EQ(ArchiveNames(), std::vector<std::string>{"Full.eml"});
}

}  // namespace
}  // namespace vellumo::test
