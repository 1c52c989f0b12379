#pragma once
// Offering an entity to the four translators the way the mail client does:
// with the records it builds, to ems_can_translate (in this process or in
// a loaded plug-in, through EntityTranslator).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host_records.h"
#include "mailclient/entity_translator.h"
#include "mailclient/offered_entity.h"

namespace vellumo {

// The host's records for one offered entity: a DataFileRecord (context 1,
// no file name) with the MimeTypeRecord (version "1.0", type and subtype,
// the Content-Type parameters as the host read them and the disposition as
// a pseudo-parameter "Content-Disposition", the disposition type also in
// its own field) and the HeaderRecord whose raw text is the entity's header
// without its blank line, for the message itself after the envelope line.
// The records point into the object's own strings.
class OfferRecords {
  public:
    OfferRecords(const OfferedEntity& entity, std::string_view envelope);
    OfferRecords(const OfferRecords&) = delete;
    OfferRecords& operator=(const OfferRecords&) = delete;

    [[nodiscard]] DataFileRecord* Data() { return &data_; }

  private:
    std::string version_ = "1.0";
    std::string mainType_, subType_, disposition_, rawHeaders_;
    std::vector<std::pair<std::string, std::string>> paramText_;
    std::vector<MimeParamRecord> params_;
    MimeTypeRecord mime_ = {};
    HeaderRecord header_ = {};
    DataFileRecord data_ = {};
};

// Asks translators 1 to 4 in turn, as the host does, and returns the first
// whose answer is "can translate now" (10), or 0 when none takes it.
[[nodiscard]] int FirstAcceptingTranslator(EntityTranslator& translator, OfferRecords& records);

// Whether translator id's acceptance test, in this process, takes the
// entity offered as a message without an envelope line.
[[nodiscard]] bool TranslatorAccepts(int translatorId, const OfferedEntity& entity);

}  // namespace vellumo
