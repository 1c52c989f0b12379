#include "mailclient/entity_translator.h"

#include <utility>

#include "host/host_records.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

namespace vellumo {

int DriverEntityTranslator::Translate(int translatorId, std::string inputFile,
                                      std::string& output) {
    output.clear();
    MimeTypeRecord* type = nullptr;
    int status = TranslateMessageText(translatorId, std::move(inputFile), output, nullptr, &type);
    FreeMimeTypeRecord(type);
    return status;
}

}  // namespace vellumo
