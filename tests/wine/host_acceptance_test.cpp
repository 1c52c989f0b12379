// ems_can_translate in the real DLL, offered records built as the mail
// client builds them, and the settings file read at start-up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

struct OfferCase {
    const char* name;
    std::vector<std::string> canArgs;  // words after "can", ending with "-" or a message
    std::vector<std::string> answers;  // translators 1 to 4
};

const std::vector<OfferCase>& OfferCases() {
    static const std::vector<OfferCase> cases = {
        {"Alternative", {"--type", "multipart/alternative", "-"}, {"10", "2", "2", "2"}},
        {"TypesIgnoreCase", {"--type", "Multipart/ALTERNATIVE", "-"}, {"10", "2", "2", "2"}},
        {"ContextWithoutOurBits",
         {"--context", "2", "--type", "multipart/alternative", "-"},
         {"2", "2", "2", "2"}},
        {"ContextWithOneOfOurBits",
         {"--context", "0x200", "--type", "text/html", "-"},
         {"2", "10", "2", "2"}},
        {"Html", {"--type", "text/html; charset=utf-8", "-"}, {"2", "10", "2", "2"}},
        {"HtmlAttachmentIsLeftAlone",
         {"--type", "text/html", "--disposition", "Attachment", "-"},
         {"2", "2", "2", "2"}},
        {"InlineHtml",
         {"--type", "text/html", "--disposition", "inline", "-"},
         {"2", "10", "2", "2"}},
        {"OctetStream", {"--type", "application/octet-stream", "-"}, {"2", "2", "10", "2"}},
        {"OctetStreamMarked",
         {"--type", "application/octet-stream", "--param", "inline4attachment=yes", "-"},
         {"2", "2", "2", "2"}},
        {"MarkerNamesAreCaseSensitive",
         {"--type", "application/octet-stream", "--param", "Inline4Attachment=yes", "-"},
         {"2", "2", "10", "2"}},
        {"Related", {"--type", "multipart/related; boundary=x", "-"}, {"2", "2", "2", "10"}},
        {"RelatedMarked",
         {"--type", "multipart/related", "--param", "related4mixed=yes", "-"},
         {"2", "2", "2", "2"}},
        {"RelatedOtherSpelling",
         {"--type", "multipart/related", "--param", "Related4Mixed=yes", "-"},
         {"2", "2", "2", "10"}},
        {"NoMimeRecord", {"--no-mime", "-"}, {"2", "2", "2", "2"}},
        {"NullHeaderRecord", {"--null-header", "--type", "text/html", "-"}, {"2", "10", "2", "2"}},
        {"NullRawHeaders",
         {"--null-raw", "--type", "multipart/related", "-"},
         {"2", "2", "2", "10"}},
        {"PlainText", {"--type", "text/plain", "-"}, {"2", "2", "2", "2"}},
        {"SampleAlternative", {"samples/alternative.eml"}, {"10", "2", "2", "2"}},
        {"SampleHtml", {"samples/html-only.eml"}, {"2", "10", "2", "2"}},
        {"SampleOctetStream", {"samples/octet-stream.eml"}, {"2", "2", "10", "2"}},
        {"SampleRelated", {"samples/related.eml"}, {"2", "2", "2", "10"}},
    };
    return cases;
}

// All cases in one host run: each Wine start costs a second or two.
TEST(CanTranslate, AnswersEveryOfferAsTheTableSays) {
    std::vector<std::string> args;
    for (const OfferCase& c : OfferCases()) {
        if (!args.empty()) {
            args.push_back("--then");
        }
        args.push_back("can");
        args.push_back("--label");
        args.push_back(c.name);
        args.insert(args.end(), c.canArgs.begin(), c.canArgs.end());
    }
    WineRun run = RunHost(args);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    for (const OfferCase& c : OfferCases()) {
        for (int id = 1; id <= 4; ++id) {
            EXPECT_EQ(run.Value("can." + std::string(c.name) + "." + std::to_string(id)),
                      c.answers[id - 1])
                << c.name << " translator " << id;
        }
    }
}

TEST(CanTranslate, UnknownTranslatorIdsAreInvalid) {
    WineRun run =
        RunHost({"can", "--translator", "0", "--translator", "5", "--type", "text/html", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.Value("can.0"), "3");
    EXPECT_EQ(run.Value("can.5"), "3");
}

struct SleepCase {
    const char* name;
    const char* settings;  // content of vellumo.ini, nullptr for no file
    const char* answer;    // translator 2 on text/html
};

class SleepSetting : public ::testing::TestWithParam<SleepCase> {};

TEST_P(SleepSetting, DecidesWhetherTranslatorsAccept) {
    const SleepCase& c = GetParam();
    TempFolder config;
    if (c.settings != nullptr) {
        WriteFileBytes(config.File("vellumo.ini"), c.settings);
    }
    WineRun run =
        RunHost({"--config-dir", WinePath(config.path()), "can", "--type", "text/html", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.Value("can.2"), c.answer);
    EXPECT_FALSE(FileExistsHere(config.File("vellumo.ini")) && c.settings == nullptr)
        << "start-up must not write the settings file";
}

INSTANTIATE_TEST_SUITE_P(
    Files, SleepSetting,
    ::testing::Values(SleepCase{"NoFile", nullptr, "10"},
                      SleepCase{"SleepZero", "[Options]\r\nSleep=0\r\n", "10"},
                      SleepCase{"SleepOne", "[Options]\r\nSleep=1\r\n", "2"},
                      SleepCase{"SleepTwo", "[Options]\r\nSleep=2\r\n", "2"},
                      SleepCase{"SectionCase", "[options]\r\nSLEEP=1\r\n", "2"},
                      SleepCase{"NotANumber", "[Options]\r\nSleep=yes\r\n", "10"},
                      SleepCase{"OtherSection", "[Other]\r\nSleep=1\r\n", "10"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumo::test
