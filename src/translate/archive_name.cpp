#include "translate/archive_name.h"

#include <cstdio>

#include "charset/system_code_page.h"
#include "host/plugin_state.h"
#include "host/settings.h"
#include "host/settings_record.h"
#include "translate/safe_file_name.h"

namespace vellumo {
namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";

std::string TrimWhiteSpace(const std::string& text) {
    size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos) {
        return std::string();
    }
    size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

int TwoDigits(int value) {
    return value < 0 ? 0 : value % 100;
}

}  // namespace

std::string TimeStem(const LocalTime& now) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d%02d", TwoDigits(now.day), TwoDigits(now.hour),
                  TwoDigits(now.minute), TwoDigits(now.second));
    return text;
}

std::string MakeArchiveStem(const std::string& subject, const LocalTime& now) {
    std::string stem;
    if (subject.size() > kMaxSubjectStemLength) {
        stem = CutToWholeCharacters(subject, kMaxSubjectStemLength);
    } else if (subject.empty()) {
        stem = TimeStem(now);
    } else {
        stem = subject;
    }
    stem = TrimWhiteSpace(stem);
    return stem.empty() ? std::string(kBlankSubjectStem) : MakeSafeFileName(stem);
}

SettingsRecord ArchiveSettings() {
    return LoadSettings(SettingsFilePath, DefaultArchiveFolderFromConfig(ConfigFolder));
}

}  // namespace vellumo
