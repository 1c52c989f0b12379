#include "charset/source_charset.h"

#include "charset/double_byte_codes.h"
#include "charset/iso2022jp.h"
#include "charset/iso2022kr.h"
#include "charset/unicode_text.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct FormLabel {
    const char* label;
    HtmlSourceForm form;
    HtmlByteOrder order;
};

// Labels whose decoding is not a table of html_charset.cpp.
constexpr FormLabel kFormLabels[] = {
    {"iso-2022-jp", HtmlSourceForm::kIso2022Jp, HtmlByteOrder::kFromMark},
    {"csiso2022jp", HtmlSourceForm::kIso2022Jp, HtmlByteOrder::kFromMark},
    {"iso-2022-jp-1", HtmlSourceForm::kIso2022Jp, HtmlByteOrder::kFromMark},
    {"iso-2022-jp-2", HtmlSourceForm::kIso2022Jp, HtmlByteOrder::kFromMark},
    {"utf-16", HtmlSourceForm::kUtf16, HtmlByteOrder::kFromMark},
    {"utf-16le", HtmlSourceForm::kUtf16, HtmlByteOrder::kLittleEndian},
    {"utf-16be", HtmlSourceForm::kUtf16, HtmlByteOrder::kBigEndian},
    {"unicode", HtmlSourceForm::kUtf16, HtmlByteOrder::kFromMark},
    {"ucs-2", HtmlSourceForm::kUtf16, HtmlByteOrder::kFromMark},
    {"utf-32", HtmlSourceForm::kUtf32, HtmlByteOrder::kFromMark},
    {"utf-32le", HtmlSourceForm::kUtf32, HtmlByteOrder::kLittleEndian},
    {"utf-32be", HtmlSourceForm::kUtf32, HtmlByteOrder::kBigEndian},
    {"iso-2022-kr", HtmlSourceForm::kIso2022Kr, HtmlByteOrder::kFromMark},
    {"csiso2022kr", HtmlSourceForm::kIso2022Kr, HtmlByteOrder::kFromMark},
    {"shift_jis", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"shift-jis", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"sjis", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"x-sjis", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"csshiftjis", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"ms_kanji", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"windows-31j", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"cp932", HtmlSourceForm::kShiftJis, HtmlByteOrder::kFromMark},
    {"euc-jp", HtmlSourceForm::kEucJp, HtmlByteOrder::kFromMark},
    {"x-euc-jp", HtmlSourceForm::kEucJp, HtmlByteOrder::kFromMark},
    {"cseucpkdfmtjapanese", HtmlSourceForm::kEucJp, HtmlByteOrder::kFromMark},
    {"euc-kr", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"cseuckr", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"ks_c_5601-1987", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"ks_c_5601-1989", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"ksc5601", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"ksc_5601", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"windows-949", HtmlSourceForm::kEucKr, HtmlByteOrder::kFromMark},
    {"gb2312", HtmlSourceForm::kEucCn, HtmlByteOrder::kFromMark},
    {"euc-cn", HtmlSourceForm::kEucCn, HtmlByteOrder::kFromMark},
    {"x-euc-cn", HtmlSourceForm::kEucCn, HtmlByteOrder::kFromMark},
    {"csgb2312", HtmlSourceForm::kEucCn, HtmlByteOrder::kFromMark},
    {"chinese", HtmlSourceForm::kEucCn, HtmlByteOrder::kFromMark},
    {"iso-2022-cn", HtmlSourceForm::kUnreadable, HtmlByteOrder::kFromMark},
    {"iso-2022-cn-ext", HtmlSourceForm::kUnreadable, HtmlByteOrder::kFromMark},
};

std::string_view TrimLabel(std::string_view label) {
    auto isTrim = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    while (!label.empty() && isTrim(label.front())) {
        label.remove_prefix(1);
    }
    while (!label.empty() && isTrim(label.back())) {
        label.remove_suffix(1);
    }
    return label;
}

// The label's order, else the mark's (which is then dropped), else the
// first unit's: a zero first byte is the high byte of "<" and the like.
// A mark of the label's own order is dropped too.
bool IsBigEndian(std::string_view* html, std::size_t unit, HtmlByteOrder order) {
    const std::string_view big =
        unit == 2 ? std::string_view("\xFE\xFF", 2) : std::string_view("\x00\x00\xFE\xFF", 4);
    const std::string_view little =
        unit == 2 ? std::string_view("\xFF\xFE", 2) : std::string_view("\xFF\xFE\x00\x00", 4);
    const bool markBig = html->substr(0, unit) == big;
    const bool markLittle = html->substr(0, unit) == little;
    bool bigEndian = html->empty() || (*html)[0] == '\0';
    if (order != HtmlByteOrder::kFromMark) {
        bigEndian = order == HtmlByteOrder::kBigEndian;
    } else if (markBig || markLittle) {
        bigEndian = markBig;
    }
    if ((bigEndian && markBig) || (!bigEndian && markLittle)) {
        html->remove_prefix(unit);
    }
    return bigEndian;
}

std::string_view KeepOrStore(std::string text, std::string* storage) {
    *storage = std::move(text);
    return *storage;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

DoubleByteCode CodeOf(HtmlSourceForm form) {
    switch (form) {
        case HtmlSourceForm::kShiftJis:
            return DoubleByteCode::kShiftJis;
        case HtmlSourceForm::kEucJp:
            return DoubleByteCode::kEucJp;
        case HtmlSourceForm::kEucCn:
            return DoubleByteCode::kEucCn;
        default:
            return DoubleByteCode::kEucKr;
    }
}

}  // namespace

bool IsDoubleByteCodeForm(HtmlSourceForm form) {
    return form == HtmlSourceForm::kShiftJis || form == HtmlSourceForm::kEucJp ||
           form == HtmlSourceForm::kEucKr || form == HtmlSourceForm::kEucCn;
}

HtmlSourceCharset ReadableHtmlSource(std::string_view html, HtmlSourceCharset source) {
    if (IsDoubleByteCodeForm(source.form) &&
        !DecodeDoubleByteCode(CodeOf(source.form), html, nullptr)) {
        source.form = HtmlSourceForm::kOpaque;
    }
    return source;
}

HtmlSourceCharset ClassifyHtmlSource(std::string_view label) {
    label = TrimLabel(label);
    for (const FormLabel& entry : kFormLabels) {
        if (EqualsIgnoringAsciiCase(label, entry.label)) {
            return {entry.form, nullptr, entry.order};
        }
    }
    const HtmlCharset charset = ResolveHtmlCharset(label);
    switch (charset.kind) {
        case CharsetKind::kUtf8:
            return {HtmlSourceForm::kUtf8, nullptr, HtmlByteOrder::kFromMark};
        case CharsetKind::kSingleByte:
            return {HtmlSourceForm::kSingleByte, charset.table, HtmlByteOrder::kFromMark};
        default:
            return {HtmlSourceForm::kOpaque, nullptr, HtmlByteOrder::kFromMark};
    }
}

std::string_view DecodeHtmlSource(std::string_view html, const HtmlSourceCharset& source,
                                  std::string* storage, bool repairUtf8) {
    switch (source.form) {
        case HtmlSourceForm::kUtf8:
        case HtmlSourceForm::kOpaque:
            if (html.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
                html.remove_prefix(kUtf8ByteOrderMark.size());
            }
            if (source.form == HtmlSourceForm::kOpaque || !repairUtf8 || IsValidUtf8(html)) {
                return html;
            }
            return KeepOrStore(RepairUtf8(html), storage);
        case HtmlSourceForm::kSingleByte:
            if (IsAscii(html)) {
                return html;
            }
            return KeepOrStore(DecodeToUtf8({CharsetKind::kSingleByte, source.table}, html),
                               storage);
        case HtmlSourceForm::kIso2022Jp:
            return KeepOrStore(DecodeIso2022Jp(html), storage);
        case HtmlSourceForm::kIso2022Kr:
            return KeepOrStore(DecodeIso2022Kr(html), storage);
        case HtmlSourceForm::kShiftJis:
        case HtmlSourceForm::kEucJp:
        case HtmlSourceForm::kEucKr:
        case HtmlSourceForm::kEucCn: {
            std::string text;
            if (IsAscii(html) || !DecodeDoubleByteCode(CodeOf(source.form), html, &text)) {
                return html;
            }
            return KeepOrStore(std::move(text), storage);
        }
        case HtmlSourceForm::kUtf16: {
            const bool bigEndian = IsBigEndian(&html, 2, source.order);
            return KeepOrStore(DecodeUtf16(html, bigEndian), storage);
        }
        case HtmlSourceForm::kUtf32: {
            const bool bigEndian = IsBigEndian(&html, 4, source.order);
            return KeepOrStore(DecodeUtf32(html, bigEndian), storage);
        }
        default:
            return {};
    }
}

}  // namespace vellumo
