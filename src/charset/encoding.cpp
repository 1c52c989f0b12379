#include "charset/encoding.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

// Longer than every label; anything longer is no label.
constexpr std::size_t kMaxLabelLength = 40;

struct EncodingInfo {
    const char* name;
    unsigned codePage;
};

// By Encoding. Code pages Windows lacks (ISO-8859-10, -14, -16) are 0.
constexpr EncodingInfo kEncodingInfo[kEncodingCount] = {
    {"UTF-8", 65001},          {"IBM866", 866},
    {"ISO-8859-2", 28592},     {"ISO-8859-3", 28593},
    {"ISO-8859-4", 28594},     {"ISO-8859-5", 28595},
    {"ISO-8859-6", 28596},     {"ISO-8859-7", 28597},
    {"ISO-8859-8", 28598},     {"ISO-8859-8-I", 38598},
    {"ISO-8859-10", 0},        {"ISO-8859-13", 28603},
    {"ISO-8859-14", 0},        {"ISO-8859-15", 28605},
    {"ISO-8859-16", 0},        {"KOI8-R", 20866},
    {"KOI8-U", 21866},         {"macintosh", 10000},
    {"windows-874", 874},      {"windows-1250", 1250},
    {"windows-1251", 1251},    {"windows-1252", 1252},
    {"windows-1253", 1253},    {"windows-1254", 1254},
    {"windows-1255", 1255},    {"windows-1256", 1256},
    {"windows-1257", 1257},    {"windows-1258", 1258},
    {"x-mac-cyrillic", 10007}, {"GBK", 936},
    {"gb18030", 54936},        {"Big5", 950},
    {"EUC-JP", 20932},         {"ISO-2022-JP", 50220},
    {"Shift_JIS", 932},        {"EUC-KR", 949},
    {"replacement", 0},        {"UTF-16BE", 1201},
    {"UTF-16LE", 1200},        {"x-user-defined", 0},
    {"ISO-2022-KR", 50225},    {"UTF-32BE", 12001},
    {"UTF-32LE", 12000},
};

bool IsLabelSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == '"' || c == '\'';
}

}  // namespace

bool EncodingForLabel(std::string_view label, Encoding* encoding) {
    while (!label.empty() && IsLabelSpace(label.front())) {
        label.remove_prefix(1);
    }
    while (!label.empty() && IsLabelSpace(label.back())) {
        label.remove_suffix(1);
    }
    if (label.empty() || label.size() > kMaxLabelLength) {
        return false;
    }
    char lower[kMaxLabelLength + 1] = {};
    for (std::size_t i = 0; i < label.size(); ++i) {
        lower[i] = LowerAscii(label[i]);
    }
    const EncodingLabel* end = kEncodingLabels + kEncodingLabelCount;
    const EncodingLabel* found = std::lower_bound(kEncodingLabels, end, lower,
                                                  [](const EncodingLabel& entry, const char* key) {
                                                      return std::strcmp(entry.label, key) < 0;
                                                  });
    if (found == end || std::strcmp(found->label, lower) != 0) {
        return false;
    }
    *encoding = found->encoding;
    return true;
}

const char* EncodingName(Encoding encoding) {
    return kEncodingInfo[static_cast<std::size_t>(encoding)].name;
}

unsigned WindowsCodePage(Encoding encoding) {
    return kEncodingInfo[static_cast<std::size_t>(encoding)].codePage;
}

bool IsSingleByteEncoding(Encoding encoding) {
    return encoding >= Encoding::kIbm866 && encoding <= Encoding::kXMacCyrillic;
}

bool IsAsciiCompatible(Encoding encoding) {
    return encoding != Encoding::kIso2022Jp && encoding != Encoding::kIso2022Kr &&
           encoding != Encoding::kUtf16Be && encoding != Encoding::kUtf16Le &&
           encoding != Encoding::kUtf32Be && encoding != Encoding::kUtf32Le &&
           encoding != Encoding::kReplacement;
}

}  // namespace vellumo
