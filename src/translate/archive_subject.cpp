#include "translate/archive_subject.h"

#include "charset/system_code_page.h"
#include "mime/codec_bridge.h"
#include "mime/header_span.h"

namespace vellumo {
namespace {

// Header text the codecs can be handed (their lengths are int).
constexpr size_t kMaxHeaderTextForSubject = 0x7FFFFFF0;

// Unfolding removes the CR LF of each fold and keeps the white space after it.
std::string Unfold(const std::string& value) {
    std::string unfolded;
    unfolded.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n') {
            unfolded += c;
        }
    }
    return unfolded;
}

}  // namespace

std::string ArchiveSubject(const char* hostSubject, const std::string& rawHeaders) {
    if (hostSubject != nullptr && hostSubject[0] != '\0') {
        return hostSubject;
    }
    if (rawHeaders.empty() || rawHeaders.size() > kMaxHeaderTextForSubject) {
        return std::string();
    }
    // The raw headers lack the blank line that ends a header block. Only
    // the Subject field is decoded: the header may hold a million lines.
    std::string text = rawHeaders + "\r\n\r\n";
    FieldSpan subject;
    if (!FindFieldSpan(text.c_str(), static_cast<ptrdiff_t>(text.size()), "Subject", subject)) {
        return std::string();
    }
    const std::string name(text, static_cast<size_t>(subject.lineStart),
                           static_cast<size_t>(subject.nameEnd - subject.lineStart));
    std::string value;
    std::string charset;
    DecodeHeaderValue(name, text.c_str() + subject.valueStart,
                      static_cast<int>(subject.valueEnd - subject.valueStart), value, charset);
    return ConvertToSystemCodePage(Unfold(value), charset);
}

}  // namespace vellumo
