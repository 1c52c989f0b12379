#include "translate/message_walk.h"

#include <vector>

#include "host/host_records.h"
#include "host/plugin_state.h"
#include "platform/line_ends.h"
#include "translate/entity_put_back.h"
#include "translate/host_entity.h"
#include "translate/host_offer.h"
#include "translate/multipart_split.h"

namespace vellumo {
namespace {

constexpr std::string_view kEnvelopeStart = "From ";

const char* TranslatorName(int id) {
    static const char* const kNames[] = {"", "HTML Message Part", "Pure-HTML Message",
                                         "Inline4Attachment", "Related4Mixed"};
    return id >= 1 && id <= 4 ? kNames[id] : "?";
}

class Walk {
  public:
    Walk(EntityTranslator& translator, WalkObserver* observer, std::string_view envelope)
        : translator_(translator), observer_(observer), envelope_(envelope) {}

    // Appends the converted entity to out; false when a translation failed.
    bool Entity(std::string_view text, bool isMessage, int depth, int offers,
                const std::string& path, std::string& out);

    int converted = 0;
    int declined = 0;
    std::string failure;

  private:
    bool Translate(int id, const HostEntity& entity, bool isMessage, int depth, int offers,
                   const std::string& path, std::string& out, bool& done);
    bool Parts(const HostEntity& entity, std::string_view text, int depth, const std::string& path,
               std::string& out);

    EntityTranslator& translator_;
    WalkObserver* observer_;
    std::string_view envelope_;
    int entities_ = 0;
};

bool Walk::Entity(std::string_view text, bool isMessage, int depth, int offers,
                  const std::string& path, std::string& out) {
    if (++entities_ > kMaxWalkedEntities) {
        out.append(text.data(), text.size());
        return true;
    }
    HostEntity entity = ReadHostEntity(text);
    if (offers < kMaxOffersPerEntity) {
        std::string rawHeaders(isMessage ? envelope_ : std::string_view());
        rawHeaders.append(entity.header.data(), entity.header.size());
        int id = FirstAcceptingTranslator(entity, rawHeaders);
        bool done = false;
        if (id != 0 && !Translate(id, entity, isMessage, depth, offers, path, out, done)) {
            return false;
        }
        if (done) {
            return true;
        }
    }
    if (IsMultipartEntity(entity) && depth < kMaxWalkDepth) {
        return Parts(entity, text, depth, path, out);
    }
    out.append(text.data(), text.size());
    return true;
}

// Runs translator id on the entity. On success the output replaces the
// entity and is offered again (done becomes true); on 12 the entity stays
// and its parts are offered next; anything else fails the walk.
bool Walk::Translate(int id, const HostEntity& entity, bool isMessage, int depth, int offers,
                     const std::string& path, std::string& out, bool& done) {
    std::string input = HostInputFile(entity);
    std::string output;
    int status = translator_.Translate(id, input, output);
    if (observer_ != nullptr) {
        observer_->Translated({path, id, &input, status, &output});
    }
    if (status == kStatusDataUnchanged) {
        ++declined;
        return true;
    }
    if (status != kStatusSuccess) {
        failure = path + ": translator " + std::to_string(id) + " (" + TranslatorName(id) +
                  ") failed with status " + std::to_string(status);
        return false;
    }
    ++converted;
    input.clear();
    input.shrink_to_fit();
    std::string replacement = PutBackEntity(entity, output, isMessage);
    output.clear();
    output.shrink_to_fit();
    done = true;
    return Entity(replacement, isMessage, depth, offers + 1, path, out);
}

bool Walk::Parts(const HostEntity& entity, std::string_view text, int depth,
                 const std::string& path, std::string& out) {
    std::vector<PartRange> parts =
        SplitMultipartBody(entity.body, EntityParameter(entity, "boundary"));
    if (parts.empty()) {
        out.append(text.data(), text.size());
        return true;
    }
    size_t bodyStart = static_cast<size_t>(entity.body.data() - text.data());
    out.append(text.data(), bodyStart);
    size_t at = 0;
    std::string prefix = path == "message" ? "part " : path + ".";
    for (size_t i = 0; i < parts.size(); ++i) {
        out.append(entity.body.data() + at, parts[i].begin - at);
        std::string_view part = entity.body.substr(parts[i].begin, parts[i].end - parts[i].begin);
        if (!Entity(part, false, depth + 1, 0, prefix + std::to_string(i + 1), out)) {
            return false;
        }
        at = parts[i].end;
    }
    out.append(entity.body.data() + at, entity.body.size() - at);
    return true;
}

// The first line end decides: a message whose first line ends in a bare LF
// was saved with LF line ends.
bool HasLfLineEnds(std::string_view message) {
    size_t newline = message.find('\n');
    return newline != std::string_view::npos && (newline == 0 || message[newline - 1] != '\r');
}

std::string WithLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out += text[i];
        }
    }
    return out;
}

WalkResult WalkCrLfMessage(std::string_view message, EntityTranslator& translator,
                           WalkObserver* observer) {
    std::string_view envelope;
    if (message.substr(0, kEnvelopeStart.size()) == kEnvelopeStart) {
        size_t end = message.find('\n');
        envelope = message.substr(0, end == std::string_view::npos ? message.size() : end + 1);
    }
    // Headers of an earlier message must not name this one's archive file.
    CapturedHeaders.clear();
    Walk walk(translator, observer, envelope);
    WalkResult result;
    result.text.reserve(message.size());
    result.text.append(envelope.data(), envelope.size());
    if (!walk.Entity(message.substr(envelope.size()), true, 0, 0, "message", result.text)) {
        result.outcome = WalkOutcome::Failed;
        result.failure = walk.failure;
        result.text.clear();
    } else if (walk.converted > 0) {
        result.outcome = WalkOutcome::Converted;
    } else {
        result.outcome = walk.declined > 0 ? WalkOutcome::Declined : WalkOutcome::Unchanged;
        result.text.clear();
    }
    return result;
}

}  // namespace

WalkResult WalkMessage(std::string_view message, EntityTranslator& translator,
                       WalkObserver* observer) noexcept {
    try {
        if (!HasLfLineEnds(message)) {
            return WalkCrLfMessage(message, translator, observer);
        }
        std::string crlf = WithCrLf(std::string(message));
        WalkResult result = WalkCrLfMessage(crlf, translator, observer);
        if (result.outcome == WalkOutcome::Converted) {
            result.text = WithLf(result.text);
        }
        return result;
    } catch (...) {
        WalkResult failed;
        failed.outcome = WalkOutcome::Failed;
        failed.failure = "message: out of memory";
        return failed;
    }
}

}  // namespace vellumo
