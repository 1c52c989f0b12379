// Translators 1 and 2: turn the message into plain text, saving its HTML in
// the archive when SaveHTMLMessages is 1.

#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "codec/header_field_names.h"
#include "host/plugin_state.h"
#include "html/html_text_extractor.h"
#include "html/html_text_options.h"
#include "mime/entity_view.h"
#include "mime/header_value_safety.h"
#include "mime/main_type_table.h"
#include "translate/html_branches.h"
#include "translate/mime_type_record.h"
#include "translate/output_file.h"
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

// The text the sender wrote: the last direct child whose Content-Type says
// text/plain; without one, the last child that is text/plain by default
// (it has no Content-Type), unless it is a blank leftover.
std::optional<EntityView> SenderText(const EntityView& message) {
    std::optional<EntityView> declared;
    std::optional<EntityView> byDefault;
    message.ForEachChild([&](const EntityView& child) {
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
    return declared ? declared : byDefault;
}

// The message text is no longer needed; no view into it is used after.
void ReleaseInput(Translation& translation) {
    std::string().swap(translation.text);
}

// Translator 1: the body of the sender's text/plain alternative under a
// header the host keeps as it is; the HTML alternatives go to the archive.
int WritePlainAlternative(Translation& translation, const EntityView& message) {
    const std::optional<EntityView> plain = SenderText(message);
    if (!plain) {
        return kStatusDataUnchanged;
    }
    if (Saving() && !ArchiveHtmlBranches(message, translation.subject, translation.archive)) {
        return kStatusDataUnchanged;  // the HTML would be lost without a word
    }
    BodyBuffer body;
    if (!plain->DecodeBody(body)) {
        return kStatusDataUnchanged;
    }
    std::string head = "Mime-Version: 1.0\r\nContent-Type: " +
                       PlainTextTypeOf(plain->Parameter(kContentTypeField, "charset")) + "\r\n\r\n";
    ReleaseInput(translation);
    return WriteTranslationOutput(translation, head, body.data(), body.size());
}

// Translator 2: the message's header relabelled as plain text in the
// charset the text is written in, without a transfer encoding (the text is
// written as it is), then the text of the decoded HTML body. A body in a
// charset that cannot be read here is left as it was.
int WriteRenderedHtml(Translation& translation, const EntityView& message) {
    if (Saving()) {
        if (!translation.archive.Open(translation.subject)) {
            return kStatusDataUnchanged;  // the HTML would be lost without a word
        }
        translation.archive.AppendHtmlPart(message);
    }
    RelabelledHeader header;
    BodyBuffer body;
    const std::string_view text = message.Text();
    if (!ReadRelabelledHeader(text.data(), static_cast<ptrdiff_t>(text.size()), header) ||
        !message.DecodeBody(body)) {
        return kStatusDataUnchanged;
    }
    const std::string charset = message.Parameter(kContentTypeField, "charset");
    // The header and the body are copied out: only one of the message and
    // the body need be in memory while the document is built, and a body
    // decoded into a copy of its own is freed before that too.
    ReleaseInput(translation);
    std::string_view html(body.data() != nullptr ? body.data() : "", body.size());
    LabelledText rendered;
    if (!HtmlToLabelledText(
            html, charset, &rendered, TextSource(), [&body] { body.Release(); },
            ReadingOptions())) {
        return kStatusDataUnchanged;
    }
    body.Release();
    const std::string head =
        WriteRelabelledHeader(std::move(header), PlainTextTypeOf(rendered.charset));
    return WriteTranslationOutput(translation, head, rendered.text.data(), rendered.text.size());
}

}  // namespace

int TranslateToPlainText(int translatorId, Translation& translation, MimeTypeRecord** outputType) {
    // The message is read where it stands in the input: a message of many
    // header lines or parts costs no more than its text.
    const EntityView message(translation.text.c_str(),
                             static_cast<ptrdiff_t>(translation.text.size()));
    int wantedType = translatorId == kHtmlMessagePart ? kMainTypeMultipart : kMainTypeText;
    if (!message.HeaderRead() || message.MainTypeIndex() != wantedType) {
        return kStatusDataUnchanged;
    }
    // Built first, so that a failed allocation declines before anything is
    // written; released on every path that does not hand it over, an
    // exception included.
    std::unique_ptr<MimeTypeRecord, void (*)(MimeTypeRecord*)> record(nullptr, FreeMimeTypeRecord);
    if (outputType != nullptr) {
        record.reset(MakeMimeTypeRecord("text", "plain", kDefaultMimeVersion));
        if (record == nullptr) {
            return kStatusDataUnchanged;
        }
    }
    int status = translatorId == kHtmlMessagePart ? WritePlainAlternative(translation, message)
                                                  : WriteRenderedHtml(translation, message);
    if (status == kStatusOutputOpenFailed) {
        // The host drops the message on 6; the archive keeps its HTML.
        translation.archive.Keep();
    }
    if (status != kStatusSuccess) {
        return status;
    }
    if (translation.archive.IsOpen()) {
        AppendToTranslationOutput(translation, translation.archive.LinkText());
    }
    translation.archive.Keep();
    if (outputType != nullptr) {
        *outputType = record.release();
    }
    return kStatusSuccess;
}

}  // namespace vellumo
