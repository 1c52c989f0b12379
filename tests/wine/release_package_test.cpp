// The release package as a user gets it: the zip unpacked into a fresh
// Plugins folder holds exactly its six files, its checksums match, and the
// DLL and the two tools work from there.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

const std::set<std::string> kPackagedFiles = {
    "vellumo.dll", "vellumo-translate.exe", "vellumo-html2text.exe", "README.txt", "LICENSE",
    "SHA256SUMS"};

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

int RunInFolder(const std::string& folder, const std::string& command) {
    std::string line = "cd " + Quoted(folder) + " && " + command + " >/dev/null 2>&1";
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

bool HasOnlyCrLfLineEnds(const std::string& text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r') {
            return false;
        }
    }
    return text.find('\n') != std::string::npos;
}

// Unpacks the zip into <temp>/Plugins with the same CMake that packed it, as
// a user installs the DLL into a mail data folder's Plugins folder.
class ReleasePackage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileExistsHere(VELLUMO_RELEASE_PACKAGE))
            << VELLUMO_RELEASE_PACKAGE << " is missing: build the win32 preset first";
        std::filesystem::create_directory(plugins());
        ASSERT_EQ(RunInFolder(plugins(), Quoted(VELLUMO_CMAKE_COMMAND) + " -E tar xf " +
                                             Quoted(VELLUMO_RELEASE_PACKAGE)),
                  0);
    }
    std::string plugins() const { return temp_.File("Plugins"); }
    std::string Unpacked(const std::string& name) const { return plugins() + "/" + name; }

    TempFolder temp_;
};

TEST_F(ReleasePackage, HoldsExactlyItsSixFiles) {
    EXPECT_EQ(FilesIn(plugins()), kPackagedFiles);
}

TEST_F(ReleasePackage, ChecksumsCoverAndMatchEveryOtherFile) {
    std::istringstream lines(ReadFileBytes(Unpacked("SHA256SUMS")));
    std::set<std::string> listed;
    std::string hash, name;
    while (lines >> hash >> name) {
        EXPECT_EQ(hash.size(), 64u) << name;
        listed.insert(name);
    }
    std::set<std::string> others = kPackagedFiles;
    others.erase("SHA256SUMS");
    EXPECT_EQ(listed, others);
    EXPECT_EQ(RunInFolder(plugins(), "sha256sum --check --strict SHA256SUMS"), 0);

    std::string readme = ReadFileBytes(Unpacked("README.txt"));
    WriteFileBytes(Unpacked("README.txt"), readme + "changed");
    EXPECT_NE(RunInFolder(plugins(), "sha256sum --check --strict SHA256SUMS"), 0)
        << "a changed file must fail the check";
}

TEST_F(ReleasePackage, TextFilesHaveCrLfLineEnds) {
    std::string readme = ReadFileBytes(Unpacked("README.txt"));
    std::string license = ReadFileBytes(Unpacked("LICENSE"));
    EXPECT_TRUE(HasOnlyCrLfLineEnds(readme));
    EXPECT_TRUE(HasOnlyCrLfLineEnds(license));
    EXPECT_TRUE(HasOnlyCrLfLineEnds(ReadFileBytes(Unpacked("SHA256SUMS"))));
    EXPECT_EQ(readme.rfind("Vellumo for Eudora " VELLUMO_VERSION "\r\n", 0), 0u);
    EXPECT_EQ(readme.find("@VERSION@"), std::string::npos);
    EXPECT_EQ(license.rfind("MIT License\r\n\r\nCopyright (c) 2026 Brightcog\r\n", 0), 0u);
}

// The mail client names the mail data folder's Plugins folder; the packaged
// DLL must start, describe itself with the resource's version and translate.
TEST_F(ReleasePackage, DllStartsAndTranslatesFromTheUnpackedFolder) {
    std::string output = temp_.File("out.txt");
    WineRun run = RunUnderWine(
        Win32Binary("emshost.exe"),
        {"--dll", WinePath(Unpacked("vellumo.dll")), "--config-dir", WinePath(plugins()),
         "translate", "--translator", "2", "samples/html-only.eml", WinePath(output)});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.Value("exports.found"), "all");
    EXPECT_EQ(run.Value("init.status"), "0");
    EXPECT_EQ(run.Value("init.description"), "Vellumo for Eudora, Version: " VELLUMO_VERSION);
    EXPECT_EQ(run.Value("init.translators"), "4");
    EXPECT_EQ(run.Value("translate.status"), "0");
    EXPECT_NE(ReadFileBytes(output).find("X-HTML-Message-Converted: \"file://"), std::string::npos);
    EXPECT_EQ(FilesIn(temp_.File("HTML Messages")).size(), 1u)
        << "the HTML is saved beside Plugins";
}

std::string Utf16(const std::string& ascii) {
    std::string wide;
    for (char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

// Each program carries a version record with the package's version, its own
// file name, and the copyright holder of LICENSE.
TEST_F(ReleasePackage, ProgramsCarryTheVersionAndTheLicensesHolder) {
    const std::string license = ReadFileBytes(Unpacked("LICENSE"));
    const std::string prefix = "Copyright (c) ";
    const size_t start = license.find(prefix);
    ASSERT_NE(start, std::string::npos);
    const size_t end = license.find("\r\n", start);
    const std::string holder = license.substr(start + prefix.size(), end - start - prefix.size());
    std::string version = VELLUMO_VERSION;
    for (size_t dot = version.find('.'); dot != std::string::npos; dot = version.find('.', dot)) {
        version.replace(dot, 1, ", ");
    }
    for (const char* program : {"vellumo.dll", "vellumo-translate.exe", "vellumo-html2text.exe"}) {
        SCOPED_TRACE(program);
        const std::string bytes = ReadFileBytes(Unpacked(program));
        EXPECT_NE(bytes.find(Utf16("Copyright (C) " + holder)), std::string::npos);
        EXPECT_NE(bytes.find(Utf16(version)), std::string::npos);
        EXPECT_NE(bytes.find(Utf16(program)), std::string::npos);
    }
}

TEST_F(ReleasePackage, ToolsRunFromTheUnpackedFolder) {
    WriteFileBytes(Unpacked("page.html"), "<p>Packed <b>and</b> shipped</p>");
    WineRun text =
        RunUnderWine(Unpacked("vellumo-html2text.exe"), {WinePath(Unpacked("page.html"))});
    EXPECT_EQ(text.exitCode, 0) << text.errors;
    // The text once ended without a line end, so a shell prompt ran on from it.
    EXPECT_EQ(text.output, "Packed and shipped\r\n");

    WineRun help = RunUnderWine(Unpacked("vellumo-translate.exe"), {"--help"});
    EXPECT_EQ(help.exitCode, 0) << help.errors;
    EXPECT_EQ(help.output.rfind("Usage: vellumo-translate", 0), 0u) << help.output;
}

}  // namespace
}  // namespace vellumo::test
