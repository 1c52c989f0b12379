#pragma once
// Putting a translation's output back in place of the entity it came from,
// as the mail client stores it: the output's own header fields take the
// place of the entity's MIME fields, its body becomes the entity's body.

#include <string>
#include <string_view>

#include "mailclient/offered_entity.h"

namespace vellumo {

// The entity that replaces `original`, given the output file's bytes.
//  - An output that does not begin with "Mime-Version" (any case) is plain
//    text: "Mime-Version: 1.0", "Content-Type: text/plain" and a blank line
//    are put in front, as the host does.
//  - Header: the original fields in their order, except that Content-Type,
//    Content-Transfer-Encoding, Content-Disposition and Mime-Version take
//    the output's field of that name (an original one the output lacks is
//    dropped; an original Mime-Version stays as it was, and so does a second
//    field of a name the output replaced); output fields left over follow.
//    A nested part (isMessage false) gains no Mime-Version.
//  - Body: the output's body up to its end, exactly: a line end that the
//    output repeats from the input file's tail becomes content, as it does
//    for the host.
// The output's buffer is reused for the result. With bodyKept given, an
// output whose body is the entity's own (a relabel) gives only the new
// header with its blank line, and *bodyKept is set: the caller keeps the
// body it has instead of a second copy.
[[nodiscard]] std::string PutBackEntity(const OfferedEntity& original, std::string output,
                                        bool isMessage, bool* bodyKept = nullptr);

}  // namespace vellumo
