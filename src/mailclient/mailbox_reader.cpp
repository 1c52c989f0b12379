#include "mailclient/mailbox_reader.h"

#include <algorithm>
#include <cstring>

namespace vellumo {
namespace {

constexpr std::string_view kEnvelopeStart = "From ";
constexpr std::string_view kSeparator = "\nFrom ";
// Small reads keep the bytes read past a message (copied into the next
// message's buffer) small.
constexpr size_t kReadChunk = 64 * 1024;
// Buffers up to this size are kept from one message to the next.
constexpr size_t kKeptCapacity = 1 << 20;

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Where "\nFrom " next occurs from `from` on; npos when it does not.
size_t FindSeparator(const std::string& text, size_t from) {
#if defined(__GLIBC__)
    if (from >= text.size()) {
        return std::string::npos;
    }
    const void* hit =
        memmem(text.data() + from, text.size() - from, kSeparator.data(), kSeparator.size());
    return hit == nullptr ? std::string::npos
                          : static_cast<size_t>(static_cast<const char*>(hit) - text.data());
#else
    return text.find(kSeparator, from);
#endif
}

}  // namespace

bool LooksLikeMailbox(std::string_view head) {
    // "From : x" is a header field with a blank before its colon, not an
    // envelope line, which names the sender right after the space.
    return head.substr(0, kEnvelopeStart.size()) == kEnvelopeStart &&
           head.size() > kEnvelopeStart.size() && head[kEnvelopeStart.size()] != ' ' &&
           head[kEnvelopeStart.size()] != ':';
}

bool MailboxReader::Fill() {
    if (atEnd_) {
        return false;
    }
    size_t had = buffer_.size();
    buffer_.resize(had + kReadChunk);
    size_t got = std::fread(&buffer_[had], 1, kReadChunk, stream_);
    buffer_.resize(had + got);
    if (got < kReadChunk) {
        atEnd_ = true;
        failed_ = std::ferror(stream_) != 0;
    }
    return got > 0;
}

bool MailboxReader::Next(std::string& message) {
    if (!started_) {
        started_ = true;
        while (buffer_.size() < kEnvelopeStart.size() && Fill()) {
        }
        isMailbox_ = LooksLikeMailbox(buffer_);
    }
    while (!isMailbox_ && Fill()) {
    }
    for (;;) {
        size_t found = isMailbox_ ? FindSeparator(buffer_, scanned_) : std::string::npos;
        if (found != std::string::npos) {
            // The message is handed over without a copy; the bytes after it
            // go into the caller's previous message buffer, so both buffers
            // keep their capacity from one message to the next.
            if (message.capacity() > kKeptCapacity) {
                std::string().swap(message);  // a rare large message: give it back
            }
            message.assign(buffer_, found + 1, std::string::npos);
            buffer_.resize(found + 1);
            message.swap(buffer_);
            scanned_ = 0;
            handedOut_ += message.size();
            return true;
        }
        scanned_ = buffer_.size() >= kSeparator.size() ? buffer_.size() - kSeparator.size() + 1 : 0;
        if (!Fill()) {
            break;
        }
    }
    if (buffer_.empty()) {
        return false;
    }
    message.swap(buffer_);
    buffer_.clear();
    handedOut_ += message.size();
    return true;
}

std::string MailboxTail(const std::vector<std::string_view>& converted, std::string_view original) {
    std::string end;  // the last bytes of the converted text, up to four
    for (size_t i = converted.size(); i-- > 0 && end.size() < 4;) {
        std::string_view piece = converted[i];
        size_t take = std::min(piece.size(), 4 - end.size());
        end.insert(0, piece.substr(piece.size() - take).data(), take);
    }
    if (end.empty()) {
        return std::string();
    }
    std::string lineEnd = EndsWith(original, "\r\n") ? "\r\n" : "\n";
    std::string tail;
    if (!EndsWith(end, "\n")) {
        tail = lineEnd;
        end += lineEnd;
    }
    bool blankBefore = EndsWith(original, "\r\n\r\n") || EndsWith(original, "\n\n");
    if (blankBefore && !EndsWith(end, "\n\r\n") && !EndsWith(end, "\n\n")) {
        tail += lineEnd;
    }
    return tail;
}

}  // namespace vellumo
