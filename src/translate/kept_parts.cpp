#include "translate/kept_parts.h"

#include <string>
#include <string_view>

#include "codec/header_field_names.h"
#include "mime/header_parameters.h"
#include "mime/main_type_table.h"
#include "platform/ascii_case.h"
#include "translate/blank_text.h"

namespace vellumo {
namespace {

constexpr const char* kTextRenderings[] = {"plain", "html", "enriched", "richtext"};

bool IsAttachment(const EntityView& part) {
    std::string_view value;
    if (!part.FindField(kContentDispositionField, value)) {
        return false;
    }
    std::string_view type = BareValueOf(value);
    const size_t start = type.find_first_not_of(" \t\r\n");
    type.remove_prefix(start == std::string_view::npos ? type.size() : start);
    type = type.substr(0, type.find_first_of(" \t\r\n"));
    return EqualsIgnoringAsciiCase(type, "attachment");
}

}  // namespace

// The type is read once: a message may hold millions of parts.
bool IsRenderingOfText(const EntityView& part) {
    if (part.MainTypeIndex() != kMainTypeText ||
        !EqualsIgnoringAsciiCase(part.MainType(), "text")) {
        return false;
    }
    const std::string subType = part.SubType();
    for (const char* rendering : kTextRenderings) {
        if (EqualsIgnoringAsciiCase(subType, rendering)) {
            return !IsAttachment(part);
        }
    }
    return false;
}

// Views split no deeper than the part tree does, so this recursion is
// bounded. False once more than kMaxKeptParts are collected.
bool CollectKeptParts(const EntityView& part, std::vector<EntityView>& kept) {
    if (part.MainTypeIndex() == kMainTypeMultipart) {
        bool split = false;
        bool within = true;
        part.ForEachChild([&](const EntityView& child) {
            split = true;
            within = CollectKeptParts(child, kept);
            return within;
        });
        if (split || IsBlankPart(part)) {
            return within;
        }
    } else if (IsRenderingOfText(part)) {
        return true;
    }
    kept.push_back(part);
    return kept.size() <= kMaxKeptParts;
}

}  // namespace vellumo
