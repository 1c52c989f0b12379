#pragma once
// Offering an entity to the four translators the way the mail client does:
// with the records it builds, through the acceptance test of
// ems_can_translate.

#include <string_view>

#include "mailclient/offered_entity.h"

namespace vellumo {

// The first translator, 1 to 4, whose acceptance test answers "can
// translate now" for the entity, or 0 when none does. The host passes the
// entity's header as its raw headers, for the message itself in a mailbox
// after the envelope line; like ems_can_translate, each call may update
// CapturedHeaders.
[[nodiscard]] int FirstAcceptingTranslator(const OfferedEntity& entity,
                                           std::string_view envelope = {});

// Whether translator id's acceptance test takes the entity.
[[nodiscard]] bool TranslatorAccepts(int translatorId, const OfferedEntity& entity,
                                     std::string_view envelope = {});

}  // namespace vellumo
