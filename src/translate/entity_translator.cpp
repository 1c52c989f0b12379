#include "translate/entity_translator.h"

#include "host/host_records.h"
#include "platform/files.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

namespace vellumo {
namespace {

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    (void)DeleteFileAt(path);
    PlatformFile file;
    return file.Open(path, FileMode::CreateNew) && file.Write(bytes.data(), bytes.size());
}

}  // namespace

DriverEntityTranslator::DriverEntityTranslator(const std::string& folder)
    : inputPath_(folder + "/entity-input.eml"), outputPath_(folder + "/entity-output.eml") {}

DriverEntityTranslator::~DriverEntityTranslator() {
    (void)DeleteFileAt(inputPath_);
    (void)DeleteFileAt(outputPath_);
}

int DriverEntityTranslator::Translate(int translatorId, const std::string& inputFile,
                                      std::string& output) {
    output.clear();
    if (!WriteNewFile(inputPath_, inputFile)) {
        return kStatusInputOpenFailed;
    }
    if (!WriteNewFile(outputPath_, std::string())) {
        return kStatusOutputOpenFailed;
    }
    MimeTypeRecord* type = nullptr;
    int status = TranslateMessageFile(translatorId, inputPath_, outputPath_, nullptr, &type);
    FreeMimeTypeRecord(type);
    if (status == kStatusSuccess && !ReadWholeFile(outputPath_, output)) {
        return kStatusOutputOpenFailed;
    }
    return status;
}

}  // namespace vellumo
