#pragma once
// Reading a mailbox in the "From "-separated format (the mail client's .mbx
// files) one message at a time, so memory follows the largest message and
// not the mailbox.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// True when the text begins like a mailbox: with an envelope line, "From "
// and the sender (not a "From :" header field); see BeginsWithEnvelopeLine.
[[nodiscard]] bool LooksLikeMailbox(std::string_view head);

// True for a line the mail client takes for the start of a message in a
// mailbox: "From ", a sender and a date ("From ???@??? Mon Dec 07 09:00:00
// 2026"), without its line end. A body line such as "From the desk of..."
// is not one, even where nobody quoted it. This asks more than
// BeginsWithEnvelopeLine (host/envelope_line.h), which is enough where no
// body text can stand: at the start of a mailbox or of a raw header. Here
// the line may be text, and only the date tells, as in the mail client.
[[nodiscard]] bool IsEnvelopeLine(std::string_view line);

// True when the text begins as a mail message does: with an envelope line
// or a header field ("Name:", the name of printable characters without
// blanks). A picture or a text without a header is not one.
[[nodiscard]] bool LooksLikeMailMessage(std::string_view text);

class MailboxReader {
  public:
    // Reads from an open stream, which stays the caller's. sizeHint, the
    // stream's length when known, lets a single message be read into one
    // buffer of its size instead of one grown (and copied) step by step.
    explicit MailboxReader(std::FILE* stream, unsigned long long sizeHint = 0)
        : stream_(stream), sizeHint_(sizeHint) {}

    // The next message: from the start of the stream or an envelope line up
    // to the next envelope line (its blank last line included), byte for
    // byte. A stream that does not begin with "From " is one message, handed
    // out whole. False at the end of the stream or on a read error.
    [[nodiscard]] bool Next(std::string& message);
    [[nodiscard]] bool Failed() const { return failed_; }
    // Bytes handed out so far.
    [[nodiscard]] unsigned long long BytesRead() const { return handedOut_; }
    // After the first Next: whether the stream is a mailbox.
    [[nodiscard]] bool IsMailbox() const { return isMailbox_; }
    // After the first Next: the blank lines before a mailbox's first
    // envelope line, which belong to no message.
    [[nodiscard]] const std::string& LeadingLines() const { return leadingLines_; }

  private:
    bool Fill();
    void Start();
    // Where the "\n" before the next envelope line lies in the buffer; npos
    // when more must be read to tell.
    size_t FindEnvelope();

    std::FILE* stream_;
    unsigned long long sizeHint_;
    std::string buffer_;  // the current message from start_ on, and what follows
    std::string leadingLines_;
    size_t start_ = 0;    // where the current message begins in the buffer
    size_t scanned_ = 0;  // no separator lies before this offset
    bool atEnd_ = false;
    bool started_ = false;
    bool isMailbox_ = false;
    bool failed_ = false;
    unsigned long long handedOut_ = 0;
};

// What must follow a converted message (these pieces) in a mailbox: a line
// end when it ends without one, and a blank line when the original did,
// with the original's line ends. Lines that begin with "From " inside the
// converted text are the walk's to quote (WalkOptions).
[[nodiscard]] std::string MailboxTail(const std::vector<std::string_view>& converted,
                                      std::string_view original);

}  // namespace vellumo
