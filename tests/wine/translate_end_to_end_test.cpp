// ems_translate_file in the real DLL under Wine, driven by the test host the
// way the mail client drives it: offered first, then translated, with the
// host's input file and a pre-created output file; results checked on disk.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

// A configuration folder named Plugins, so that the archive's default folder
// is the sibling "HTML Messages".
class TranslateEndToEnd : public ::testing::Test {
  protected:
    void SetSaving(int value, const std::string& moreLines = "") {
        RunCommand("mkdir -p '" + temp_.File("Plugins") + "'");
        WriteFileBytes(
            temp_.File("Plugins/vellumo.ini"),
            "[Options]\r\nSaveHTMLMessages=" + std::to_string(value) + "\r\n" + moreLines);
    }
    static void RunCommand(const std::string& command) { (void)std::system(command.c_str()); }
    std::string Config() const { return WinePath(temp_.File("Plugins")); }
    std::string Out(const std::string& name) const { return temp_.File(name); }
    std::string WinOut(const std::string& name) const { return WinePath(temp_.File(name)); }
    std::string Archive(const std::string& name) const {
        return temp_.File("HTML Messages/" + name);
    }
    // The trailer as the DLL writes it: the archive path in the ANSI code
    // page (Western here), with the Windows spelling of the folder.
    std::string Trailer(const std::string& ansiName) const {
        return "\r\n\r\nX-HTML-Message-Converted: \"file://" + WinePath(temp_.path()) +
               "\\HTML Messages\\" + ansiName + "\"\r\n";
    }
    std::vector<std::string> TranslateStep(int translator, const std::string& message,
                                           const std::string& output) const {
        return {"translate", "--translator", std::to_string(translator), message, WinOut(output)};
    }
    TempFolder temp_;
};

std::vector<std::string> Chain(const std::vector<std::vector<std::string>>& steps) {
    std::vector<std::string> args;
    for (const auto& step : steps) {
        if (!args.empty()) {
            args.push_back("--then");
        }
        args.insert(args.end(), step.begin(), step.end());
    }
    return args;
}

TEST_F(TranslateEndToEnd, AllFourTranslatorsWithSavingOn) {
    SetSaving(1);
    std::vector<std::string> args = {"--config-dir", Config()};
    std::vector<std::string> steps = Chain({
        TranslateStep(1, "samples/t1-alternative-base64.eml", "t1.out"),
        TranslateStep(2, "samples/t2-html-quoted-printable.eml", "t2qp.out"),
        TranslateStep(2, "samples/html-only.eml", "t2utf8.out"),
        TranslateStep(1, "samples/t1-nested-plain.eml", "nested.out"),
        TranslateStep(3, "samples/t3-octet-encoded-name.eml", "t3.out"),
        TranslateStep(4, "samples/t4-related-named-image.eml", "t4.out"),
    });
    args.insert(args.end(), steps.begin(), steps.end());
    WineRun run = RunHost(args, 120);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.Values("translate.can"),
              (std::vector<std::string>{"10", "10", "10", "10", "10", "10"}));
    EXPECT_EQ(run.Values("translate.status"),
              (std::vector<std::string>{"0", "0", "0", "12", "0", "0"}));
    EXPECT_EQ(run.Values("translate.type"),
              (std::vector<std::string>{"text/plain", "text/plain", "text/plain",
                                        "application/octet-stream", "multipart/mixed"}));

    // Translator 1: the decoded UTF-8 alternative under its charset, then the
    // trailer naming the archive file from the decoded subject.
    EXPECT_EQ(ReadFileBytes(Out("t1.out")),
              "Mime-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
              "Hallo Team,\n\ndie Zahlen f\xC3\xBCr Dezember sind da: Umsatz +5 %.\n"
              "Gr\xC3\xBC\xC3\x9F"
              "e, Ann\n" +
                  Trailer("Zahlen f\xFCr Dezember.eml"));
    std::string archive1 = ReadFileBytes(Archive("Zahlen f\xC3\xBCr Dezember.eml"));
    EXPECT_EQ(archive1.rfind("From: Ann Example <ann@example.org>\r\nTo: team@example.org\r\n"
                             "Date: Tue, 8 Dec 2026 08:30:00 +0100\r\nSubject: ",
                             0),
              0u)
        << archive1;
    EXPECT_NE(archive1.find("Content-Type: text/html; charset=utf-8\r\nMIME-Version: 1.0\r\n\r\n"
                            "<html><body><p>Hallo Team,</p><p>die Zahlen f\xC3\xBCr"),
              std::string::npos)
        << archive1;

    // Translator 2, quoted-printable Latin-1: decoded before rendering, no
    // transfer encoding left, the charset kept.
    std::string qp = ReadFileBytes(Out("t2qp.out"));
    EXPECT_EQ(
        qp.rfind("Mime-Version: 1.0\r\nContent-Type: text/plain; charset=iso-8859-1\r\n\r\n", 0),
        0u)
        << qp;
    EXPECT_EQ(qp.find("Content-Transfer-Encoding"), std::string::npos) << qp;
    EXPECT_NE(qp.find("Men\xFC du jour"), std::string::npos) << qp;
    EXPECT_NE(qp.find("Soupe \xE0 l'oignon & caf\xE9"), std::string::npos) << qp;
    EXPECT_EQ(qp.find("=FC"), std::string::npos) << qp;
    EXPECT_NE(qp.find(Trailer("Men\xFC du jour.eml")), std::string::npos) << qp;
    EXPECT_NE(ReadFileBytes(Archive("Men\xC3\xBC du jour.eml")).find("<h1>Men\xFC du jour</h1>"),
              std::string::npos);

    // Translator 2, base64 UTF-8.
    std::string utf8 = ReadFileBytes(Out("t2utf8.out"));
    EXPECT_NE(utf8.find("Content-Type: text/plain; charset=utf-8\r\n"), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("Gr\xC3\xBC\xC3\x9F"
                        "e aus M\xC3\xBCnchen!"),
              std::string::npos)
        << utf8;
    EXPECT_EQ(utf8.find("base64"), std::string::npos) << utf8;

    // Nested plain alternative: declined, output as the host created it, no archive.
    EXPECT_EQ(ReadFileBytes(Out("nested.out")), "");
    EXPECT_FALSE(FileExistsHere(Archive("Nested alternative.eml")));

    // Translators 3 and 4 keep the encoded-word file names as the host wrote
    // them, the marker first.
    std::string t3 = ReadFileBytes(Out("t3.out"));
    EXPECT_NE(t3.find("Content-Type: application/octet-stream; inline4attachment=yes; "
                      "name=\"=?UTF-8?Q?r=C3=A9sum=C3=A9.bin?=\"\r\n"),
              std::string::npos)
        << t3;
    EXPECT_NE(t3.find("Content-Disposition: attachment; "
                      "filename=\"=?UTF-8?Q?r=C3=A9sum=C3=A9.bin?=\"\r\n"),
              std::string::npos)
        << t3;
    std::string t4 = ReadFileBytes(Out("t4.out"));
    EXPECT_NE(t4.find("Content-Type: multipart/mixed; related4mixed=yes; boundary=rel-t4; "
                      "type=\"text/html\"\r\n"),
              std::string::npos)
        << t4;
    EXPECT_NE(t4.find("name=\"=?UTF-8?Q?Bild_gro=C3=9F.png?=\""), std::string::npos) << t4;
    EXPECT_NE(t4.find("iVBORw0KGgoAAQIDBAUG"), std::string::npos) << t4;

    // Offered again with their own Content-Type, as the host does with a
    // result: no translator takes any of them.
    std::vector<std::vector<std::string>> offers;
    for (const char* name : {"t1.out", "t2qp.out", "t2utf8.out", "t3.out", "t4.out"}) {
        offers.push_back({"can", "--label", name, WinOut(name)});
    }
    std::vector<std::string> again = {"--config-dir", Config()};
    std::vector<std::string> offerSteps = Chain(offers);
    again.insert(again.end(), offerSteps.begin(), offerSteps.end());
    WineRun offered = RunHost(again, 120);
    ASSERT_EQ(offered.exitCode, 0) << offered.output << offered.errors;
    for (const char* name : {"t1.out", "t2qp.out", "t2utf8.out", "t3.out", "t4.out"}) {
        for (int id = 1; id <= 4; ++id) {
            EXPECT_EQ(offered.Value(std::string("can.") + name + "." + std::to_string(id)), "2")
                << name << " translator " << id;
        }
    }
}

// The picture of the HTML branch stays beside the text as an attachment.
TEST_F(TranslateEndToEnd, RelatedHtmlAlternativeIsArchivedWholeAndItsPictureKept) {
    SetSaving(1);
    std::vector<std::string> args = {"--config-dir", Config()};
    std::vector<std::string> step =
        TranslateStep(1, "samples/t1-alternative-related.eml", "related.out");
    args.insert(args.end(), step.begin(), step.end());
    WineRun run = RunHost(args, 120);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.Values("translate.status"), std::vector<std::string>{"0"});
    EXPECT_EQ(run.Values("translate.type"), std::vector<std::string>{"multipart/mixed"});
    const std::string boundary = "Vellumo-Kept-Parts-00000000";
    EXPECT_EQ(ReadFileBytes(Out("related.out")),
              "Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=" + boundary +
                  "\r\n\r\n--" + boundary +
                  "\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n"
                  "Our team picture is in the HTML part." +
                  Trailer("Team picture.eml") + "\r\n--" + boundary +
                  "\r\nContent-Type: image/gif; name=\"team.gif\"\r\n"
                  "Content-ID: <team@example.org>\r\nContent-Transfer-Encoding: base64\r\n"
                  "Content-Disposition: attachment\r\n\r\n"
                  "R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==\r\n--" +
                  boundary + "--\r\n");
    std::string archive = ReadFileBytes(Archive("Team picture.eml"));
    EXPECT_NE(archive.find("Subject: Team picture\r\nMIME-Version: 1.0\r\n"
                           "Content-Type: multipart/related; boundary=\"rel-pic\"; "
                           "type=\"text/html\"\r\n\r\n--rel-pic\r\n"),
              std::string::npos)
        << archive;
    EXPECT_NE(archive.find("Content-ID: <team@example.org>\r\n"
                           "Content-Transfer-Encoding: base64\r\n\r\n"
                           "R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==\r\n"
                           "--rel-pic--"),
              std::string::npos)
        << archive;
}

TEST_F(TranslateEndToEnd, SavingOffAndMissingOutput) {
    SetSaving(0);
    std::vector<std::string> args = {"--config-dir", Config()};
    std::vector<std::string> steps = Chain({
        TranslateStep(1, "samples/t1-alternative-base64.eml", "t1.out"),
        TranslateStep(2, "samples/t2-html-quoted-printable.eml", "t2.out"),
        {"translate", "--translator", "1", "--no-output-file", "samples/alternative.eml",
         WinOut("missing.out")},
        {"translate", "--translator", "4", "--no-output-file", "samples/related.eml",
         WinOut("missing4.out")},
    });
    args.insert(args.end(), steps.begin(), steps.end());
    WineRun run = RunHost(args, 120);
    EXPECT_EQ(run.Values("translate.status"), (std::vector<std::string>{"0", "0", "6", "6"}))
        << run.output;
    std::string t1 = ReadFileBytes(Out("t1.out"));
    EXPECT_EQ(t1.find("X-HTML-Message-Converted"), std::string::npos) << t1;
    EXPECT_EQ(t1.size(), std::string("Mime-Version: 1.0\r\nContent-Type: text/plain; "
                                     "charset=utf-8\r\n\r\n")
                                 .size() +
                             std::string("Hallo Team,\n\ndie Zahlen f\xC3\xBCr Dezember sind "
                                         "da: Umsatz +5 %.\nGr\xC3\xBC\xC3\x9F"
                                         "e, Ann\n")
                                 .size());
    EXPECT_EQ(ReadFileBytes(Out("t2.out")).find("X-HTML-Message-Converted"), std::string::npos);
    EXPECT_FALSE(FileExistsHere(temp_.File("HTML Messages")));
    EXPECT_FALSE(FileExistsHere(Out("missing.out")));
}

// Nested application/octet-stream parts as the host offers them (the part's
// text up to the line end of the parent's next delimiter): after translator
// 3 the host puts the output back and saves the attachment, which must hold
// exactly the original bytes. Those not in base64 used to gain CR LF CR LF.
TEST_F(TranslateEndToEnd, NestedAttachmentPutBackKeepsItsExactBytes) {
    SetSaving(0);
    struct Part {
        const char* name;
        std::string header;
        std::string encoded;
        std::string attachment;
    };
    const std::string binary("\x00\x01\xFF\r\n\r\nend", 10);
    const Part parts[] = {
        {"text7bit",
         "Content-Type: application/octet-stream; name=\"notes.txt\"\r\n"
         "Content-Transfer-Encoding: 7bit\r\n"
         "Content-Disposition: inline; filename=\"notes.txt\"\r\n",
         "line one\r\nline two\r\n\r\n", "line one\r\nline two\r\n\r\n"},
        {"binary", "Content-Type: application/octet-stream\r\nContent-Disposition: inline\r\n",
         binary, binary},
        {"base64",
         "Content-Type: application/octet-stream\r\nContent-Transfer-Encoding: base64\r\n"
         "Content-Disposition: inline\r\n",
         "AAH/DQoNCmVuZA==", binary},
    };
    std::vector<std::vector<std::string>> steps;
    for (const Part& part : parts) {
        std::string name = part.name;
        WriteFileBytes(Out(name + ".part"), part.header + "\r\n" + part.encoded + "\r\n");
        steps.push_back({"translate", "--translator", "3", "--save-part", WinOut(name + ".saved"),
                         WinOut(name + ".part"), WinOut(name + ".out")});
    }
    std::vector<std::string> args = {"--config-dir", Config()};
    std::vector<std::string> chained = Chain(steps);
    args.insert(args.end(), chained.begin(), chained.end());
    WineRun run = RunHost(args, 120);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.Values("translate.status"), (std::vector<std::string>{"0", "0", "0"}));
    for (const Part& part : parts) {
        SCOPED_TRACE(part.name);
        EXPECT_EQ(ReadFileBytes(Out(std::string(part.name) + ".saved")), part.attachment);
        EXPECT_NE(ReadFileBytes(Out(std::string(part.name) + ".out"))
                      .find("Content-Disposition: attachment"),
                  std::string::npos);
    }
}

// The DLL reads and writes ISO-2022-JP from its own tables, as the native
// build does: Wine has no code page for it.
TEST_F(TranslateEndToEnd, JapaneseAndLabelledCharsetsWithoutHostCodePages) {
    SetSaving(0);
    const std::string greeting = "\x1B$B%;%s%?!<D9$N;3ED$G$9!#\x1B(B";
    WriteFileBytes(temp_.File("jp.eml"), "Content-Type: text/html; charset=ISO-2022-JP\r\n\r\n<p>" +
                                             greeting + "</p>\r\n<p>Thanks &amp; bye</p>\r\n");
    WriteFileBytes(
        temp_.File("meta.eml"),
        "Content-Type: text/html\r\n\r\n<meta charset=\"utf-8\"><p>\xC3\xA9 &euro;</p>\r\n");
    std::vector<std::string> args = {"--config-dir", Config()};
    std::vector<std::string> steps = Chain({
        TranslateStep(2, WinePath(temp_.File("jp.eml")), "jp.out"),
        TranslateStep(2, WinePath(temp_.File("meta.eml")), "meta.out"),
    });
    args.insert(args.end(), steps.begin(), steps.end());
    WineRun run = RunHost(args, 120);
    EXPECT_EQ(run.Values("translate.status"), (std::vector<std::string>{"0", "0"})) << run.output;
    const std::string jp = ReadFileBytes(Out("jp.out"));
    EXPECT_NE(jp.find("Content-Type: text/plain; charset=ISO-2022-JP\r\n"), std::string::npos)
        << jp;
    EXPECT_NE(jp.find("\r\n\r\n" + greeting + "\r\n\r\nThanks & bye"), std::string::npos) << jp;
    const std::string meta = ReadFileBytes(Out("meta.out"));
    EXPECT_NE(meta.find("Content-Type: text/plain; charset=utf-8\r\n"), std::string::npos) << meta;
    EXPECT_NE(meta.find("\r\n\r\n\xC3\xA9 \xE2\x82\xAC"), std::string::npos) << meta;
}

// Asking for the system engine changes nothing under Wine, where the
// engine is never used: the text is the built-in renderer's.
TEST_F(TranslateEndToEnd, EngineSettingUnderWineKeepsTheRenderersText) {
    std::string outputs[2];
    for (int engine = 0; engine < 2; ++engine) {
        SetSaving(0, "HTMLEngine=" + std::to_string(engine) + "\r\n");
        const std::string name = "t2-" + std::to_string(engine) + ".out";
        std::vector<std::string> args = {"--config-dir", Config()};
        std::vector<std::string> step =
            TranslateStep(2, "samples/t2-html-quoted-printable.eml", name);
        args.insert(args.end(), step.begin(), step.end());
        WineRun run = RunHost(args, 120);
        EXPECT_EQ(run.Values("translate.status"), (std::vector<std::string>{"0"})) << run.output;
        outputs[engine] = ReadFileBytes(Out(name));
    }
    EXPECT_NE(outputs[0].find("\r\n\r\n"), std::string::npos) << outputs[0];
    EXPECT_GT(outputs[0].size(), outputs[0].find("\r\n\r\n") + 4) << outputs[0];
    EXPECT_EQ(outputs[1], outputs[0]);
}

}  // namespace
}  // namespace vellumo::test
