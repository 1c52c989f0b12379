#include "host/translator_table.h"

namespace vellumo {
namespace {

constexpr TranslatorEntry kTranslatorTable[kTranslatorCount] = {
    {1, "HTML Message Part", "multipart", "alternative", nullptr, kTranslatorIconId},
    {2, "Pure-HTML Message", "text", "html", nullptr, kTranslatorIconId},
    {3, "Inline4Attachment", "application", "octet-stream", "inline4attachment", kTranslatorIconId},
    {4, "Related4Mixed", "multipart", "related", "related4mixed", kTranslatorIconId},
};

}  // namespace

const TranslatorEntry* FindTranslator(int id) {
    if (id < 1 || id > kTranslatorCount) {
        return nullptr;
    }
    return &kTranslatorTable[id - 1];
}

const char* TranslatorName(int id) {
    const TranslatorEntry* entry = FindTranslator(id);
    return entry != nullptr ? entry->description : "?";
}

}  // namespace vellumo
