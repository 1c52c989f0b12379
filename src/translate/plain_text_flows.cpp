// Translators 1 and 2: turn the message into plain text, saving its HTML in
// the archive when SaveHTMLMessages is 1.

#include <climits>
#include <memory>
#include <new>
#include <string_view>

#include "codec/header_field_names.h"
#include "host/plugin_state.h"
#include "html/html_text_extractor.h"
#include "mime/header_value_safety.h"
#include "mime/main_type_table.h"
#include "platform/ascii_case.h"
#include "translate/html_branches.h"
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

// A child that says nothing at all: no header field and nothing but line
// ends and blanks, such as the leftover after a missing close delimiter.
bool IsBlankLeftover(const MimePart& part) {
    std::string_view body(part.body.data() != nullptr ? part.body.data() : "", part.body.size());
    return part.fields.empty() && body.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The text the sender wrote: the last direct child whose Content-Type says
// text/plain; without one, the last child that is text/plain by default
// (it has no Content-Type), unless it is a blank leftover. Null when none.
const MimePart* SenderText(const MimePart& message) {
    const MimePart* declared = nullptr;
    const MimePart* byDefault = nullptr;
    for (const auto& child : message.children) {
        if (!IsTextOf(*child, "plain")) {
            continue;
        }
        if (child->FindField(kContentTypeField) != nullptr) {
            declared = child.get();
        } else if (!IsBlankLeftover(*child)) {
            byDefault = child.get();
        }
    }
    return declared != nullptr ? declared : byDefault;
}

// Translator 1: the body of the sender's text/plain alternative under a
// header the host keeps as it is; the HTML alternatives go to the archive.
int WritePlainAlternative(Translation& translation) {
    const MimePart* plain = SenderText(translation.message);
    if (plain == nullptr) {
        return kStatusDataUnchanged;
    }
    if (Saving() && !ArchiveHtmlBranches(translation.message, translation.text, translation.subject,
                                         translation.archive)) {
        return kStatusDataUnchanged;  // the HTML would be lost without a word
    }
    translation.text.clear();
    translation.text.shrink_to_fit();
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
        if (!translation.archive.Open(translation.subject)) {
            return kStatusDataUnchanged;  // the HTML would be lost without a word
        }
        translation.archive.AppendHtmlPart(message);
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
    int wantedType = translatorId == kHtmlMessagePart ? kMainTypeMultipart : kMainTypeText;
    if (translation.message.GetMainTypeIndex() != wantedType) {
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
    int status = translatorId == kHtmlMessagePart ? WritePlainAlternative(translation)
                                                  : WriteRenderedHtml(translation);
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
