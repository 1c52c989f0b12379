#include "plugin_translator.h"

#include <cstdio>
#include <fstream>

#include "offered_file.h"

namespace emshost {
namespace {

using vellumo::MimeParamRecord;

void FreeParams(const PluginApi& api, MimeParamRecord* param) {
    while (param != nullptr) {
        MimeParamRecord* next = param->next;
        FreeBlock(api, param->name);
        FreeBlock(api, param->value);
        FreeBlock(api, param);
        param = next;
    }
}

}  // namespace

void FreeOutputType(const PluginApi& api, vellumo::MimeTypeRecord* type) {
    if (type == nullptr) {
        return;
    }
    FreeBlock(api, type->mimeVersion);
    FreeBlock(api, type->mainType);
    FreeBlock(api, type->subType);
    FreeBlock(api, type->contentDisposition);
    FreeParams(api, type->params);
    FreeParams(api, type->dispositionParams);
    FreeBlock(api, type);
}

int PluginTranslator::CanTranslate(int translatorId, vellumo::DataFileRecord& offer) {
    TranslatorInfoRecord info = {};
    info.size = sizeof info;
    info.id = translatorId;
    return static_cast<int>(api_.canTranslate(api_.globals, &info, &offer, nullptr));
}

int PluginTranslator::Translate(int translatorId, vellumo::DataFileRecord& offer,
                                std::string inputFile, std::string& output) {
    std::string input = workPath_ + ".in";
    std::string outputPath = workPath_ + ".out";
    std::ofstream(input, std::ios::binary).write(inputFile.data(), inputFile.size());
    std::ofstream created(outputPath, std::ios::binary | std::ios::trunc);
    created.close();
    offer.fileName = &input[0];
    DataFileRecord out = {};
    out.size = sizeof out;
    out.fileName = &outputPath[0];
    TranslatorInfoRecord info = {};
    info.size = sizeof info;
    info.id = translatorId;
    long status = api_.translateFile(api_.globals, &info, &offer, nullptr, &out, nullptr);
    offer.fileName = nullptr;
    FreeOutputType(api_, out.mimeType);
    if (status == 0 && !ReadFileText(outputPath, output)) {
        std::printf("error: cannot read %s\n", outputPath.c_str());
    }
    std::remove(input.c_str());
    std::remove(outputPath.c_str());
    return static_cast<int>(status);
}

}  // namespace emshost
