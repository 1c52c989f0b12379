// How the HTML of a message is read: which decoder its charset label needs,
// and the HTML decoded to the UTF-8 the renderer works in.
#pragma once

#include <string>
#include <string_view>

#include "charset/charset.h"

namespace vellumo {

enum class HtmlSourceForm {
    kUtf8,
    kSingleByte,  // a table of html_charset.h (an empty label is windows-1252)
    kIso2022Jp,
    kIso2022Kr,
    kUtf16,
    kUtf32,
    kShiftJis,  // the double-byte codes of html_double_byte_codes.h
    kEucJp,
    kEucKr,
    kEucCn,
    kOpaque,      // an ASCII-compatible charset without a table: bytes pass through
    kUnreadable,  // a 7-bit charset whose double-byte sets have no table here (ISO-2022-CN)
};

enum class HtmlByteOrder { kFromMark, kLittleEndian, kBigEndian };

struct HtmlSourceCharset {
    HtmlSourceForm form = HtmlSourceForm::kOpaque;
    const SingleByteCharset* table = nullptr;        // kSingleByte only
    HtmlByteOrder order = HtmlByteOrder::kFromMark;  // kUtf16 and kUtf32
};

// The form of a charset label (any case, blanks and quotes around ignored).
[[nodiscard]] HtmlSourceCharset ClassifyHtmlSource(std::string_view label);

// The form to read `html` in: a double-byte code whose bytes the tables
// here cannot all read (a vendor extension, say) becomes kOpaque, so that
// its bytes pass through rather than losing characters.
[[nodiscard]] HtmlSourceCharset ReadableHtmlSource(std::string_view html, HtmlSourceCharset source);

// True for the double-byte codes.
[[nodiscard]] bool IsDoubleByteCodeForm(HtmlSourceForm form);

// `html` decoded to well-formed UTF-8 without a byte-order mark; `storage`
// holds the text when it had to be converted (the result then views it),
// otherwise the result views `html`. For kOpaque the bytes are returned
// unchanged (minus a UTF-8 byte-order mark), for kUnreadable nothing; a
// double-byte code is decoded when ReadableHtmlSource kept its form.
// Without `repairUtf8`, UTF-8 is returned as it is (minus the mark) for a
// reader that repairs what it reads, as the built-in renderer does.
// UTF-16 and UTF-32 follow their label's byte order, else their byte-order
// mark, else the first unit (a zero first byte means big-endian, as "<"
// shows it).
[[nodiscard]] std::string_view DecodeHtmlSource(std::string_view html,
                                                const HtmlSourceCharset& source,
                                                std::string* storage, bool repairUtf8 = true);

}  // namespace vellumo
