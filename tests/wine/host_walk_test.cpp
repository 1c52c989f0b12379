// Whole messages walked through the real DLL under Wine the way the mail
// client walks them on arrival (the test host's "walk" step): every entity
// offered, translated, put back and offered again. What the host finally
// saves is read here separately.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/line_ends.h"
#include "translate/reference_mime.h"
#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

constexpr const char* kEnvelope = "From ???@??? Mon Dec 07 09:00:00 2026\r\n";

struct Walked {
    std::vector<std::string> translations;  // "PATH ID STATUS"
    std::string outcome;
    std::string saved;
};

// The entities of a message below the envelope line, read separately
// (message/rfc822 entered), each as its text, in document order.
void CollectEntities(const std::string& text, int depth, std::vector<std::string>& out) {
    out.push_back(text);
    RefEntity entity = RefSplit(text);
    std::string type = RefMediaType(entity.header);
    if (depth < 20 && type == "message/rfc822") {
        CollectEntities(entity.body, depth + 1, out);
    } else if (depth < 20 && type.compare(0, 10, "multipart/") == 0) {
        std::string boundary = RefParameter(entity.header, "Content-Type", "boundary");
        for (const std::string& child : RefChildren(entity.body, boundary)) {
            CollectEntities(child, depth + 1, out);
        }
    }
}

std::vector<std::string> Entities(const std::string& message) {
    std::vector<std::string> entities;
    CollectEntities(message.substr(message.find("\r\n") + 2), 0, entities);
    return entities;
}

// The bodies of the application/octet-stream entities.
std::vector<std::string> OctetBodies(const std::string& message) {
    std::vector<std::string> bodies;
    for (const std::string& entity : Entities(message)) {
        RefEntity split = RefSplit(entity);
        if (RefMediaType(split.header) == "application/octet-stream") {
            bodies.push_back(split.body);
        }
    }
    return bodies;
}

class HostWalk : public ::testing::Test {
  protected:
    // Walks each message (CR LF, envelope line first) in one run of the
    // test host, saving off.
    std::vector<Walked> Walk(const std::vector<std::string>& messages) {
        (void)std::system(("mkdir -p '" + temp_.File("Plugins") + "'").c_str());
        WriteFileBytes(temp_.File("Plugins/vellumo.ini"), "[Options]\r\nSaveHTMLMessages=0\r\n");
        std::vector<std::string> args = {"--config-dir", WinePath(temp_.File("Plugins"))};
        for (size_t i = 0; i < messages.size(); ++i) {
            const std::string name = "m" + std::to_string(i);
            WriteFileBytes(temp_.File(name + ".eml"), messages[i]);
            if (i > 0) {
                args.push_back("--then");
            }
            args.insert(args.end(), {"walk", "--label", name, WinePath(temp_.File(name + ".eml")),
                                     WinePath(temp_.File(name + ".saved"))});
        }
        WineRun run = RunHost(args, 240);
        EXPECT_EQ(run.exitCode, 0) << run.output << run.errors;
        std::vector<Walked> walked(messages.size());
        for (size_t i = 0; i < messages.size(); ++i) {
            const std::string name = "m" + std::to_string(i);
            walked[i].translations = run.Values("walk." + name + ".translation");
            walked[i].outcome = run.Value("walk." + name + ".outcome");
            walked[i].saved = ReadFileBytes(temp_.File(name + ".saved"));
        }
        return walked;
    }
    TempFolder temp_;
};

std::string Message(const std::string& lfText) {
    return kEnvelope + WithCrLf(lfText);
}

// The host writes a value of letters, digits and blanks bare and reads it
// back only to its first blank, dropping the rest of that line: a marker
// after such a parameter was never seen, and translator 3 took its own
// output again for ever. Each trigger is translated exactly once and the
// attachment keeps its bytes.
TEST_F(HostWalk, MarkedOutputIsTakenOnceWhateverTheHostCutsShort) {
    const char* const types[] = {
        "application/octet-stream; name=\"Meeting notes\"",
        "application/octet-stream; name=\"a  b\"",
        "application/octet-stream; name=\"a b\"; x=1",
        "application/octet-stream;\n filename*0=\"very long \"; filename*1=\"name.txt\"",
    };
    std::vector<std::string> messages;
    for (const char* type : types) {
        messages.push_back(Message(std::string("Content-Type: multipart/mixed; boundary=m\n\n"
                                               "--m\nContent-Type: ") +
                                   type +
                                   "\nContent-Disposition: inline\n\nline one\nline two\n\n"
                                   "--m--\n"));
        messages.push_back(Message(std::string("Content-Type: ") + type +
                                   "\nContent-Disposition: inline\n\nline one\n"));
    }
    std::vector<Walked> walked = Walk(messages);
    for (size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE(messages[i]);
        EXPECT_EQ(walked[i].translations,
                  std::vector<std::string>{i % 2 == 0 ? "part 1 3 0" : "message 3 0"});
        EXPECT_EQ(OctetBodies(walked[i].saved), OctetBodies(messages[i]));
    }
}

// The message was told from a nested entity by its Date, From, Message-ID
// or Received fields: an attachment message without them lost its last
// line end, and the octet-stream a forwarded message holds gained one.
TEST_F(HostWalk, AttachmentBytesKeptWhereverTheEntityStands) {
    const std::string octet =
        "Content-Type: application/octet-stream\nContent-Disposition: inline\n\n"
        "line one\nline two\n";
    const std::vector<std::string> messages = {
        Message(octet),
        Message("Date: Mon, 7 Dec 2026 09:00:00 +0000\nFrom: a@example.org\n" + octet),
        Message("Content-Type: multipart/mixed; boundary=m\n\n--m\nContent-Type: text/plain\n\n"
                "see below\n--m\nContent-Type: message/rfc822\n\n"
                "Date: Mon, 7 Dec 2026 09:00:00 +0000\nFrom: a@example.org\n"
                "Message-ID: <m@example.org>\n" +
                octet + "\n--m--\n"),
    };
    const char* const paths[] = {"message 3 0", "message 3 0", "part 2/message 3 0"};
    std::vector<Walked> walked = Walk(messages);
    for (size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE(messages[i]);
        EXPECT_EQ(walked[i].translations, std::vector<std::string>{paths[i]});
        EXPECT_EQ(OctetBodies(walked[i].saved), OctetBodies(messages[i]));
        EXPECT_EQ(OctetBodies(messages[i]), std::vector<std::string>{"line one\r\nline two\r\n"});
    }
}

// A multipart nested in another with the same boundary: each octet-stream
// part, empty ones included, comes back with exactly its bytes.
TEST_F(HostWalk, AttachmentsInMultipartsReusingTheParentBoundaryKeepTheirBytes) {
    const std::string empty =
        "Content-Type: application/octet-stream\nContent-Disposition: inline\n\n\n";
    const std::string filled =
        "Content-Type: application/octet-stream\nContent-Disposition: inline\n\nx\n\n";
    const std::vector<std::string> messages = {
        Message("Content-Type: multipart/mixed; boundary=b\n\n--b\n"
                "Content-Type: multipart/mixed; boundary=b\n\n--b\n" +
                empty + "--b--\n\n--b--\n"),
        Message("Content-Type: multipart/related; boundary=b\n\n--b\n"
                "Content-Type: multipart/related; boundary=b\n\n--b\n" +
                empty + "--b--\n\n--b--\n"),
        Message("Content-Type: multipart/mixed; boundary=b\n\n--b\n"
                "Content-Type: multipart/related; boundary=b\n\n--b\nContent-Type: text/html\n\n"
                "<p>x</p>\n--b\n" +
                empty + "--b\n" + filled + "--b--\n--b--\n"),
    };
    std::vector<Walked> walked = Walk(messages);
    for (size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE(messages[i]);
        EXPECT_EQ(walked[i].outcome, "converted");
        EXPECT_EQ(OctetBodies(walked[i].saved), OctetBodies(messages[i]));
    }
}

// Translator 1 dropped the parts of an alternative that are not a
// rendering of the text: the pasted picture of a related HTML branch, the
// PDF inside a mixed HTML branch, the calendar part of an invitation.
// Every such part must be in the message the host saves, its header and
// encoded body byte for byte.
TEST_F(HostWalk, EveryPartBesideTheTextsOfAnAlternativeIsSaved) {
    const std::string jpeg =
        "Content-Type: image/jpeg; name=\"p.jpg\"\nContent-ID: <p@x>\n"
        "Content-Transfer-Encoding: base64\n\n/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAA==\n";
    const std::string pdf =
        "Content-Type: application/pdf; name=\"a.pdf\"\nContent-Disposition: attachment; "
        "filename=\"a.pdf\"\nContent-Transfer-Encoding: base64\n\nJVBERi0xLjQKJcfsj6IK\n";
    const std::string calendar =
        "Content-Type: text/calendar; method=REQUEST; charset=utf-8\n"
        "Content-Transfer-Encoding: 7bit\n\nBEGIN:VCALENDAR\nMETHOD:REQUEST\nEND:VCALENDAR\n";
    const std::string plain = "Content-Type: text/plain\n\nThe text.\n";
    const std::string html = "Content-Type: text/html\n\n<p>The text.</p>\n";
    const std::vector<std::string> messages = {
        Message("Content-Type: multipart/alternative; boundary=a\n\n--a\n" + plain +
                "--a\nContent-Type: multipart/related; boundary=r\n\n--r\n" + html + "--r\n" +
                jpeg + "--r--\n\n--a--\n"),
        Message("Content-Type: multipart/alternative; boundary=a\n\n--a\n" + plain +
                "--a\nContent-Type: multipart/mixed; boundary=x\n\n--x\n" + html + "--x\n" + pdf +
                "--x\n" + html + "--x--\n\n--a--\n"),
        Message("Content-Type: multipart/alternative; boundary=a\n\n--a\n" + plain + "--a\n" +
                html + "--a\n" + calendar + "--a--\n"),
    };
    const std::string kept[] = {jpeg, pdf, calendar};
    std::vector<Walked> walked = Walk(messages);
    for (size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE(messages[i]);
        EXPECT_EQ(walked[i].outcome, "converted");
        std::string part = WithCrLf(kept[i]);
        part.resize(part.size() - 2);  // the line end before the next delimiter
        const std::string header = part.substr(0, part.find("\r\n\r\n"));
        const std::string body = part.substr(part.find("\r\n\r\n") + 4);
        bool found = false;
        for (const std::string& entity : Entities(walked[i].saved)) {
            RefEntity split = RefSplit(entity);
            found = found || (split.body == body && split.header.find(header) != std::string::npos);
        }
        EXPECT_TRUE(found) << walked[i].saved;
    }
}

}  // namespace
}  // namespace vellumo::test
