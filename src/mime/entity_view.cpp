#include "mime/entity_view.h"

#include <climits>

#include "codec/header_field_names.h"
#include "mime/codec_bridge.h"
#include "mime/header_parameters.h"
#include "mime/header_span.h"
#include "mime/main_type_table.h"
#include "platform/ascii_case.h"

namespace vellumo {

namespace {

constexpr ptrdiff_t kBlankLineSize = 2;

}  // namespace

EntityView::EntityView(const char* text, ptrdiff_t length, int depth)
    : text_(text), length_(text != nullptr && length > 0 ? length : 0), depth_(depth) {
    if (text_ == nullptr || length_ > INT_MAX) {
        return;
    }
    const ptrdiff_t fieldsEnd = HeaderFieldsEnd(text_, length_);
    headerSize_ = fieldsEnd >= 0 ? fieldsEnd + kBlankLineSize : 0;
}

std::string_view EntityView::Text() const {
    return text_ != nullptr ? std::string_view(text_, static_cast<size_t>(length_))
                            : std::string_view();
}

bool EntityView::HasFields() const {
    FieldSpan span;
    return length_ > 0 && text_[0] != '\r' && text_[0] != '\0' && LocateField(text_, length_, span);
}

bool EntityView::FindField(std::string_view name, std::string_view& rawValue) const {
    FieldSpan span;
    if (text_ == nullptr || !FindFieldSpan(text_, length_, name, span)) {
        return false;
    }
    rawValue = std::string_view(text_ + span.valueStart,
                                static_cast<size_t>(span.valueEnd - span.valueStart));
    return true;
}

bool EntityView::HasField(std::string_view name) const {
    std::string_view value;
    return FindField(name, value);
}

std::string EntityView::Parameter(std::string_view fieldName,
                                  std::string_view parameterName) const {
    std::string result;
    std::string_view value;
    if (FindField(fieldName, value)) {
        (void)ParameterOfValue(value, parameterName, result);
    }
    return result;
}

std::string EntityView::MainType() const {
    std::string_view value;
    return FindField(kContentTypeField, value) ? MainTypeOfValue(value)
                                               : MainTypeTable[kMainTypeText];
}

std::string EntityView::SubType() const {
    std::string_view value;
    return FindField(kContentTypeField, value) ? SubTypeOfValue(value) : "plain";
}

int EntityView::MainTypeIndex() const {
    std::string_view value;
    return FindField(kContentTypeField, value) ? MainTypeIndexOf(value.data(), value.size())
                                               : kMainTypeText;
}

bool EntityView::IsType(std::string_view mainType, std::string_view subType) const {
    return EqualsIgnoringAsciiCase(MainType(), mainType) &&
           EqualsIgnoringAsciiCase(SubType(), subType);
}

// Read from the decoded value, as the parsed header field gives it.
std::string EntityView::TransferEncodingName() const {
    std::string_view raw;
    if (!FindField(kContentTransferEncodingField, raw)) {
        return std::string();
    }
    std::string value;
    std::string charset;
    DecodeHeaderValue(kContentTransferEncodingField, raw.data(), static_cast<int>(raw.size()),
                      value, charset);
    return TransferEncodingNameOfValue(value);
}

PartLayout EntityView::Layout() const {
    if (!HeaderRead()) {
        PartLayout none;
        none.bodyStart = length_;
        none.bodyEnd = length_;
        return none;
    }
    const bool split = depth_ < kMaxPartNestingDepth && MainTypeIndex() == kMainTypeMultipart;
    return LayOutPart(text_, length_, headerSize_,
                      split ? Parameter(kContentTypeField, "boundary") : std::string());
}

std::string_view EntityView::RawBody() const {
    const PartLayout layout = Layout();
    if (layout.bodyEnd <= layout.bodyStart) {
        return std::string_view();
    }
    return std::string_view(text_ + layout.bodyStart,
                            static_cast<size_t>(layout.bodyEnd - layout.bodyStart));
}

bool EntityView::DecodeBody(BodyBuffer& body) const {
    body.Release();
    const std::string_view raw = RawBody();
    if (raw.empty()) {
        return true;
    }
    return vellumo::DecodeBody(TransferEncodingName(), raw.data(), static_cast<int>(raw.size()),
                               body);
}

}  // namespace vellumo
