#pragma once
// Whether a text or a part shows the reader anything. A translation that
// would replace a message with a text that shows nothing declines instead,
// so that the mail client keeps what the sender sent.

#include <string_view>

#include "mime/entity_view.h"

namespace vellumo {

// True when every character of `text`, read in `charset` (a charset label,
// any case; empty: windows-1252), is white space in Unicode's sense (the
// no-break space, the ideographic space and the other wide spaces
// included) or a character of no width (zero-width spaces and joiners,
// the byte-order mark, the soft hyphen). True for the empty text. Bytes of
// a charset that cannot be decoded here count as shown unless they are
// ASCII white space.
[[nodiscard]] bool IsBlankText(std::string_view text, std::string_view charset);

// True when the part shows nothing: a text part whose decoded text is
// blank in its charset, another part whose body holds nothing but ASCII
// white space, or a multipart whose parts are all blank (its preamble is
// not shown). The text of an HTML part is its markup: only markup that is
// blank itself makes the part blank.
[[nodiscard]] bool IsBlankPart(const EntityView& part);

}  // namespace vellumo
