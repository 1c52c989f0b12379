// Parse of a whole message from arbitrary bytes, then GetSize and Write into
// a buffer of exactly GetSize bytes, then a second Parse of what was written.
// The in-place view of the same text must see exactly what the tree holds.
// Every buffer is allocated at its exact size so that the sanitizer catches a
// read past the NUL that ends the text or a write past the capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "mime/entity_digest.h"
#include "mime/mime_message.h"

namespace {

// The message text as the driver holds it: the bytes and one NUL after them.
std::unique_ptr<char[]> TerminatedCopy(const char* data, size_t size) {
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0) {
        std::memcpy(text.get(), data, size);
    }
    text[size] = '\0';
    return text;
}

int WriteAndCheck(const vellumo::MimeMessage& message, std::unique_ptr<char[]>& written) {
    const int size = message.GetSize();
    if (size < 0) {
        std::abort();
    }
    written.reset(new char[static_cast<size_t>(size) + 1]);
    const int count = message.Write(written.get(), size);
    if (count > size) {
        std::abort();
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kMaxInput = 1 << 20;
    if (size > kMaxInput) {
        return 0;
    }
    std::unique_ptr<char[]> text = TerminatedCopy(reinterpret_cast<const char*>(data), size);
    vellumo::MimeMessage message;
    const bool parsed = message.Parse(text.get(), static_cast<int>(size)) > 0;
    const vellumo::EntityView view(text.get(), static_cast<ptrdiff_t>(size));
    if (parsed != view.HeaderRead() ||
        (parsed && vellumo::test::PartDigest(message) != vellumo::test::ViewDigest(view))) {
        std::abort();
    }
    text.reset();  // the model must not depend on the input after parsing

    std::unique_ptr<char[]> written;
    const int count = WriteAndCheck(message, written);
    if (count <= 0) {
        return 0;
    }
    written[static_cast<size_t>(count)] = '\0';
    std::unique_ptr<char[]> again = TerminatedCopy(written.get(), static_cast<size_t>(count));
    written.reset();
    vellumo::MimeMessage second;
    (void)second.Parse(again.get(), count);
    std::unique_ptr<char[]> rewritten;
    (void)WriteAndCheck(second, rewritten);
    return 0;
}
