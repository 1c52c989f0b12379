// Translators 1 and 2: turn the message into plain text, saving its HTML in
// the archive when SaveHTMLMessages is 1.

#include <climits>
#include <memory>
#include <new>

#include "codec/header_field_names.h"
#include "host/plugin_state.h"
#include "html/html_text_extractor.h"
#include "mime/header_value_safety.h"
#include "mime/main_type_table.h"
#include "platform/ascii_case.h"
#include "translate/archive_file.h"
#include "translate/archive_html_part.h"
#include "translate/archive_subject.h"
#include "translate/conversion_trailer.h"
#include "translate/mime_type_record.h"
#include "translate/output_file.h"
#include "translate/translate_driver.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

bool IsTextOf(const MimePart& part, const char* subType) {
    return EqualsIgnoringAsciiCase(part.GetMainType(), "text") &&
           EqualsIgnoringAsciiCase(part.GetSubType(), subType);
}

// "text/plain", with "; charset=" and the charset when it is a plain charset
// name. The sender wrote that value: anything else (an encoded word, quotes,
// a line break) is left out rather than written into the header.
std::string PlainTextTypeOf(const std::string& charset) {
    if (!IsPlainCharsetName(charset)) {
        return "text/plain";
    }
    return "text/plain; charset=" + (CharsetNeedsQuotes(charset) ? "\"" + charset + "\"" : charset);
}

std::string PlainTextType(const MimePart& part) {
    return PlainTextTypeOf(part.GetParameter(kContentTypeField, "charset"));
}

bool Saving() {
    return SaveHTMLMessagesValue == 1;
}

// The built-in renderer unless the settings file asks for the system engine.
HtmlTextSource TextSource() {
    return HtmlEngineValue == 1 ? HtmlTextSource::kPlatformEngine
                                : HtmlTextSource::kBuiltInRenderer;
}

// Translator 1: the body of the last direct text/plain child (each one
// overwrites the one before), under a header the host keeps as it is.
int WritePlainAlternative(Translation& translation) {
    const MimePart* plain = nullptr;
    for (const auto& child : translation.message.children) {
        if (IsTextOf(*child, "plain")) {
            plain = child.get();
        }
    }
    if (plain == nullptr) {
        return kStatusDataUnchanged;
    }
    for (const auto& child : translation.message.children) {
        if (Saving() && IsTextOf(*child, "html")) {
            AppendHtmlPartToArchive(translation.archive.Path(), *child);
        }
    }
    std::string head = "Mime-Version: 1.0\r\nContent-Type: " + PlainTextType(*plain) + "\r\n\r\n";
    int status = WriteTranslationOutput(translation, head, plain->body.data(), plain->body.size());
    translation.message.Clear();
    return status;
}

// The header block alone, as the writer gives it (blank line included).
bool WriteHeaderText(const HeaderBlock& header, std::string& out) {
    int size = header.HeaderBlock::GetSize();
    if (size <= 0 || size == INT_MAX) {
        return false;
    }
    out.assign(static_cast<size_t>(size), '\0');
    int written = header.HeaderBlock::Write(&out[0], size);
    if (written <= 0) {
        return false;
    }
    out.resize(static_cast<size_t>(written));
    return true;
}

// Translator 2: the message's header relabelled as plain text in the
// charset the text is written in, without a transfer encoding (the text is
// written as it is), then the text of the decoded HTML body. A body in a
// charset that cannot be read here is left as it was.
int WriteRenderedHtml(Translation& translation) {
    MimeMessage& message = translation.message;
    if (Saving()) {
        AppendHtmlPartToArchive(translation.archive.Path(), message);
    }
    std::string charset = message.GetParameter(kContentTypeField, "charset");
    std::string_view html(message.body.data() != nullptr ? message.body.data() : "",
                          message.body.size());
    LabelledText text;
    // A body decoded into a copy of its own is freed before the document is
    // built: only one of the two need be in memory with the tree.
    if (!HtmlToLabelledText(html, charset, &text, TextSource(),
                            [&message] { message.body.Release(); })) {
        return kStatusDataUnchanged;
    }
    message.body.Release();
    message.SetField(kContentTypeField, PlainTextTypeOf(text.charset));
    message.fields.remove_if([](const HeaderField& field) {
        return EqualsIgnoringAsciiCase(field.name, kContentTransferEncodingField);
    });
    std::string output;
    if (!WriteHeaderText(message, output)) {
        return kStatusDataUnchanged;
    }
    output += text.text;
    text.text = std::string();
    return WriteTranslationOutput(translation, std::string(), output.data(), output.size());
}

}  // namespace

int TranslateToPlainText(int translatorId, Translation& translation, MimeTypeRecord** outputType) {
    if (Saving()) {
        std::string path = CreateArchiveFile(ArchiveSubject(translation.subject, CapturedHeaders));
        if (path.empty()) {
            return kStatusDataUnchanged;  // the HTML would be lost without a word
        }
        translation.archive.Adopt(path);
    }
    int wantedType = translatorId == kHtmlMessagePart ? kMainTypeMultipart : kMainTypeText;
    if (translation.message.GetMainTypeIndex() != wantedType) {
        return kStatusDataUnchanged;
    }
    MimeTypeRecord* record = nullptr;
    if (outputType != nullptr) {
        record = MakeMimeTypeRecord("text", "plain", kDefaultMimeVersion);
        if (record == nullptr) {
            return kStatusDataUnchanged;
        }
    }
    int status = translatorId == kHtmlMessagePart ? WritePlainAlternative(translation)
                                                  : WriteRenderedHtml(translation);
    if (status == kStatusOutputOpenFailed) {
        // The host drops the message on 6; the archive keeps its HTML.
        translation.archive.Keep();
    }
    if (status != kStatusSuccess) {
        FreeMimeTypeRecord(record);
        return status;
    }
    if (Saving()) {
        std::string link = MakeArchiveLink(translation.archive.Path());
        AppendToTranslationOutput(translation, ConversionTrailer(link));
    }
    translation.archive.Keep();
    if (outputType != nullptr) {
        *outputType = record;
    }
    return kStatusSuccess;
}

}  // namespace vellumo
