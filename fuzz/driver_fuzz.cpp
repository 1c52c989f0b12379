// The translation driver on arbitrary message bytes: each input picks a
// translator and whether HTML is saved, then runs through real files in a
// temporary folder. Checks that a decline leaves the output and the archive
// untouched and that a success wrote what the translator promises; for the
// relabelling translators, that nothing but the header changed.
//
// Input layout: byte 0 = translator (low two bits + 1), saving (bit 2) and
// the host's input tail (bits 3 and up, modulo 3);
// bytes 1.. = the message file.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "host/header_text_parameter.h"
#include "host/plugin_state.h"
#include "host/settings.h"
#include "mime/header_span.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

namespace {

constexpr const char* kUntouched = "untouched";

struct Workspace {
    std::string folder;
    std::string input;
    std::string output;
    std::string archive;
};

const Workspace& TheWorkspace() {
    static const Workspace workspace = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vellumo-driver-fuzz-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        if (made == nullptr) {
            std::abort();
        }
        Workspace w{made, std::string(made) + "/in.eml", std::string(made) + "/out.eml",
                    std::string(made) + "/archive/"};
        vellumo::ConfigFolder = w.folder + "/Plugins";
        vellumo::SettingsFilePath = w.folder + "/vellumo.ini";
        vellumo::WriteSettingString(vellumo::kOptionsSection, vellumo::kHtmlPathKey, w.archive,
                                    vellumo::SettingsFilePath);
        vellumo::CapturedHeaders = "From: a@example.org\r\nDate: now\r\nSubject: Fuzz";
        return w;
    }();
    // Registered after the workspace is complete, so it runs before the
    // workspace's strings are destroyed.
    static const bool cleanup = (std::atexit([] {
                                     std::error_code ignored;
                                     std::filesystem::remove_all(TheWorkspace().folder, ignored);
                                 }),
                                 true);
    (void)cleanup;
    return workspace;
}

void WriteBytes(const std::string& path, const char* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t ArchiveCount(const std::string& folder) {
    std::error_code ignored;
    size_t count = 0;
    for (auto it = std::filesystem::directory_iterator(folder, ignored);
         it != std::filesystem::directory_iterator(); ++it) {
        ++count;
    }
    return count;
}

// Translators 3 and 4 change header fields only: the output is the input
// but for one stretch that lies inside the input's header. Translators 3
// and 4 also leave out the line ends the host put after the entity (its
// input tail).
void CheckOnlyHeaderChanged(int translator, const std::string& input, const std::string& output) {
    const ptrdiff_t fieldsEnd =
        vellumo::HeaderFieldsEnd(input.c_str(), static_cast<ptrdiff_t>(input.size()));
    if (fieldsEnd < 0) {
        std::abort();  // an unreadable header is declined
    }
    std::string kept = input;
    const size_t bodyStart = std::min(static_cast<size_t>(fieldsEnd) + 2, input.size());
    for (int i = 0; translator >= 3 && i < vellumo::HostInputTailLineEnds &&
                    kept.size() >= bodyStart + 2 && kept.compare(kept.size() - 2, 2, "\r\n") == 0;
         ++i) {
        kept.resize(kept.size() - 2);
    }
    const size_t shorter = std::min(kept.size(), output.size());
    size_t prefix = 0;
    while (prefix < shorter && kept[prefix] == output[prefix]) {
        ++prefix;
    }
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           kept[kept.size() - 1 - suffix] == output[output.size() - 1 - suffix]) {
        ++suffix;
    }
    if (kept.size() - suffix > static_cast<size_t>(fieldsEnd)) {
        std::abort();  // a byte after the header changed or went missing
    }
}

void CheckSuccess(int translator, const std::string& input, const std::string& output,
                  const vellumo::MimeTypeRecord* type) {
    if (type == nullptr) {
        std::abort();
    }
    const std::string marker = translator == 4 ? "related4mixed" : "inline4attachment";
    // Translator 1 writes the text, or the text and the parts kept beside
    // it as multipart/mixed; its record says which.
    const std::string kind = std::string(type->mainType) + "/" + type->subType;
    const std::string head = "Mime-Version: 1.0\r\nContent-Type: " + kind;
    if (translator == 1 && ((kind != "text/plain" && kind != "multipart/mixed") ||
                            output.compare(0, head.size(), head) != 0)) {
        std::abort();
    }
    if (translator >= 3) {
        // The acceptance check must see the marker, or the host offers the
        // output to the same translator again.
        const ptrdiff_t fieldsEnd =
            vellumo::HeaderFieldsEnd(output.c_str(), static_cast<ptrdiff_t>(output.size()));
        if (fieldsEnd < 0 ||
            !vellumo::HeaderTextHasParameter(std::string_view(output).substr(0, fieldsEnd),
                                             "Content-Type", marker)) {
            std::abort();
        }
        CheckOnlyHeaderChanged(translator, input, output);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const Workspace& w = TheWorkspace();
    const int translator = (data[0] & 3) + 1;
    vellumo::SaveHTMLMessagesValue = (data[0] & 4) != 0 ? 1 : 0;
    vellumo::HostInputTailLineEnds = (data[0] >> 3) % 3;
    WriteBytes(w.input, reinterpret_cast<const char*>(data) + 1, size - 1);
    WriteBytes(w.output, kUntouched, 9);
    std::error_code ignored;
    std::filesystem::remove_all(w.archive, ignored);

    vellumo::MimeTypeRecord* type = nullptr;
    const int status = vellumo::TranslateMessageFile(translator, w.input, w.output, "Fuzz", &type);
    const std::string output = ReadBytes(w.output);
    switch (status) {
        case 0:
            CheckSuccess(translator, std::string(reinterpret_cast<const char*>(data) + 1, size - 1),
                         output, type);
            break;
        case 12:
            if (type != nullptr || output != kUntouched || ArchiveCount(w.archive) != 0) {
                std::abort();
            }
            break;
        default:
            std::abort();  // input and output always exist here
    }
    vellumo::FreeMimeTypeRecord(type);
    return 0;
}
