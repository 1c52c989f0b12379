#include "mailclient/offer.h"

#include <string>
#include <vector>

#include "host/acceptance.h"
#include "host/host_records.h"

namespace vellumo {
namespace {

constexpr HostInt kArrivalContext = 1;
constexpr int kTranslatorCount = 4;

// The host's records for one offered entity; they point into its strings.
class OfferRecords {
  public:
    // The raw headers are built here, the one copy of a header that may be
    // megabytes long.
    OfferRecords(const OfferedEntity& entity, std::string_view envelope)
        : mainType_(entity.mainType),
          subType_(entity.subType),
          disposition_(entity.dispositionType),
          paramText_(entity.params) {
        rawHeaders_.reserve(envelope.size() + entity.header.size());
        rawHeaders_.append(envelope.data(), envelope.size());
        rawHeaders_.append(entity.header.data(), entity.header.size());
        params_.resize(paramText_.size());
        for (size_t i = 0; i < params_.size(); ++i) {
            params_[i].size = sizeof(MimeParamRecord);
            params_[i].name = &paramText_[i].first[0];
            params_[i].value = &paramText_[i].second[0];
            params_[i].next = i + 1 < params_.size() ? &params_[i + 1] : nullptr;
        }
        mime_.size = sizeof mime_;
        mime_.mimeVersion = &version_[0];
        mime_.mainType = &mainType_[0];
        mime_.subType = &subType_[0];
        mime_.params = params_.empty() ? nullptr : &params_[0];
        mime_.contentDisposition = disposition_.empty() ? nullptr : &disposition_[0];
        header_.size = sizeof header_;
        header_.rawHeaders = &rawHeaders_[0];
        data_.size = sizeof data_;
        data_.context = kArrivalContext;
        data_.mimeType = &mime_;
        data_.header = &header_;
    }
    OfferRecords(const OfferRecords&) = delete;
    OfferRecords& operator=(const OfferRecords&) = delete;

    const DataFileRecord* Data() const { return &data_; }

  private:
    std::string version_ = "1.0";
    std::string mainType_, subType_, disposition_, rawHeaders_;
    std::vector<std::pair<std::string, std::string>> paramText_;
    std::vector<MimeParamRecord> params_;
    MimeTypeRecord mime_ = {};
    HeaderRecord header_ = {};
    DataFileRecord data_ = {};
};

bool Accepts(int id, const OfferRecords& records) {
    TranslatorInfoRecord translator = {};
    translator.size = sizeof translator;
    translator.id = id;
    return CanTranslate(&translator, records.Data()) == kStatusCanTranslateNow;
}

}  // namespace

int FirstAcceptingTranslator(const OfferedEntity& entity, std::string_view envelope) {
    OfferRecords records(entity, envelope);
    for (int id = 1; id <= kTranslatorCount; ++id) {
        if (Accepts(id, records)) {
            return id;
        }
    }
    return 0;
}

bool TranslatorAccepts(int translatorId, const OfferedEntity& entity, std::string_view envelope) {
    OfferRecords records(entity, envelope);
    return Accepts(translatorId, records);
}

}  // namespace vellumo
