// The real vellumo.dll as the mail client loads it: exports, plug-in start,
// translators and the menu entry.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

std::string CommandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    pclose(pipe);
    return output;
}

TEST(DllExports, AreTheTenPlainNames) {
    std::string dump =
        CommandOutput("i686-w64-mingw32-objdump -p '" + Win32Binary("vellumo.dll") + "'");
    size_t table = dump.find("[Ordinal/Name Pointer] Table");
    ASSERT_NE(table, std::string::npos) << "no export table";
    std::string names = dump.substr(table, dump.find("\n\n", table) + 1 - table);
    for (const char* name :
         {"ems_plugin_version", "ems_plugin_init", "ems_translator_info", "ems_can_translate",
          "ems_translate_file", "ems_plugin_finish", "ems_free", "ems_plugin_config",
          "ems_special_info", "ems_special_hook"}) {
        EXPECT_NE(names.find(std::string("] ") + name + "\n"), std::string::npos) << name;
    }
    EXPECT_EQ(names.find('@'), std::string::npos) << names;
    EXPECT_EQ(names.find("] _"), std::string::npos) << names;
    int count = 0;
    for (size_t at = names.find("] ems_"); at != std::string::npos;
         at = names.find("] ems_", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 10);
}

TEST(DllExports, ImportOnlySystemLibraries) {
    std::string dump =
        CommandOutput("i686-w64-mingw32-objdump -p '" + Win32Binary("vellumo.dll") + "'");
    ASSERT_NE(dump.find("DLL Name: KERNEL32.dll"), std::string::npos);
    for (const char* runtime : {"libstdc++", "libgcc", "libwinpthread"}) {
        EXPECT_EQ(dump.find(runtime), std::string::npos) << runtime;
    }
}

TEST(PluginStart, ReportsVersionRecordAndIcon) {
    TempFolder config;
    WineRun run = RunHost({"--config-dir", WinePath(config.path())});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.Value("exports.found"), "all");
    EXPECT_EQ(run.Value("version.value"), "4");
    EXPECT_EQ(run.Value("version.writes_16_bits"), "yes");
    EXPECT_EQ(run.Value("init.status"), "0");
    EXPECT_EQ(run.Value("init.translators"), "4");
    EXPECT_EQ(run.Value("init.attachers"), "0");
    EXPECT_EQ(run.Value("init.specials"), "1");
    EXPECT_EQ(run.Value("init.id"), "4371");
    EXPECT_EQ(run.Value("init.description"), "Vellumo for Eudora, Version: " VELLUMO_VERSION);
    EXPECT_EQ(run.Value("init.icon"), "115");
    EXPECT_EQ(run.Value("init.extra_untouched"), "yes");
    EXPECT_EQ(run.Value("finish.status"), "0");
}

// The host names the mail folder's Plugins folder even when it loaded the DLL
// from elsewhere; the description must still come from the module's own file.
TEST(PluginStart, DescriptionComesFromTheLoadedModule) {
    TempFolder elsewhere;
    std::string copy = elsewhere.File("renamed.dll");
    WriteFileBytes(copy, ReadFileBytes(Win32Binary("vellumo.dll")));
    TempFolder config;
    WineRun run = RunUnderWine(Win32Binary("emshost.exe"),
                               {"--dll", WinePath(copy), "--config-dir", WinePath(config.path())});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.Value("init.description"), "Vellumo for Eudora, Version: " VELLUMO_VERSION);
}

TEST(PluginStart, TranslatorTable) {
    WineRun run = RunHost({});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const char* descriptions[] = {"HTML Message Part", "Pure-HTML Message", "Inline4Attachment",
                                  "Related4Mixed"};
    for (int id = 1; id <= 4; ++id) {
        std::string key = "translator." + std::to_string(id);
        SCOPED_TRACE(key);
        EXPECT_EQ(run.Value(key + ".status"), "0");
        EXPECT_EQ(run.Value(key + ".type"), "0x10");
        EXPECT_EQ(run.Value(key + ".flags"), "0x1e01");
        EXPECT_EQ(run.Value(key + ".description"), descriptions[id - 1]);
    }
    EXPECT_EQ(run.Value("translator.0.status"), "3");
    EXPECT_EQ(run.Value("translator.5.status"), "3");
    EXPECT_EQ(run.Value("menu.0.status"), "3");
    EXPECT_EQ(run.Value("menu.2.status"), "3");
    EXPECT_EQ(run.Value("menu.1.description"), "Vellumo Settings...");
}

struct HostVersionCase {
    const char* name;
    const char* api;
    const char* translatorIcon;
    const char* menuFlags;
    const char* menuIcon;
};

class IconsByHostVersion : public ::testing::TestWithParam<HostVersionCase> {};

TEST_P(IconsByHostVersion, MatchTheHostInterface) {
    const HostVersionCase& c = GetParam();
    WineRun run = RunHost({"--api", c.api});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (int id = 1; id <= 4; ++id) {
        EXPECT_EQ(run.Value("translator." + std::to_string(id) + ".icon"), c.translatorIcon);
    }
    EXPECT_EQ(run.Value("menu.1.flags"), c.menuFlags);
    EXPECT_EQ(run.Value("menu.1.icon"), c.menuIcon);
    EXPECT_EQ(run.Value("init.icon"), "115");
}

INSTANTIATE_TEST_SUITE_P(Hosts, IconsByHostVersion,
                         ::testing::Values(HostVersionCase{"Version3", "3", "116", "0x0", "0"},
                                           HostVersionCase{"Version4", "4", "114", "0x8000", "114"},
                                           HostVersionCase{"Version6", "6", "114", "0x8000",
                                                           "114"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumo::test

namespace vellumo::test {
namespace {

// A host that passes no configuration record: no settings file is read, the
// plug-in still starts and describes itself.
// Saving is off then: there is no folder to save into.
TEST(PluginStart, WithoutConfigurationRecord) {
    TempFolder work;
    std::string output = work.File("out.txt");
    WineRun run =
        RunHost({"--null-config", "can", "--type", "text/html", "-", "--then", "translate",
                 "--translator", "1", "samples/alternative.eml", WinePath(output)});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.Value("init.status"), "0");
    EXPECT_EQ(run.Value("init.description"), "Vellumo for Eudora, Version: " VELLUMO_VERSION);
    EXPECT_EQ(run.Value("can.2"), "10");
    EXPECT_EQ(run.Value("translate.status"), "0");
    std::string text = ReadFileBytes(output);
    EXPECT_NE(text.find("Weekly report"), std::string::npos) << text;
    EXPECT_EQ(text.find("X-HTML-Message-Converted"), std::string::npos) << text;
}

}  // namespace
}  // namespace vellumo::test
