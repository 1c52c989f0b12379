#include "mime/mime_message.h"

namespace vellumo {

MimeMessage::~MimeMessage() {
    MimePart::Clear();
}

}  // namespace vellumo
