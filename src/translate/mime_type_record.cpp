#include "translate/mime_type_record.h"

#include <cstdlib>
#include <cstring>

namespace vellumo {

MimeTypeRecord* MakeMimeTypeRecord(const char* mainType, const char* subType, const char* version) {
    if (mainType == nullptr || subType == nullptr) {
        return nullptr;
    }
    auto* record = static_cast<MimeTypeRecord*>(std::calloc(1, sizeof(MimeTypeRecord)));
    if (record == nullptr) {
        return nullptr;
    }
    record->size = kMimeTypeRecordSize;
    record->mimeVersion = strdup(version != nullptr ? version : kDefaultMimeVersion);
    record->mainType = strdup(mainType);
    record->subType = strdup(subType);
    if (record->mimeVersion == nullptr || record->mainType == nullptr ||
        record->subType == nullptr) {
        FreeMimeTypeRecord(record);
        return nullptr;
    }
    return record;
}

void FreeMimeParamList(MimeParamRecord* first) {
    while (first != nullptr) {
        MimeParamRecord* next = first->next;
        std::free(first->name);
        std::free(first->value);
        std::free(first);
        first = next;
    }
}

void FreeMimeTypeRecord(MimeTypeRecord* record) {
    if (record == nullptr) {
        return;
    }
    std::free(record->mimeVersion);
    std::free(record->mainType);
    std::free(record->subType);
    std::free(record->contentDisposition);
    FreeMimeParamList(record->params);
    FreeMimeParamList(record->dispositionParams);
    std::free(record);
}

}  // namespace vellumo
