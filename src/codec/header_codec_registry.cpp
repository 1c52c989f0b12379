#include "codec/header_codec_registry.h"

#include "codec/address_field_codec.h"
#include "codec/header_field_names.h"
#include "codec/named_factory_table.h"
#include "codec/parameter_field_codec.h"
#include "codec/structured_field_codec.h"
#include "codec/unstructured_field_codec.h"

namespace vellumo {

namespace {

NamedFactoryTable<HeaderCodecFactory, kMaxHeaderCodecs> registry;

template <typename Codec>
std::unique_ptr<HeaderFieldCodec> Make() {
    return std::make_unique<Codec>();
}

struct StandardName {
    const char* name;
    HeaderCodecFactory factory;
};

// Registered in this order.
const StandardName kStandardNames[] = {
    {"Subject", Make<UnstructuredFieldCodec>},
    {"Comments", Make<UnstructuredFieldCodec>},
    {kContentDescriptionField, Make<UnstructuredFieldCodec>},
    {"From", Make<AddressFieldCodec>},
    {"To", Make<AddressFieldCodec>},
    {"Resent-To", Make<AddressFieldCodec>},
    {"Cc", Make<AddressFieldCodec>},
    {"Resent-Cc", Make<AddressFieldCodec>},
    {"Bcc", Make<AddressFieldCodec>},
    {"Resent-Bcc", Make<AddressFieldCodec>},
    {"Reply-To", Make<AddressFieldCodec>},
    {"Resent-Reply-To", Make<AddressFieldCodec>},
    {kContentTypeField, Make<ParameterFieldCodec>},
    {kContentDispositionField, Make<ParameterFieldCodec>},
};

// Fills the registry before the host's first call and empties it at unload.
struct StandardHeaderCodecs {
    StandardHeaderCodecs() {
        for (const StandardName& entry : kStandardNames) {
            (void)RegisterHeaderCodec(entry.name, entry.factory);
        }
    }
    ~StandardHeaderCodecs() { registry.Clear(); }
};

const StandardHeaderCodecs standardHeaderCodecs;

}  // namespace

bool RegisterHeaderCodec(const char* name, HeaderCodecFactory factory) {
    return registry.Register(name, factory);
}

std::unique_ptr<HeaderFieldCodec> CreateHeaderCodec(std::string_view name) {
    if (HeaderCodecFactory factory = registry.Find(name)) {
        if (std::unique_ptr<HeaderFieldCodec> codec = factory()) {
            return codec;
        }
    }
    return std::make_unique<StructuredFieldCodec>();
}

std::unique_ptr<HeaderFieldCodec> CreateHeaderCodec(const char* name) {
    return CreateHeaderCodec(name != nullptr ? std::string_view(name) : std::string_view());
}

const char* HeaderCodecNameAt(int index) {
    return index >= 0 && index < registry.Count() ? registry.NameAt(index) : nullptr;
}

}  // namespace vellumo
