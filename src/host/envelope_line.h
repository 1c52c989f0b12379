#pragma once
// The envelope line that heads each message of a mailbox
// ("From ???@??? Mon Dec 07 09:00:00 2026"): the mail client writes one
// before every message it stores, and puts the message's own before its
// header fields in the raw header text it offers a translator.

#include <string_view>

namespace vellumo {

constexpr std::string_view kEnvelopeStart = "From ";

// True when the text begins with an envelope line: "From " and the sender
// right after it. A header field named From has a colon after its name
// ("From:", "From :"), so at the start of a header or of a mailbox this
// tells the two apart. Further on in a mailbox, where a line of body text
// may begin with "From ", the mail client asks for a date as well
// (IsEnvelopeLine in mailclient/mailbox_reader.h).
[[nodiscard]] bool BeginsWithEnvelopeLine(std::string_view text);

}  // namespace vellumo
