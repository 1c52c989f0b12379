#include "host/acceptance.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "host/envelope_line.h"
#include "host/header_text_parameter.h"
#include "host/plugin_state.h"
#include "host/translator_table.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kContentTypeFieldName = "Content-Type";

bool EqualsIgnoreCase(const char* a, const char* b) {
    return a != nullptr && b != nullptr && EqualsIgnoringAsciiCase(a, b);
}

bool HasParameter(const MimeParamRecord* param, const char* name) {
    // The host builds the list; a cycle there must not hang the mail client.
    for (int seen = 0; param != nullptr && seen < 10000; param = param->next, ++seen) {
        if (param->name != nullptr && std::strcmp(param->name, name) == 0) {
            return true;
        }
    }
    return false;
}

bool ContainsIgnoreCase(const char* text, std::string_view word) {
    if (text == nullptr) {
        return false;
    }
    for (std::string_view rest = text; rest.size() >= word.size(); rest.remove_prefix(1)) {
        if (StartsWithIgnoringAsciiCase(rest, word)) {
            return true;
        }
    }
    return false;
}

// "attachment", alone or followed by its parameters.
bool NamesAttachment(const char* disposition) {
    if (disposition == nullptr) {
        return false;
    }
    std::string_view text = disposition;
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    text = text.substr(0, text.find_first_of("; \t"));
    return EqualsIgnoringAsciiCase(text, "attachment");
}

// The disposition arrives in the record's disposition field, or from some
// hosts as a pseudo-parameter of the type.
bool IsAttachment(const MimeTypeRecord* mimeType) {
    if (NamesAttachment(mimeType->contentDisposition)) {
        return true;
    }
    const MimeParamRecord* param = mimeType->params;
    for (int seen = 0; param != nullptr && seen < 10000; param = param->next, ++seen) {
        if (ContainsIgnoreCase(param->name, "disposition") && NamesAttachment(param->value)) {
            return true;
        }
    }
    return false;
}

// Fields that only a message's own header carries. A nested part's header
// (Content-* fields only) has none of them, and neither has the mailbox's
// envelope line "From ???@??? ...", which has no colon after its first word.
constexpr std::string_view kMessageFieldNames[] = {"Date", "From", "Message-ID", "Received"};

bool StartsMessageField(std::string_view line) {
    for (std::string_view name : kMessageFieldNames) {
        if (StartsWithIgnoringAsciiCase(line, name) && line.size() > name.size() &&
            line[name.size()] == ':') {
            return true;
        }
    }
    return false;
}

}  // namespace

std::int32_t HostInputTailFor(const HeaderRecord* header) {
    if (header == nullptr || header->rawHeaders == nullptr) {
        return 1;
    }
    return BeginsWithEnvelopeLine(header->rawHeaders) ? 1 : 2;
}

bool IsMessageHeader(std::string_view rawHeaders) {
    size_t lineStart = 0;
    while (lineStart < rawHeaders.size()) {
        if (StartsMessageField(rawHeaders.substr(lineStart))) {
            return true;
        }
        size_t lineEnd = rawHeaders.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            break;
        }
        lineStart = lineEnd + 1;
    }
    return false;
}

void CaptureHeaders(const HeaderRecord* header) {
    if (header == nullptr || header->rawHeaders == nullptr) {
        return;
    }
    if (IsMessageHeader(header->rawHeaders)) {
        // A longer header than the last one gets room of its own size, the
        // old room given back first: a plain assignment would double the
        // room, and hold both while copying.
        const size_t length = std::strlen(header->rawHeaders);
        if (length > CapturedHeaders.capacity()) {
            std::string().swap(CapturedHeaders);
            CapturedHeaders.reserve(length);
        }
        CapturedHeaders.assign(header->rawHeaders, length);
    }
}

bool AcceptsMessage(int translatorId, const MimeTypeRecord* mimeType, const char* rawHeaders) {
    const TranslatorEntry* entry = FindTranslator(translatorId);
    if (entry == nullptr || mimeType == nullptr) {
        return false;
    }
    if (!EqualsIgnoreCase(mimeType->mainType, entry->mainType) ||
        !EqualsIgnoreCase(mimeType->subType, entry->subType)) {
        return false;
    }
    if (SleepValue != 0) {
        return false;
    }
    if (entry->marker != nullptr &&
        (HasParameter(mimeType->params, entry->marker) ||
         (rawHeaders != nullptr &&
          HeaderTextHasParameter(rawHeaders, kContentTypeFieldName, entry->marker)))) {
        return false;
    }
    if (translatorId == 2 && IsAttachment(mimeType)) {
        return false;
    }
    return true;
}

HostInt CanTranslate(const TranslatorInfoRecord* translator, const DataFileRecord* data) {
    if (translator == nullptr || data == nullptr) {
        return kStatusCannotTranslate;
    }
    if (FindTranslator(translator->id) == nullptr) {
        return kStatusInvalidId;
    }
    CaptureHeaders(data->header);
    if ((data->context & kTranslatorFlags) == 0) {
        return kStatusCannotTranslate;
    }
    const char* rawHeaders = data->header != nullptr ? data->header->rawHeaders : nullptr;
    return AcceptsMessage(translator->id, data->mimeType, rawHeaders) ? kStatusCanTranslateNow
                                                                      : kStatusCannotTranslate;
}

}  // namespace vellumo
