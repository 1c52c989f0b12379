// Offering a message (ems_can_translate) and translating it
// (ems_translate_file) with the records the mail client builds.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "host_steps.h"
#include "offered_message.h"

namespace emshost {
namespace {

using vellumo::HeaderRecord;
using vellumo::MimeParamRecord;
using vellumo::MimeTypeRecord;

struct OfferOptions {
    int context = 1;
    bool nullHeader = false;
    bool nullRaw = false;
    bool noMime = false;
    bool rawInput = false;
    bool noOutputFile = false;
    bool nullOutput = false;
    std::string typeOverride;
    std::string disposition;
    std::string subject;
    bool hasSubject = false;
    std::string label;
    std::string savePart;  // where to write the attachment put back from the output
    std::vector<int> translators;
    std::vector<std::pair<std::string, std::string>> extraParams;
    std::vector<std::string> files;
};

bool ParseOfferOptions(const std::vector<std::string>& args, OfferOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--context" && hasValue) {
            options.context = std::strtol(args[++i].c_str(), nullptr, 0);
        } else if (a == "--translator" && hasValue) {
            options.translators.push_back(std::atoi(args[++i].c_str()));
        } else if (a == "--type" && hasValue) {
            options.typeOverride = args[++i];
        } else if (a == "--param" && hasValue) {
            std::string p = args[++i];
            size_t eq = p.find('=');
            options.extraParams.emplace_back(p.substr(0, eq),
                                             eq == std::string::npos ? "" : p.substr(eq + 1));
        } else if (a == "--disposition" && hasValue) {
            options.disposition = args[++i];
        } else if (a == "--subject" && hasValue) {
            options.subject = args[++i];
            options.hasSubject = true;
        } else if (a == "--save-part" && hasValue) {
            options.savePart = args[++i];
        } else if (a == "--label" && hasValue) {
            options.label = args[++i] + ".";
        } else if (a == "--null-header") {
            options.nullHeader = true;
        } else if (a == "--null-raw") {
            options.nullRaw = true;
        } else if (a == "--no-mime") {
            options.noMime = true;
        } else if (a == "--raw-input") {
            options.rawInput = true;
        } else if (a == "--no-output-file") {
            options.noOutputFile = true;
        } else if (a == "--null-output") {
            options.nullOutput = true;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            std::printf("error: unknown option %s\n", a.c_str());
            return false;
        } else {
            options.files.push_back(a);
        }
    }
    return true;
}

bool ReadFileText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

// The host's records for one offered message; they own their strings.
struct HostRecords {
    std::string mainType, subType, version = "1.0", disposition, subject, rawHeaders;
    std::vector<std::pair<std::string, std::string>> paramText;
    std::vector<MimeParamRecord> params;
    MimeTypeRecord mime = {};
    HeaderRecord header = {};
    DataFileRecord data = {};
    std::string fileName;

    HostRecords(const OfferedMessage& message, const OfferOptions& options) {
        mainType = message.mainType;
        subType = message.subType;
        paramText = message.params;
        if (!options.typeOverride.empty()) {
            paramText.clear();
            SplitContentType(options.typeOverride, mainType, subType, paramText);
        }
        for (const auto& extra : options.extraParams) {
            paramText.push_back(extra);
        }
        disposition = options.disposition.empty() ? message.dispositionType : options.disposition;
        subject = options.subject;
        rawHeaders = message.rawHeaders;
        Link(options);
    }

    void Link(const OfferOptions& options) {
        params.resize(paramText.size());
        for (size_t i = 0; i < params.size(); ++i) {
            params[i].size = sizeof(MimeParamRecord);
            params[i].name = &paramText[i].first[0];
            params[i].value = &paramText[i].second[0];
            params[i].next = i + 1 < params.size() ? &params[i + 1] : nullptr;
        }
        mime.size = sizeof mime;
        mime.mimeVersion = &version[0];
        mime.mainType = &mainType[0];
        mime.subType = &subType[0];
        mime.params = params.empty() ? nullptr : &params[0];
        mime.contentDisposition = disposition.empty() ? nullptr : &disposition[0];
        header.size = sizeof header;
        header.subject = options.hasSubject ? &subject[0] : nullptr;
        header.rawHeaders = options.nullRaw ? nullptr : &rawHeaders[0];
        data.size = sizeof data;
        data.context = options.context;
        data.mimeType = options.noMime ? nullptr : &mime;
        data.header = options.nullHeader ? nullptr : &header;
    }
};

bool LoadOffered(const OfferOptions& options, size_t index, OfferedMessage& message,
                 std::string& text) {
    if (index >= options.files.size() || options.files[index] == "-") {
        return true;
    }
    if (!ReadFileText(options.files[index], text)) {
        std::printf("error: cannot read %s\n", options.files[index].c_str());
        return false;
    }
    message = ParseOfferedMessage(text);
    return true;
}

long Offer(PluginApi& api, int translatorId, HostRecords& records) {
    TranslatorInfoRecord t = {};
    t.size = sizeof t;
    t.id = translatorId;
    return api.canTranslate(api.globals, &t, &records.data, nullptr);
}

void FreeParams(const PluginApi& api, MimeParamRecord* param) {
    while (param != nullptr) {
        MimeParamRecord* next = param->next;
        FreeBlock(api, param->name);
        FreeBlock(api, param->value);
        FreeBlock(api, param);
        param = next;
    }
}

bool ReportOutputType(const PluginApi& api, MimeTypeRecord* type) {
    if (type == nullptr) {
        std::printf("translate.type: (none)\n");
        return false;
    }
    bool ok = type->mainType != nullptr && type->subType != nullptr && type->size == 28;
    std::printf("translate.type: %s/%s\ntranslate.mime_version: %s\ntranslate.record_size: %ld\n",
                type->mainType ? type->mainType : "(null)",
                type->subType ? type->subType : "(null)",
                type->mimeVersion ? type->mimeVersion : "(null)", static_cast<long>(type->size));
    for (MimeParamRecord* p = type->params; p != nullptr; p = p->next) {
        std::printf("translate.param: %s=%s\n", p->name ? p->name : "", p->value ? p->value : "");
    }
    FreeBlock(api, type->mimeVersion);
    FreeBlock(api, type->mainType);
    FreeBlock(api, type->subType);
    FreeBlock(api, type->contentDisposition);
    FreeParams(api, type->params);
    FreeParams(api, type->dispositionParams);
    FreeBlock(api, type);
    return ok;
}

// Plays the host putting the output back as a nested entity and saving the
// attachment it holds.
void SavePutBackPart(const std::string& output, const std::string& path) {
    std::string text;
    if (!ReadFileText(output, text)) {
        std::printf("error: cannot read %s\n", output.c_str());
        return;
    }
    std::string attachment = PutBackAttachment(text);
    std::ofstream(path, std::ios::binary).write(attachment.data(), attachment.size());
    std::printf("translate.part_bytes: %lu\n", static_cast<unsigned long>(attachment.size()));
}

}  // namespace

bool RunCanStep(PluginApi& api, const std::vector<std::string>& args) {
    OfferOptions options;
    OfferedMessage message;
    std::string text;
    if (!ParseOfferOptions(args, options) || !LoadOffered(options, 0, message, text)) {
        return false;
    }
    HostRecords records(message, options);
    std::vector<int> ids = options.translators;
    if (ids.empty()) {
        ids = {1, 2, 3, 4};
    }
    for (int id : ids) {
        std::printf("can.%s%d: %ld\n", options.label.c_str(), id, Offer(api, id, records));
    }
    return true;
}

bool RunTranslateStep(PluginApi& api, const std::vector<std::string>& args) {
    OfferOptions options;
    OfferedMessage message;
    std::string text;
    if (!ParseOfferOptions(args, options) || options.files.size() != 2 ||
        options.translators.size() != 1 || !LoadOffered(options, 0, message, text)) {
        std::printf("error: translate needs --translator N MESSAGE OUTPUT\n");
        return false;
    }
    int id = options.translators[0];
    HostRecords records(message, options);
    std::printf("translate.can: %ld\n", Offer(api, id, records));

    const std::string& output = options.files[1];
    std::string input = output + ".hostin";
    std::string inputText = options.rawInput ? text : MakeHostInputFile(message);
    std::ofstream(input, std::ios::binary).write(inputText.data(), inputText.size());
    std::remove(output.c_str());
    if (!options.noOutputFile) {
        std::ofstream created(output, std::ios::binary);
    }
    records.fileName = input;
    records.data.fileName = &records.fileName[0];
    DataFileRecord out = {};
    out.size = sizeof out;
    std::string outputName = output;
    out.fileName = &outputName[0];
    TranslatorInfoRecord t = {};
    t.size = sizeof t;
    t.id = id;
    long status = api.translateFile(api.globals, &t, &records.data, nullptr,
                                    options.nullOutput ? nullptr : &out, nullptr);
    std::remove(input.c_str());
    std::printf("translate.status: %ld\n", status);
    if (status != 0 || options.nullOutput) {
        return out.mimeType == nullptr;
    }
    if (!options.savePart.empty()) {
        SavePutBackPart(output, options.savePart);
    }
    return ReportOutputType(api, out.mimeType);
}

}  // namespace emshost
