#include "translate/archive_subject.h"

#include "mime/header_block.h"
#include "translate/system_code_page.h"

namespace vellumo {
namespace {

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
    if (rawHeaders.empty()) {
        return std::string();
    }
    // The raw headers lack the blank line that ends a header block.
    std::string text = rawHeaders + "\r\n\r\n";
    HeaderBlock block;
    (void)block.Parse(text.c_str(), static_cast<int>(text.size() < 0x7FFFFFFF ? text.size() : 0));
    const HeaderField* subject = block.FindField("Subject");
    if (subject == nullptr) {
        return std::string();
    }
    return ConvertToSystemCodePage(Unfold(subject->value), subject->charset);
}

}  // namespace vellumo
