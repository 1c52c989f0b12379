#include "charset/charset.h"

#include "charset/legacy_indexes.h"
#include "charset/text_decoder.h"
#include "charset/text_encoder.h"

namespace vellumo {
namespace {

constexpr char32_t kNoBreakSpace = 0xA0;

}  // namespace

HtmlCharset ResolveHtmlCharset(std::string_view name) {
    HtmlCharset charset;
    Encoding encoding = Encoding::kWindows1252;
    const bool blank = name.find_first_not_of(" \t\r\n\f\"'") == std::string_view::npos;
    if (!blank && !EncodingForLabel(name, &encoding)) {
        return charset;
    }
    if (encoding == Encoding::kUtf8) {
        charset.kind = CharsetKind::kUtf8;
        charset.encoding = encoding;
    } else if (IsSingleByteEncoding(encoding)) {
        charset.kind = CharsetKind::kSingleByte;
        charset.encoding = encoding;
        charset.high = SingleByteHighHalf(encoding);
    }
    return charset;
}

void AppendCodePoint(const HtmlCharset& charset, char32_t codePoint, std::string* out) {
    if (codePoint < 0x80) {
        out->push_back(static_cast<char>(codePoint));
    } else if (charset.kind == CharsetKind::kUtf8) {
        AppendUtf8(codePoint, out);
    } else if (charset.kind != CharsetKind::kSingleByte ||
               !TextEncoder(charset.encoding).Encode(codePoint, out)) {
        out->push_back(codePoint == kNoBreakSpace ? ' ' : '?');
    }
}

std::string DecodeToUtf8(const HtmlCharset& charset, std::string_view text) {
    if (charset.kind == CharsetKind::kOpaque) {
        std::string out;
        out.reserve(text.size());
        for (char c : text) {
            AppendUtf8(static_cast<unsigned char>(c) < 0x80 ? c : kReplacementCharacter, &out);
        }
        return out;
    }
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    TextDecoder(charset.kind == CharsetKind::kUtf8 ? Encoding::kUtf8 : charset.encoding)
        .Decode(text, true, &out);
    return out;
}

unsigned int WindowsCodePageForCharset(std::string_view name) {
    Encoding encoding = Encoding::kUtf8;
    return EncodingForLabel(name, &encoding) ? WindowsCodePage(encoding) : 0;
}

}  // namespace vellumo
