#pragma once
// Test support: the process-wide state the driver reads, pointed at a
// temporary folder. Messages take the host's CR LF form through WithCrLf.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/plugin_state.h"
#include "host/settings.h"
#include "platform/line_ends.h"
#include "support/temp_folder.h"

namespace vellumo::test {

class DriverFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ConfigFolder = temp_.File("Plugins");
        SettingsFilePath = ConfigFolder + "/vellumo.ini";
        std::filesystem::create_directory(ConfigFolder);
        WriteSettingString(kOptionsSection, kHtmlPathKey, ArchiveFolder(), SettingsFilePath);
        SaveHTMLMessagesValue = 0;
        HostInputTailLineEnds = 0;
        CapturedHeaders.clear();
    }
    void TearDown() override {
        ConfigFolder.clear();
        SettingsFilePath.clear();
        CapturedHeaders.clear();
        SaveHTMLMessagesValue = 0;
        HostInputTailLineEnds = 0;
    }
    std::string ArchiveFolder() const { return temp_.File("archive/"); }
    std::string Input() const { return temp_.File("in.eml"); }
    std::string Output() const { return temp_.File("out.eml"); }
    // Files in the archive folder, by name.
    std::vector<std::string> ArchiveNames() const {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(ArchiveFolder(), ignored)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder temp_;
};

}  // namespace vellumo::test
