#include "mailclient/entity_translator.h"

#include <utility>

#include "host/acceptance.h"
#include "host/plugin_state.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

namespace vellumo {

int DriverEntityTranslator::CanTranslate(int translatorId, DataFileRecord& offer) {
    inputTail_ = HostInputTailFor(offer.header);
    TranslatorInfoRecord info = {};
    info.size = sizeof info;
    info.id = translatorId;
    return vellumo::CanTranslate(&info, &offer);
}

int DriverEntityTranslator::Translate(int translatorId, DataFileRecord& /*offer*/,
                                      std::string inputFile, std::string& output) {
    output.clear();
    MimeTypeRecord* type = nullptr;
    const std::int32_t before = HostInputTailLineEnds;
    HostInputTailLineEnds = inputTail_;
    decline_ = DeclineReason();
    int status = TranslateMessageText(translatorId, std::move(inputFile), output, nullptr, &type,
                                      nullptr, &decline_);
    HostInputTailLineEnds = before;
    FreeMimeTypeRecord(type);
    return status;
}

}  // namespace vellumo
