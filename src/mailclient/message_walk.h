#pragma once
// Converting a whole message the way the mail client does on arrival: each
// entity (the message, then its nested parts, parent first, in document
// order) is offered to translators 1 to 4; the first that accepts
// translates the entity, the output replaces it and is offered again, its
// parts too. The message a message/rfc822 or message/news entity holds
// (and a multipart/digest part without a type) is offered at the same
// depth when no translator takes the entity, then its parts.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "mailclient/entity_translator.h"
#include "translate/decline_reason.h"

namespace vellumo {

// Bounds that keep hostile messages cheap: entities this deep are neither
// offered nor read (the host's own limit), and every entity after the
// first kMaxWalkedEntities is copied as it is.
constexpr int kMaxWalkDepth = 100;
constexpr int kMaxWalkedEntities = 10000;
// Offers of one entity and the outputs that replace it; a translator's
// output is never taken again by the same translator, so this is a guard.
constexpr int kMaxOffersPerEntity = 4;

enum class WalkOutcome {
    Unchanged,  // no translator took any entity
    Converted,  // at least one entity was translated
    Declined,   // translators took entities but each left it unchanged (12)
    Failed,     // a translation failed; the message must be kept as it was
};

// One translation made during a walk, for callers that want to see them.
struct WalkedEntity {
    std::string path;  // "message", or "part " and the part numbers from the top, dot-separated
    int translatorId = 0;
    const std::string* inputFile = nullptr;  // the bytes the host would write
    int status = 0;
    const std::string* output = nullptr;  // the output file's bytes on status 0
};

class WalkObserver {
  public:
    virtual ~WalkObserver() = default;
    virtual void Translated(const WalkedEntity& entity) = 0;
};

// An entity a translator took and left unchanged (12), and why.
struct WalkDecline {
    std::string path;  // as WalkedEntity::path
    int translatorId = 0;
    DeclineReason reason;
};

struct WalkResult {
    WalkOutcome outcome = WalkOutcome::Unchanged;
    // The converted message, only for Converted: these pieces in order. They
    // point into the walked message and into `texts`, so the unchanged
    // bytes of a message (its attachments) are never copied.
    std::vector<std::string_view> pieces;
    std::deque<std::string> texts;
    std::string failure;  // what failed, only for Failed
    // Every decline in document order, whatever the outcome.
    std::vector<WalkDecline> declines;

    WalkResult() = default;
    WalkResult(const WalkResult&) = delete;
    WalkResult& operator=(const WalkResult&) = delete;
    WalkResult(WalkResult&&) = default;
    WalkResult& operator=(WalkResult&&) = default;

    // The pieces joined.
    [[nodiscard]] std::string Text() const;
};

struct WalkOptions {
    // The message goes into a mailbox: a line of converted text that begins
    // with "From " gains a ">" before it, else it would start a new message.
    bool quoteFromLines = false;
};

// Walks one message: text as stored in a mailbox, optionally beginning with
// the envelope line ("From ..."), which stays as it is and heads the raw
// headers the translators see (a message without one is offered with a
// made-up one, as the host always has one). The line ends of the header
// after the envelope line decide: a header with bare LF line ends only
// marks text saved with LF, walked with CR LF and given back with LF line
// ends again (such text that also holds a CR LF is left unchanged, since
// its own CR LF would not survive); a CR LF header with a bare LF here and
// there is read, as the mail client reads it, with a line end at each, and
// a converted message's header has CR LF throughout. The message must
// outlive the result. Any bytes are accepted; never throws.
[[nodiscard]] WalkResult WalkMessage(std::string_view message, EntityTranslator& translator,
                                     WalkObserver* observer = nullptr,
                                     WalkOptions options = WalkOptions()) noexcept;

}  // namespace vellumo
