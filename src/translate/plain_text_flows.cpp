// Translators 1 and 2: turn the message into plain text, saving its HTML in
// the archive when SaveHTMLMessages is 1.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codec/header_field_names.h"
#include "host/plugin_state.h"
#include "html/html_charset_sniff.h"
#include "html/html_text_extractor.h"
#include "html/html_text_options.h"
#include "mime/entity_view.h"
#include "mime/header_value_safety.h"
#include "mime/main_type_table.h"
#include "translate/archive_name.h"
#include "translate/blank_text.h"
#include "translate/html_branches.h"
#include "translate/kept_parts.h"
#include "translate/mime_type_record.h"
#include "translate/mixed_output.h"
#include "translate/output_file.h"
#include "translate/path_tests.h"
#include "translate/relabelled_header.h"
#include "translate/translate_driver.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

// "text/plain", with "; charset=" and the charset when it is a plain charset
// name. The sender wrote that value: anything else (an encoded word, quotes,
// a line break) is left out rather than written into the header.
std::string PlainTextTypeOf(const std::string& charset) {
    if (!IsPlainCharsetName(charset)) {
        return "text/plain";
    }
    return "text/plain; charset=" + (CharsetNeedsQuotes(charset) ? "\"" + charset + "\"" : charset);
}

bool Saving() {
    return SaveHTMLMessagesValue == 1;
}

// The built-in renderer unless the settings file asks for the system engine.
HtmlTextSource TextSource() {
    return HtmlEngineValue == 1 ? HtmlTextSource::kPlatformEngine
                                : HtmlTextSource::kBuiltInRenderer;
}

// The reading aids the settings file chose; by default none, and the text
// is the browser's.
HtmlTextOptions ReadingOptions() {
    HtmlTextOptions options = ReadingAidsValue == 1 ? ReadingAids(0) : HtmlTextOptions();
    options.wrapWidth = WrapWidthValue;
    return options;
}

// A child that says nothing at all: no header field and nothing but line
// ends and blanks, such as the leftover after a missing close delimiter.
// Without a field there is no transfer encoding: the body is as it stands.
bool IsBlankLeftover(const EntityView& part) {
    return !part.HasFields() &&
           part.RawBody().find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The message's alternatives read in one pass (a message may hold millions
// of parts): the text the sender wrote, and the parts kept beside it.
struct Alternatives {
    std::optional<EntityView> text;
    std::vector<EntityView> kept;
    bool keptWithinBound = true;
};

// The text is the last direct child whose Content-Type says text/plain;
// without one, the last child that is text/plain by default (it has no
// Content-Type), unless it is a blank leftover. The kept parts are those
// of every other child.
Alternatives ReadAlternatives(const EntityView& message) {
    Alternatives read;
    std::optional<EntityView> declared;
    std::optional<EntityView> byDefault;
    message.ForEachChild([&](const EntityView& child) {
        read.keptWithinBound = read.keptWithinBound && CollectKeptParts(child, read.kept);
        if (!child.IsType("text", "plain")) {
            return true;
        }
        if (child.HasField(kContentTypeField)) {
            declared = child;
        } else if (!IsBlankLeftover(child)) {
            byDefault = child;
        }
        return true;
    });
    read.text = declared ? declared : byDefault;
    if (read.text) {
        // A text/plain attachment chosen as the text is not kept twice.
        const char* const text = read.text->Text().data();
        read.kept.erase(
            std::remove_if(read.kept.begin(), read.kept.end(),
                           [text](const EntityView& part) { return part.Text().data() == text; }),
            read.kept.end());
    }
    return read;
}

// The message text is no longer needed; no view into it is used after.
void ReleaseInput(Translation& translation) {
    std::string().swap(translation.text);
}

std::string_view TextOf(const BodyBuffer& body) {
    return std::string_view(body.data() != nullptr ? body.data() : "", body.size());
}

// The output's MIME type record, built before anything is written so that a
// failed allocation declines first; released on every path that does not
// hand it over, an exception included.
class OutputTypeRecord {
  public:
    explicit OutputTypeRecord(bool wanted) : wanted_(wanted) {}

    // False when the record is wanted and cannot be built.
    [[nodiscard]] bool Make(const char* mainType, const char* subType) {
        if (wanted_) {
            record_.reset(MakeMimeTypeRecord(mainType, subType, kDefaultMimeVersion));
        }
        return !wanted_ || record_ != nullptr;
    }
    [[nodiscard]] MimeTypeRecord* Release() { return record_.release(); }

  private:
    bool wanted_;
    std::unique_ptr<MimeTypeRecord, void (*)(MimeTypeRecord*)> record_{nullptr, FreeMimeTypeRecord};
};

// Declines because no archive file could be created: the folder of the
// settings is missing (it could not be created), or no file can be created
// in it. An empty folder setting names the current folder.
int DeclineArchive(Translation& translation) {
    std::string folder = ArchiveSettings().htmlMessagesPath;
    const bool exists = folder.empty() || FolderExists(folder);
    return Decline(
        translation,
        exists ? DeclineCause::kArchiveFileNotCreated : DeclineCause::kArchiveFolderNotCreated,
        folder.empty() ? "the current folder" : std::move(folder));
}

// Writes the text as the whole output, the link to the archive after it.
int WriteTextOutput(Translation& translation, const std::string& head, std::string_view text) {
    const int status = WriteTranslationOutput(translation, head, text.data(), text.size());
    if (status == kStatusSuccess && translation.archive.IsOpen()) {
        AppendToTranslationOutput(translation, translation.archive.LinkText());
    }
    return status;
}

// True when a child other than the chosen one shows the reader something.
bool OtherAlternativeShows(const EntityView& message, const EntityView& chosen) {
    bool shows = false;
    message.ForEachChild([&](const EntityView& child) {
        shows = child.Text().data() != chosen.Text().data() && !IsBlankPart(child);
        return !shows;
    });
    return shows;
}

// The text and the kept parts as one multipart/mixed entity; the link to
// the archive ends the text, where the reader sees it.
int WriteTextWithKeptParts(Translation& translation, const std::string& textType,
                           std::string_view text, const std::vector<EntityView>& kept) {
    std::string link = translation.archive.LinkText();
    if (!link.empty()) {
        link += "\r\n";
    }
    const MixedOutput output(textType, {text, link}, kept);
    return WriteTranslationOutput(translation, output.Pieces());
}

// Translator 1: the body of the sender's text/plain alternative under a
// header the host keeps as it is; the HTML alternatives go to the archive.
// A blank text is no translation when another alternative shows something:
// the host then offers the parts, and translator 2 renders the HTML. The
// parts of the other alternatives that are not a rendering of the text are
// kept beside it, as a multipart/mixed output.
int WritePlainAlternative(Translation& translation, const EntityView& message,
                          OutputTypeRecord& type) {
    const Alternatives alternatives = ReadAlternatives(message);
    const std::optional<EntityView>& plain = alternatives.text;
    BodyBuffer body;
    if (!plain) {
        return Decline(translation, DeclineCause::kNoTextAlternative);
    }
    if (!plain->DecodeBody(body)) {
        return Decline(translation, DeclineCause::kOutOfMemory);
    }
    const std::string charset = plain->Parameter(kContentTypeField, "charset");
    if (IsBlankText(TextOf(body), charset) && OtherAlternativeShows(message, *plain)) {
        return Decline(translation, DeclineCause::kBlankTextAlternative);
    }
    const std::vector<EntityView>& kept = alternatives.kept;
    if (!alternatives.keptWithinBound) {
        return Decline(translation, DeclineCause::kTooManyKeptParts,
                       "more than " + std::to_string(kMaxKeptParts));
    }
    if (!(kept.empty() ? type.Make("text", "plain") : type.Make("multipart", "mixed"))) {
        return Decline(translation, DeclineCause::kOutOfMemory);
    }
    if (Saving() && !ArchiveHtmlBranches(message, translation.subject, translation.archive)) {
        return DeclineArchive(translation);  // the HTML would be lost without a word
    }
    const std::string textType = PlainTextTypeOf(charset);
    if (!kept.empty()) {
        // The kept parts are read where they stand in the input.
        return WriteTextWithKeptParts(translation, textType, TextOf(body), kept);
    }
    ReleaseInput(translation);
    return WriteTextOutput(
        translation, "Mime-Version: 1.0\r\nContent-Type: " + textType + "\r\n\r\n", TextOf(body));
}

// Translator 2: the message's header relabelled as plain text in the
// charset the text is written in, without a transfer encoding (the text is
// written as it is), then the text of the decoded HTML body. A body in a
// charset that cannot be read here is left as it was, and so is one whose
// text shows nothing (hidden, pictures only): the message would be gone.
int WriteRenderedHtml(Translation& translation, const EntityView& message, OutputTypeRecord& type) {
    if (!type.Make("text", "plain")) {
        return Decline(translation, DeclineCause::kOutOfMemory);
    }
    if (Saving()) {
        if (!translation.archive.Open(translation.subject)) {
            return DeclineArchive(translation);  // the HTML would be lost without a word
        }
        translation.archive.AppendHtmlPart(message);
    }
    RelabelledHeader header;
    BodyBuffer body;
    const std::string_view text = message.Text();
    if (!ReadRelabelledHeader(text.data(), static_cast<ptrdiff_t>(text.size()), header)) {
        return Decline(translation, DeclineCause::kHeaderUnreadable);
    }
    if (!message.DecodeBody(body)) {
        return Decline(translation, DeclineCause::kOutOfMemory);
    }
    const std::string charset = message.Parameter(kContentTypeField, "charset");
    // The header and the body are copied out: only one of the message and
    // the body need be in memory while the document is built. A body
    // decoded into a copy of its own is freed before that too, and one read
    // in place is given back as its text is copied out of it.
    ReleaseInput(translation);
    const auto shrinkBody = [&body](std::size_t keep) -> const char* {
        if (keep == 0) {
            body.Release();
        } else {
            body.SetLength(keep);  // gives back the tail
        }
        return body.data();
    };
    LabelledText rendered;
    if (!HtmlToLabelledText(TextOf(body), charset, &rendered, TextSource(), shrinkBody,
                            ReadingOptions())) {
        // Only a charset nothing here reads fails, before the body is let go.
        return Decline(translation, DeclineCause::kCharsetNotRead,
                       charset.empty() ? SniffHtmlCharset(TextOf(body)) : charset);
    }
    body.Release();
    if (IsBlankText(rendered.text, rendered.charset)) {
        return Decline(translation, DeclineCause::kRendersToNothing);
    }
    const std::string head =
        WriteRelabelledHeader(std::move(header), PlainTextTypeOf(rendered.charset));
    return WriteTextOutput(translation, head, rendered.text);
}

}  // namespace

int TranslateToPlainText(int translatorId, Translation& translation, MimeTypeRecord** outputType) {
    // The message is read where it stands in the input: a message of many
    // header lines or parts costs no more than its text.
    const EntityView message(translation.text.c_str(),
                             static_cast<ptrdiff_t>(translation.text.size()));
    int wantedType = translatorId == kHtmlMessagePart ? kMainTypeMultipart : kMainTypeText;
    if (!message.HeaderRead()) {
        return Decline(translation, DeclineCause::kHeaderUnreadable);
    }
    if (message.MainTypeIndex() != wantedType) {
        return Decline(translation, DeclineCause::kWrongMainType);
    }
    OutputTypeRecord type(outputType != nullptr);
    int status = translatorId == kHtmlMessagePart
                     ? WritePlainAlternative(translation, message, type)
                     : WriteRenderedHtml(translation, message, type);
    if (status == kStatusOutputOpenFailed) {
        // The host drops the message on 6; the archive keeps its HTML.
        translation.archive.Keep();
    }
    if (status != kStatusSuccess) {
        return status;
    }
    translation.archive.Keep();
    if (outputType != nullptr) {
        *outputType = type.Release();
    }
    return kStatusSuccess;
}

}  // namespace vellumo
