#include "codec/transfer_codec_registry.h"

#include "codec/base64_codec.h"
#include "codec/char_class.h"
#include "codec/identity_codec.h"
#include "codec/named_factory_table.h"
#include "codec/quoted_printable_codec.h"

namespace vellumo {

namespace {

NamedFactoryTable<TransferCodecFactory, kMaxTransferCodecs> registry;

std::unique_ptr<TransferCodec> MakeQuotedPrintable() {
    return std::make_unique<QuotedPrintableCodec>(false);
}

std::unique_ptr<TransferCodec> MakeBase64() {
    return std::make_unique<Base64Codec>(true);
}

// Fills the registry before the host's first call and empties it at unload.
// Living in this file, it is linked whenever CreateTransferCodec is.
struct StandardTransferCodecs {
    StandardTransferCodecs() {
        (void)RegisterTransferCodec("quoted-printable", MakeQuotedPrintable);
        (void)RegisterTransferCodec("base64", MakeBase64);
    }
    ~StandardTransferCodecs() { registry.Clear(); }
};

const StandardTransferCodecs standardTransferCodecs;

// "base64 " and " base64" occur in real headers and still name base64.
std::string_view TrimSpace(std::string_view name) {
    while (!name.empty() && HasCharClass(static_cast<unsigned char>(name.front()), CC_SPACE)) {
        name.remove_prefix(1);
    }
    while (!name.empty() && HasCharClass(static_cast<unsigned char>(name.back()), CC_SPACE)) {
        name.remove_suffix(1);
    }
    return name;
}

}  // namespace

bool RegisterTransferCodec(const char* name, TransferCodecFactory factory) {
    return registry.Register(name, factory);
}

std::unique_ptr<TransferCodec> CreateTransferCodec(std::string_view name) {
    name = TrimSpace(name);
    if (name.empty()) {
        name = "7bit";
    }
    if (TransferCodecFactory factory = registry.Find(name)) {
        if (std::unique_ptr<TransferCodec> codec = factory()) {
            return codec;
        }
    }
    return std::make_unique<IdentityCodec>();
}

std::unique_ptr<TransferCodec> CreateTransferCodec(const char* name) {
    return CreateTransferCodec(name != nullptr ? std::string_view(name) : std::string_view());
}

const char* TransferCodecNameAt(int index) {
    return index >= 0 && index < registry.Count() ? registry.NameAt(index) : nullptr;
}

}  // namespace vellumo
