// Offering a message (ems_can_translate) and translating it
// (ems_translate_file) with the records the mail client builds.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "host_steps.h"
#include "mailclient/offer.h"
#include "mailclient/offered_entity.h"
#include "offered_file.h"
#include "plugin_translator.h"
#include "saved_attachment.h"

namespace emshost {
namespace {

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

// The host's records for one offered file: the walk's records, with the
// step's overrides of type, parameters, disposition and record fields.
struct StepRecords {
    vellumo::OfferedEntity offered;
    std::string subject;
    std::unique_ptr<vellumo::OfferRecords> records;

    StepRecords(const OfferedFile& file, const OfferOptions& options) : offered(file.entity) {
        if (!options.typeOverride.empty()) {
            std::string header = "Content-Type: " + options.typeOverride + "\r\n";
            vellumo::OfferedEntity type = vellumo::ReadOfferedEntity(header);
            offered.mainType = type.mainType;
            offered.subType = type.subType;
            offered.params = type.params;
        }
        for (const auto& extra : options.extraParams) {
            offered.params.push_back(extra);
        }
        if (!options.disposition.empty()) {
            offered.dispositionType = options.disposition;
        }
        records = std::make_unique<vellumo::OfferRecords>(offered, file.envelope);
        DataFileRecord& data = *records->Data();
        subject = options.subject;
        data.context = options.context;
        data.header->subject = options.hasSubject ? &subject[0] : nullptr;
        if (options.nullRaw) {
            data.header->rawHeaders = nullptr;
        }
        if (options.noMime) {
            data.mimeType = nullptr;
        }
        if (options.nullHeader) {
            data.header = nullptr;
        }
    }

    DataFileRecord& Data() { return *records->Data(); }
};

long Offer(PluginApi& api, int translatorId, StepRecords& records) {
    TranslatorInfoRecord t = {};
    t.size = sizeof t;
    t.id = translatorId;
    return api.canTranslate(api.globals, &t, &records.Data(), nullptr);
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
    for (vellumo::MimeParamRecord* p = type->params; p != nullptr; p = p->next) {
        std::printf("translate.param: %s=%s\n", p->name ? p->name : "", p->value ? p->value : "");
    }
    FreeOutputType(api, type);
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
    OfferedFile file;
    if (!ParseOfferOptions(args, options) ||
        !LoadOfferedFile(options.files.empty() ? "-" : options.files[0], file)) {
        return false;
    }
    StepRecords records(file, options);
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
    OfferedFile file;
    if (!ParseOfferOptions(args, options) || options.files.size() != 2 ||
        options.translators.size() != 1 || !LoadOfferedFile(options.files[0], file)) {
        std::printf("error: translate needs --translator N MESSAGE OUTPUT\n");
        return false;
    }
    int id = options.translators[0];
    StepRecords records(file, options);
    std::printf("translate.can: %ld\n", Offer(api, id, records));

    const std::string& output = options.files[1];
    std::string input = output + ".hostin";
    // The file is the entity as the host holds it, any line end before a
    // parent's delimiter included.
    std::string inputText =
        options.rawInput ? file.bytes : vellumo::HostInputFile(file.entity, false);
    std::ofstream(input, std::ios::binary).write(inputText.data(), inputText.size());
    std::remove(output.c_str());
    if (!options.noOutputFile) {
        std::ofstream created(output, std::ios::binary);
    }
    records.Data().fileName = &input[0];
    DataFileRecord out = {};
    out.size = sizeof out;
    std::string outputName = output;
    out.fileName = &outputName[0];
    TranslatorInfoRecord t = {};
    t.size = sizeof t;
    t.id = id;
    long status = api.translateFile(api.globals, &t, &records.Data(), nullptr,
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
