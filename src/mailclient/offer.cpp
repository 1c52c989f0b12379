#include "mailclient/offer.h"

#include "host/acceptance.h"

namespace vellumo {
namespace {

constexpr HostInt kArrivalContext = 1;
constexpr int kTranslatorCount = 4;
constexpr const char* kDispositionParameter = "Content-Disposition";

}  // namespace

// The raw headers are built here, the one copy of a header that may be
// megabytes long.
OfferRecords::OfferRecords(const OfferedEntity& entity, std::string_view envelope)
    : mainType_(entity.mainType),
      subType_(entity.subType),
      disposition_(entity.dispositionType),
      paramText_(entity.params) {
    rawHeaders_.reserve(envelope.size() + entity.header.size());
    rawHeaders_.append(envelope.data(), envelope.size());
    rawHeaders_.append(entity.header.data(), entity.header.size());
    if (!disposition_.empty()) {
        paramText_.emplace_back(kDispositionParameter, disposition_);
    }
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

int FirstAcceptingTranslator(EntityTranslator& translator, OfferRecords& records) {
    for (int id = 1; id <= kTranslatorCount; ++id) {
        if (translator.CanTranslate(id, *records.Data()) == kStatusCanTranslateNow) {
            return id;
        }
    }
    return 0;
}

bool TranslatorAccepts(int translatorId, const OfferedEntity& entity) {
    OfferRecords records(entity, {});
    TranslatorInfoRecord info = {};
    info.size = sizeof info;
    info.id = translatorId;
    return CanTranslate(&info, records.Data()) == kStatusCanTranslateNow;
}

}  // namespace vellumo
