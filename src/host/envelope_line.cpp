#include "host/envelope_line.h"

namespace vellumo {

bool BeginsWithEnvelopeLine(std::string_view text) {
    if (text.size() <= kEnvelopeStart.size() ||
        text.substr(0, kEnvelopeStart.size()) != kEnvelopeStart) {
        return false;
    }
    const char sender = text[kEnvelopeStart.size()];
    return sender != ' ' && sender != '\t' && sender != ':' && sender != '\r' && sender != '\n';
}

}  // namespace vellumo
