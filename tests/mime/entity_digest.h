#pragma once
// A printable digest of what a reader learns from an entity through the
// queries the translators use: field presence, media type, boundary and
// charset, transfer encoding, the Content-Disposition value as it stands,
// the decoded body and the children in order. The part tree and the
// in-place view must give equal digests for any text.

#include <string>

#include "codec/header_field_names.h"
#include "mime/entity_view.h"
#include "mime/mime_part.h"

namespace vellumo::test {

inline std::string QueriesLine(bool hasFields, const std::string& mainType,
                               const std::string& subType, int typeIndex,
                               const std::string& boundary, const std::string& charset,
                               const std::string& encoding, bool hasDisposition,
                               std::string_view disposition) {
    return " fields " + std::to_string(hasFields) + " type [" + mainType + "/" + subType + "] " +
           std::to_string(typeIndex) + " boundary [" + boundary + "] charset [" + charset +
           "] encoding [" + encoding + "] disposition " + std::to_string(hasDisposition) + " [" +
           std::string(disposition) + "]\n";
}

inline std::string BodyLine(const char* data, size_t size) {
    // An empty decoded body and no body hold the same data.
    return size > 0 ? " body [" + std::string(data, size) + "]\n" : " no body\n";
}

inline void AppendPartDigest(const MimePart& part, const std::string& path, std::string& out) {
    const HeaderField* disposition = part.FindField(kContentDispositionField);
    out +=
        "part " + path + "\n" +
        QueriesLine(!part.fields.empty(), part.GetMainType(), part.GetSubType(),
                    part.GetMainTypeIndex(), part.GetBoundary(),
                    part.GetParameter(kContentTypeField, "charset"), part.GetTransferEncodingName(),
                    disposition != nullptr, disposition != nullptr ? disposition->RawValue() : "") +
        BodyLine(part.body.data(), part.body.size());
    int index = 0;
    for (const auto& child : part.children) {
        AppendPartDigest(*child, path + "." + std::to_string(++index), out);
    }
}

inline void AppendViewDigest(const EntityView& part, const std::string& path, std::string& out) {
    std::string_view disposition;
    const bool hasDisposition = part.FindField(kContentDispositionField, disposition);
    BodyBuffer body;
    (void)part.DecodeBody(body);
    out += "part " + path + "\n" +
           QueriesLine(part.HasFields(), part.MainType(), part.SubType(), part.MainTypeIndex(),
                       part.Parameter(kContentTypeField, "boundary"),
                       part.Parameter(kContentTypeField, "charset"), part.TransferEncodingName(),
                       hasDisposition, disposition) +
           BodyLine(body.data(), body.size());
    int index = 0;
    part.ForEachChild([&](const EntityView& child) {
        AppendViewDigest(child, path + "." + std::to_string(++index), out);
        return true;
    });
}

inline std::string PartDigest(const MimePart& part) {
    std::string out;
    AppendPartDigest(part, "1", out);
    return out;
}

inline std::string ViewDigest(const EntityView& part) {
    std::string out;
    AppendViewDigest(part, "1", out);
    return out;
}

}  // namespace vellumo::test
