#include "charset/charset_code_pages.h"

#include <cstddef>

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr CharsetCodePage kCharsetCodePages[] = {
    {"utf-8", 65001},       {"us-ascii", 20127},    {"iso-8859-1", 28591},
    {"iso-8859-2", 28592},  {"iso-8859-3", 28593},  {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},  {"iso-8859-6", 28596},  {"iso-8859-7", 28597},
    {"iso-8859-8", 28598},  {"iso-8859-9", 28599},  {"iso-8859-13", 28603},
    {"iso-8859-15", 28605}, {"windows-1250", 1250}, {"windows-1251", 1251},
    {"windows-1252", 1252}, {"windows-1253", 1253}, {"windows-1254", 1254},
    {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257},
    {"windows-1258", 1258}, {"koi8-r", 20866},      {"koi8-u", 21866},
    {"shift_jis", 932},     {"euc-jp", 20932},      {"iso-2022-jp", 50220},
    {"gb2312", 936},        {"gbk", 936},           {"gb18030", 54936},
    {"big5", 950},          {"euc-kr", 949},        {"ks_c_5601-1987", 949},
    {"utf-7", 65000},
};

}  // namespace

const CharsetCodePage* CharsetCodePageTable(unsigned& count) {
    count = sizeof kCharsetCodePages / sizeof kCharsetCodePages[0];
    return kCharsetCodePages;
}

unsigned CodePageForCharset(const char* name) {
    if (name == nullptr) {
        return 0;
    }
    for (const CharsetCodePage& entry : kCharsetCodePages) {
        if (EqualsIgnoringAsciiCase(name, entry.name)) {
            return entry.codePage;
        }
    }
    return 0;
}

}  // namespace vellumo
