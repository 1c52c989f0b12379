#pragma once
// The parts that translator 1 keeps beside the text it chooses: whatever
// the other alternatives hold that is not a rendering of the text (the
// picture of an HTML branch, a document or a calendar entry placed among
// the alternatives). Replacing the message with its text alone would lose
// them.

#include <cstddef>
#include <vector>

#include "mime/entity_view.h"

namespace vellumo {

// More parts than this are not collected: the message is then left as it
// arrived, whose parts the mail client offers one by one.
inline constexpr size_t kMaxKeptParts = 1000;

// True for text/plain, text/html, text/enriched and text/richtext that is
// not an attachment: another rendering of the message's text.
[[nodiscard]] bool IsRenderingOfText(const EntityView& part);

// Appends, in document order, the parts inside one child of the message
// (an alternative) that are neither a rendering of the text nor a multipart
// around such parts; the child itself when it is such a part. A multipart
// whose parts cannot be found is kept whole, unless it is blank. False once
// `kept` holds more than kMaxKeptParts.
[[nodiscard]] bool CollectKeptParts(const EntityView& alternative, std::vector<EntityView>& kept);

}  // namespace vellumo
