// How the HTML of a message is read: the encoding its label and byte-order
// mark give, and the HTML decoded to the UTF-8 the renderer works in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "charset/encoding.h"

namespace vellumo {

enum class HtmlSourceForm {
    kUtf8,
    kDecoded,     // any other encoding read here
    kOpaque,      // a label no table answers: nothing reads it
    kUnreadable,  // the standard's replacement encoding (ISO-2022-CN, HZ-GB-2312)
};

struct HtmlSourceCharset {
    HtmlSourceForm form = HtmlSourceForm::kOpaque;
    Encoding encoding = Encoding::kWindows1252;  // kUtf8 and kDecoded
    std::size_t byteOrderMark = 0;               // the size of a mark to drop
};

// The form of `html` under `label` (see EncodingForLabel; an empty label is
// windows-1252). A UTF-8 or UTF-16 byte-order mark at the start of `html`
// outranks the label, as in browsers.
[[nodiscard]] HtmlSourceCharset ClassifyHtmlSource(std::string_view label,
                                                   std::string_view html = {});

// True when text of the label's encoding can be written back in it (every
// readable encoding but UTF-16 and UTF-32, which mail text is not sent in).
[[nodiscard]] bool IsWritableSource(const HtmlSourceCharset& source);

// `html` decoded to well-formed UTF-8 without a byte-order mark; `storage`
// holds the text when it had to be converted (the result then views it),
// otherwise the result views `html`. kOpaque and kUnreadable give their
// bytes unchanged, minus a mark. Without `repairUtf8`, UTF-8 is returned as
// it is for a reader that repairs what it reads, as the built-in renderer does.
[[nodiscard]] std::string_view DecodeHtmlSource(std::string_view html,
                                                const HtmlSourceCharset& source,
                                                std::string* storage, bool repairUtf8 = true);

}  // namespace vellumo
