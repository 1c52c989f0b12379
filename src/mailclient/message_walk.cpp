#include "mailclient/message_walk.h"

#include <utility>

#include "host/envelope_line.h"
#include "host/host_records.h"
#include "host/plugin_state.h"
#include "host/translator_table.h"
#include "mailclient/entity_put_back.h"
#include "mailclient/mailbox_reader.h"
#include "mailclient/multipart_split.h"
#include "mailclient/offer.h"
#include "mailclient/offered_entity.h"
#include "platform/ascii_case.h"
#include "platform/line_ends.h"

namespace vellumo {
namespace {

constexpr std::string_view kDefaultEnvelope = "From ???@??? Thu Jan 01 00:00:00 1970\r\n";

// Appends a piece, joining it to the last one when the bytes follow on.
void Append(std::vector<std::string_view>& pieces, std::string_view piece) {
    if (piece.empty()) {
        return;
    }
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == piece.data()) {
        pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + piece.size());
        return;
    }
    pieces.push_back(piece);
}

// Puts ">" before each line of text that the mail client would take for
// an envelope line, as it does when it stores a message.
void QuoteFromLines(std::string& text) {
    std::string quoted;
    size_t copied = 0;
    bool any = false;
    for (size_t at = 0; at < text.size();) {
        size_t newline = text.find('\n', at);
        size_t end = newline == std::string::npos ? text.size() : newline;
        std::string_view line(text.data() + at, end - at);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (text.compare(at, kEnvelopeStart.size(), kEnvelopeStart) == 0 && IsEnvelopeLine(line)) {
            quoted.append(text, copied, at - copied);
            quoted += '>';
            copied = at;
            any = true;
        }
        if (newline == std::string::npos) {
            break;
        }
        at = newline + 1;
    }
    if (any) {
        quoted.append(text, copied, std::string::npos);
        text.swap(quoted);
    }
}

// How an entity stands in the walk.
struct Place {
    bool isMessage = false;  // the message itself (its raw header gets the envelope)
    int depth = 0;
    // A delimiter line of the parent follows the entity: the host's input
    // then holds the line end before it.
    bool delimiterFollows = false;
    // A part of a multipart/digest: without a Content-Type it is a message.
    bool inDigest = false;
};

class Walk {
  public:
    Walk(EntityTranslator& translator, WalkObserver* observer, std::string_view envelope,
         const WalkOptions& options, WalkResult& result)
        : translator_(translator),
          observer_(observer),
          envelope_(envelope),
          options_(options),
          result_(result) {}

    // Appends the converted entity's pieces; false when a translation failed.
    bool Entity(std::string_view text, const Place& place, int offers, const std::string& path);

    int converted = 0;
    int declined = 0;
    std::string failure;

  private:
    bool Offered(const OfferedEntity& entity, std::string_view head, const Place& place, int offers,
                 const std::string& path);
    bool Translate(int id, const OfferedEntity& entity, OfferRecords& records, const Place& place,
                   int offers, const std::string& path, bool& done);
    bool Parts(const OfferedEntity& entity, std::string_view head, const Place& place,
               const std::string& path);
    bool Embedded(const OfferedEntity& entity, std::string_view head, const Place& place,
                  const std::string& path);

    EntityTranslator& translator_;
    WalkObserver* observer_;
    std::string_view envelope_;
    const WalkOptions& options_;
    WalkResult& result_;
    int entities_ = 0;
};

// message/rfc822 and message/news, and a digest's part without a type.
bool HoldsMessage(const OfferedEntity& entity, const Place& place) {
    if (EqualsIgnoringAsciiCase(entity.mainType, "message")) {
        return EqualsIgnoringAsciiCase(entity.subType, "rfc822") ||
               EqualsIgnoringAsciiCase(entity.subType, "news");
    }
    return place.inDigest && entity.contentType.empty();
}

// The entity's bytes before its body: the header and the blank line.
std::string_view HeadOf(const OfferedEntity& entity, std::string_view text) {
    return entity.body.data() != nullptr
               ? text.substr(0, static_cast<size_t>(entity.body.data() - text.data()))
               : text;
}

bool Walk::Entity(std::string_view text, const Place& place, int offers, const std::string& path) {
    OfferedEntity entity = ReadOfferedEntity(text);
    return Offered(entity, HeadOf(entity, text), place, offers, path);
}

// The entity's head and body need not stand together: a relabelled entity
// keeps the body it had (see Translate).
bool Walk::Offered(const OfferedEntity& entity, std::string_view head, const Place& place,
                   int offers, const std::string& path) {
    if (++entities_ > kMaxWalkedEntities || place.depth >= kMaxWalkDepth) {
        Append(result_.pieces, head);
        Append(result_.pieces, entity.body);
        return true;
    }
    if (offers < kMaxOffersPerEntity) {
        OfferRecords records(entity, place.isMessage ? envelope_ : std::string_view());
        int id = FirstAcceptingTranslator(translator_, records);
        bool done = false;
        if (id != 0 && !Translate(id, entity, records, place, offers, path, done)) {
            return false;
        }
        if (done) {
            return true;
        }
    }
    if (IsMultipartEntity(entity)) {
        return Parts(entity, head, place, path);
    }
    if (HoldsMessage(entity, place) && entity.hasBlankLine) {
        return Embedded(entity, head, place, path);
    }
    Append(result_.pieces, head);
    Append(result_.pieces, entity.body);
    return true;
}

// Runs translator id on the entity. On success the output replaces the
// entity and is offered again (done becomes true); on 12 the entity stays
// and its parts are offered next; anything else fails the walk.
bool Walk::Translate(int id, const OfferedEntity& entity, OfferRecords& records, const Place& place,
                     int offers, const std::string& path, bool& done) {
    std::string input = HostInputFile(entity, place.delimiterFollows);
    std::string seenInput = observer_ != nullptr ? input : std::string();
    std::string output;
    int status = translator_.Translate(id, *records.Data(), std::move(input), output);
    if (observer_ != nullptr) {
        observer_->Translated({path, id, &seenInput, status, &output});
    }
    if (status == kStatusDataUnchanged) {
        ++declined;
        result_.declines.push_back({path, id, translator_.LastDecline()});
        return true;
    }
    if (status != kStatusSuccess) {
        failure = path + ": translator " + std::to_string(id) + " (" + TranslatorName(id) +
                  ") failed with status " + std::to_string(status);
        return false;
    }
    ++converted;
    done = true;
    bool bodyKept = false;
    std::string replacement = PutBackEntity(entity, std::move(output), place.isMessage, &bodyKept);
    if (options_.quoteFromLines) {
        QuoteFromLines(replacement);
    }
    result_.texts.push_back(std::move(replacement));
    OfferedEntity result = ReadOfferedEntity(result_.texts.back());
    std::string_view head = HeadOf(result, result_.texts.back());
    if (bodyKept) {
        // A relabelled entity keeps the body it has, so relabels nested
        // level in level do not each keep a copy of it.
        result.body = entity.body;
    }
    return Offered(result, head, place, offers + 1, path);
}

bool Walk::Parts(const OfferedEntity& entity, std::string_view head, const Place& place,
                 const std::string& path) {
    std::vector<PartRange> parts =
        SplitMultipartBody(entity.body, EntityParameter(entity, "boundary"));
    Append(result_.pieces, head);
    if (parts.empty()) {
        Append(result_.pieces, entity.body);
        return true;
    }
    size_t at = 0;
    std::string prefix = path == "message" ? "part " : path + ".";
    Place child;
    child.depth = place.depth + 1;
    child.inDigest = EqualsIgnoringAsciiCase(entity.subType, "digest");
    for (size_t i = 0; i < parts.size(); ++i) {
        Append(result_.pieces, entity.body.substr(at, parts[i].begin - at));
        std::string_view part = entity.body.substr(parts[i].begin, parts[i].end - parts[i].begin);
        child.delimiterFollows = parts[i].end < entity.body.size();
        if (!Entity(part, child, 0, prefix + std::to_string(i + 1))) {
            return false;
        }
        at = parts[i].end;
    }
    Append(result_.pieces, entity.body.substr(at));
    return true;
}

// The message a message/rfc822 entity holds is offered next, at the same
// depth, and then its parts; its header is a nested entity's header.
bool Walk::Embedded(const OfferedEntity& entity, std::string_view head, const Place& place,
                    const std::string& path) {
    Append(result_.pieces, head);
    Place embedded = place;
    embedded.isMessage = false;
    embedded.inDigest = false;
    std::string name = (path == "message" ? std::string("message") : path) + "/message";
    return Entity(entity.body, embedded, 0, name);
}

// The line ends of a message's header, which tell how it was saved.
struct HeaderLineEnds {
    size_t length = 0;  // the header with the blank line after it
    bool crlf = false;  // some line ends in CR LF
    bool bareLf = false;
};

// Reads the header with a line end at every LF, as the mail client does.
HeaderLineEnds ReadHeaderLineEnds(std::string_view text) {
    HeaderLineEnds ends;
    ends.length = text.size();
    size_t lineStart = 0;
    for (size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
        bool crlf = at > 0 && text[at - 1] == '\r';
        ends.crlf = ends.crlf || crlf;
        ends.bareLf = ends.bareLf || !crlf;
        if (at - lineStart == (crlf ? 1u : 0u)) {
            ends.length = at + 1;
            break;
        }
        lineStart = at + 1;
    }
    return ends;
}

// The envelope line with its line end, when the message begins with one
// (a first field "From : x" is no envelope line).
std::string_view EnvelopeOf(std::string_view message) {
    if (!BeginsWithEnvelopeLine(message)) {
        return {};
    }
    size_t end = message.find('\n');
    return message.substr(0, end == std::string_view::npos ? message.size() : end + 1);
}

void WalkCrLfMessage(std::string_view envelope, std::string_view entity,
                     EntityTranslator& translator, WalkObserver* observer,
                     const WalkOptions& options, WalkResult& result) {
    // Headers of an earlier message must not name this one's archive file.
    CapturedHeaders.clear();
    // The host's raw header of the message itself always begins with an
    // envelope line; a message saved without one gets one there only.
    Walk walk(translator, observer, envelope.empty() ? kDefaultEnvelope : envelope, options,
              result);
    Append(result.pieces, envelope);
    Place top;
    top.isMessage = true;
    if (!walk.Entity(entity, top, 0, "message")) {
        result.outcome = WalkOutcome::Failed;
        result.failure = walk.failure;
    } else if (walk.converted > 0) {
        result.outcome = WalkOutcome::Converted;
        return;
    } else {
        result.outcome = walk.declined > 0 ? WalkOutcome::Declined : WalkOutcome::Unchanged;
    }
    result.pieces.clear();
    result.texts.clear();
}

// A message saved with LF line ends is walked with CR LF and given back
// with LF.
void WalkLfMessage(std::string_view message, EntityTranslator& translator, WalkObserver* observer,
                   const WalkOptions& options, WalkResult& result) {
    if (message.find("\r\n") != std::string_view::npos) {
        // The CR LF it holds (in an 8-bit part, say) could not be told
        // apart from those the walk adds, and would be lost on the way
        // back to LF: the message stays as it was.
        result.outcome = WalkOutcome::Unchanged;
        return;
    }
    WalkResult crlf;
    crlf.texts.push_back(WithCrLf(message));
    std::string_view text = crlf.texts.front();
    std::string_view envelope = EnvelopeOf(text);
    WalkCrLfMessage(envelope, text.substr(envelope.size()), translator, observer, options, crlf);
    result.outcome = crlf.outcome;
    result.failure = std::move(crlf.failure);
    result.declines = std::move(crlf.declines);
    if (crlf.outcome == WalkOutcome::Converted) {
        result.texts.push_back(WithLf(crlf.Text()));
        result.pieces.push_back(result.texts.back());
    }
}

}  // namespace

std::string WalkResult::Text() const {
    std::string text;
    for (std::string_view piece : pieces) {
        text.append(piece.data(), piece.size());
    }
    return text;
}

WalkResult WalkMessage(std::string_view message, EntityTranslator& translator,
                       WalkObserver* observer, WalkOptions options) noexcept {
    WalkResult result;
    try {
        // Each message is read with the line ends it has, whatever those of
        // the mailbox's envelope line.
        std::string_view envelope = EnvelopeOf(message);
        std::string_view entity = message.substr(envelope.size());
        // A header without a CR LF was saved with LF line ends.
        HeaderLineEnds ends = ReadHeaderLineEnds(entity);
        if (ends.bareLf && !ends.crlf) {
            WalkLfMessage(message, translator, observer, options, result);
        } else if (!ends.bareLf) {
            WalkCrLfMessage(envelope, entity, translator, observer, options, result);
        } else {
            // The mail client reads a bare LF in the header as a line end:
            // so does the walk, and a converted message's header has CR LF
            // throughout. The body keeps its bytes (an 8-bit attachment).
            std::string crlf = WithCrLf(entity.substr(0, ends.length));
            crlf.append(entity.data() + ends.length, entity.size() - ends.length);
            result.texts.push_back(std::move(crlf));
            WalkCrLfMessage(envelope, result.texts.front(), translator, observer, options, result);
        }
    } catch (...) {
        result = WalkResult();
        result.outcome = WalkOutcome::Failed;
        result.failure = "message: out of memory";
    }
    return result;
}

}  // namespace vellumo
