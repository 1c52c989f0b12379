#include "mailclient/mailbox_reader.h"

#include <algorithm>
#include <cstring>

#include "host/envelope_line.h"
#include "platform/ascii_case.h"
#include "platform/ascii_class.h"
#include "platform/byte_search.h"

namespace vellumo {
namespace {

constexpr std::string_view kSeparator = "\nFrom ";
// Small reads keep the bytes read past a message (copied into the next
// message's buffer) small.
constexpr size_t kReadChunk = 64 * 1024;
// Buffers up to this size are kept from one message to the next.
constexpr size_t kKeptCapacity = 1 << 20;
// An envelope line is short; a longer "From " line is text.
constexpr size_t kMaxEnvelopeLine = 1000;
constexpr std::string_view kWeekdays[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
constexpr std::string_view kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The words of a line, split at blanks, at most `limit` of them.
std::vector<std::string_view> Words(std::string_view line, size_t limit) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (words.size() < limit) {
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        size_t end = at;
        while (end < line.size() && !IsBlank(line[end])) {
            ++end;
        }
        if (end == at) {
            break;
        }
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

template <size_t N>
bool StartsWithName(std::string_view word, const std::string_view (&names)[N]) {
    if (word.size() < 3) {
        return false;
    }
    for (std::string_view name : names) {
        if (EqualsIgnoringAsciiCase(word.substr(0, 3), name)) {
            return true;
        }
    }
    return false;
}

// "9:05", "09:05:59".
bool IsTime(std::string_view word) {
    size_t colon = word.find(':');
    if (colon == 0 || colon > 2 || colon == std::string_view::npos) {
        return false;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] != ':' && !IsAsciiDigit(word[i])) {
            return false;
        }
    }
    return word.size() >= colon + 3 && IsAsciiDigit(word[colon + 1]) &&
           IsAsciiDigit(word[colon + 2]);
}

bool IsYear(std::string_view word) {
    return word.size() == 4 && IsAsciiDigit(word[0]) && IsAsciiDigit(word[1]) &&
           IsAsciiDigit(word[2]) && IsAsciiDigit(word[3]);
}

}  // namespace

bool IsEnvelopeLine(std::string_view line) {
    if (line.substr(0, kEnvelopeStart.size()) != kEnvelopeStart || line.size() > kMaxEnvelopeLine) {
        return false;
    }
    // "From", the sender, then the date as ctime writes it: a weekday, the
    // month, the day, the time and the year (a time zone may come between).
    std::vector<std::string_view> words = Words(line.substr(kEnvelopeStart.size()), 8);
    if (words.size() < 6 || !StartsWithName(words[1], kWeekdays)) {
        return false;
    }
    bool month = false, time = false, year = false;
    for (size_t i = 2; i < words.size(); ++i) {
        month = month || StartsWithName(words[i], kMonths);
        time = time || IsTime(words[i]);
        year = year || (time && IsYear(words[i]));
    }
    return month && time && year;
}

bool LooksLikeMailMessage(std::string_view text) {
    if (LooksLikeMailbox(text)) {
        return true;
    }
    size_t at = 0;
    while (at < text.size() && text[at] > ' ' && text[at] < 127 && text[at] != ':') {
        ++at;
    }
    while (at > 0 && at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at > 0 && at < text.size() && text[at] == ':';
}

bool LooksLikeMailbox(std::string_view head) {
    return BeginsWithEnvelopeLine(head);
}

bool MailboxReader::Fill() {
    if (atEnd_) {
        return false;
    }
    if (start_ > 0) {
        // The messages handed out leave the buffer once a read needs room:
        // the bytes moved are only what was read after them.
        buffer_.erase(0, start_);
        scanned_ = scanned_ > start_ ? scanned_ - start_ : 0;
        start_ = 0;
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

void MailboxReader::Start() {
    started_ = true;
    // A blank line or two before the first envelope line does not make the
    // mailbox one message: they are handed out on their own.
    size_t lead = 0;
    for (;;) {
        lead = buffer_.find_first_not_of("\r\n");
        if ((lead != std::string::npos && buffer_.size() - lead > kEnvelopeStart.size()) ||
            !Fill()) {
            break;
        }
    }
    lead = lead == std::string::npos ? 0 : lead;
    isMailbox_ = LooksLikeMailbox(std::string_view(buffer_).substr(lead));
    if (!isMailbox_ && sizeHint_ > buffer_.size() && sizeHint_ < buffer_.max_size() - kReadChunk) {
        buffer_.reserve(static_cast<size_t>(sizeHint_) + kReadChunk);
    }
    if (isMailbox_ && lead > 0) {
        leadingLines_.assign(buffer_, 0, lead);
        buffer_.erase(0, lead);
        handedOut_ += lead;
    }
}

size_t MailboxReader::FindEnvelope() {
    scanned_ = std::max(scanned_, start_);
    for (;;) {
        size_t found = FindBytes(buffer_, kSeparator, scanned_);
        if (found == std::string::npos) {
            scanned_ =
                buffer_.size() >= kSeparator.size() ? buffer_.size() - kSeparator.size() + 1 : 0;
            return std::string::npos;
        }
        size_t lineStart = found + 1;
        size_t room = std::min(buffer_.size() - lineStart, kMaxEnvelopeLine + 1);
        const void* newline = std::memchr(buffer_.data() + lineStart, '\n', room);
        if (newline == nullptr && room <= kMaxEnvelopeLine && !atEnd_) {
            scanned_ = found;  // the line is not all read yet
            return std::string::npos;
        }
        size_t lineEnd =
            newline == nullptr
                ? lineStart + room
                : static_cast<size_t>(static_cast<const char*>(newline) - buffer_.data());
        std::string_view line(buffer_.data() + lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (IsEnvelopeLine(line)) {
            return found;
        }
        scanned_ = lineStart;
    }
}

bool MailboxReader::Next(std::string& message) {
    if (!started_) {
        Start();
    }
    while (!isMailbox_ && Fill()) {
    }
    for (;;) {
        size_t found = isMailbox_ ? FindEnvelope() : std::string::npos;
        if (found != std::string::npos) {
            const size_t end = found + 1;
            if (message.capacity() > kKeptCapacity) {
                std::string().swap(message);  // a rare large message: give it back
            }
            if (start_ == 0 && end >= buffer_.size() - end) {
                // A message larger than what was read after it is handed
                // over without a copy; the bytes after it go into the
                // caller's previous message buffer, so both buffers keep
                // their capacity from one message to the next.
                message.assign(buffer_, end, std::string::npos);
                buffer_.resize(end);
                message.swap(buffer_);
                scanned_ = 0;
            } else {
                // A small one is copied out, and the buffer read on.
                message.assign(buffer_, start_, end - start_);
                start_ = end;
            }
            handedOut_ += message.size();
            return true;
        }
        if (!Fill()) {
            break;
        }
    }
    if (buffer_.size() == start_) {
        return false;
    }
    if (start_ == 0) {
        message.swap(buffer_);
    } else {
        message.assign(buffer_, start_, std::string::npos);
    }
    buffer_.clear();
    start_ = 0;
    scanned_ = 0;
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
    // The message's own line ends, even when its last line has none.
    size_t lastNewline = original.rfind('\n');
    bool crlf = lastNewline != std::string_view::npos && lastNewline > 0 &&
                original[lastNewline - 1] == '\r';
    std::string lineEnd = crlf ? "\r\n" : "\n";
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
