// The charset an HTML document declares for itself, and the charset its
// text is written and labelled in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "charset/output_charset.h"
#include "html/html_charset_sniff.h"
#include "html/html_text_extractor.h"

namespace vellumo::test {
namespace {

TEST(HtmlCharsetSniff, Table) {
    const struct {
        const char* name;
        std::string html;
        const char* charset;
    } cases[] = {
        {"nothing", "<p>hello</p>", ""},
        {"utf-8 mark", "\xEF\xBB\xBF<p>x", "utf-8"},
        {"utf-16le mark", std::string("\xFF\xFE<\0", 4), "utf-16le"},
        {"utf-16be mark", std::string("\xFE\xFF\0<", 4), "utf-16be"},
        {"utf-32le mark", std::string("\xFF\xFE\0\0<\0\0\0", 8), "utf-32le"},
        {"utf-32be mark", std::string("\0\0\xFE\xFF", 4), "utf-32be"},
        {"mark beats meta", "\xEF\xBB\xBF<meta charset=iso-8859-2>", "utf-8"},
        {"meta charset", "<html><head><META CharSet=\"ISO-2022-JP\">", "iso-2022-jp"},
        {"meta charset unquoted", "<meta charset=utf-8>", "utf-8"},
        {"meta http-equiv",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">", "koi8-r"},
        {"content before http-equiv",
         "<meta content='text/html;charset=\"big5\"' http-equiv=content-type>", "big5"},
        {"content without http-equiv", "<meta content=\"text/html; charset=big5\">", ""},
        {"meta in a comment", "<!-- <meta charset=koi8-r> --><meta charset=utf-8>", "utf-8"},
        {"meta in an attribute", "<a title='<meta charset=koi8-r>'><meta charset=utf-8>", "utf-8"},
        {"utf-16 in meta means utf-8", "<meta charset=utf-16le>", "utf-8"},
        {"no token", "<meta charset=\"utf-8\r\nX-Injected: yes\">", ""},
        {"too long", "<meta charset=" + std::string(100, 'a') + ">", ""},
        {"past 1024 bytes", std::string(1024, ' ') + "<meta charset=koi8-r>", ""},
        {"metadata is no meta", "<metadata charset=koi8-r>", ""},
        {"cut off", "<meta charset=", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SniffHtmlCharset(c.html), c.charset);
    }
}

TEST(HtmlOutputCharset, LabelSaysWhatIsWritten) {
    const struct {
        const char* name;
        std::string utf8;
        const char* label;
        std::string bytes;
        const char* charset;
    } cases[] = {
        {"ascii needs no label", "abc", "", "abc", ""},
        {"no label and e-acute is windows-1252", "caf\xC3\xA9", "", "caf\xE9", "windows-1252"},
        {"us-ascii holding e-acute", "caf\xC3\xA9", "us-ascii", "caf\xE9", "windows-1252"},
        {"us-ascii no-break space is a space",
         "a\xC2\xA0"
         "b",
         "US-ASCII", "a b", "US-ASCII"},
        {"latin-1 keeps its label", "caf\xC3\xA9", "iso-8859-1", "caf\xE9", "iso-8859-1"},
        {"latin-1 euro", "\xE2\x82\xAC", "iso-8859-1", "\x80", "windows-1252"},
        {"latin-1 past windows-1252", "\xE4\xB8\x80", "iso-8859-1", "\xE4\xB8\x80", "utf-8"},
        {"koi8-r euro", "\xE2\x82\xAC", "koi8-r", "\xE2\x82\xAC", "utf-8"},
        {"koi8-r cyrillic", "\xD0\xB0", "koi8-r", "\xC1", "koi8-r"},
        {"replacement character is a question mark", "\xEF\xBF\xBD", "koi8-r", "?", "koi8-r"},
        {"iso-2022-jp euro", "\xE3\x81\x82\xE2\x82\xAC", "iso-2022-jp", "\xE3\x81\x82\xE2\x82\xAC",
         "utf-8"},
        {"iso-2022-jp no-break space", "\xE3\x81\x82\xC2\xA0", "iso-2022-jp", "\x1B$B$\"\x1B(B ",
         "iso-2022-jp"},
        {"utf-16 is written as utf-8", "\xC3\xA9", "utf-16le", "\xC3\xA9", "utf-8"},
        {"utf-8 stays", "\xE2\x82\xAC", "UTF-8", "\xE2\x82\xAC", "UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LabelledText out = EncodeForLabel(c.utf8, c.label);
        EXPECT_EQ(out.text, c.bytes);
        EXPECT_EQ(out.charset, c.charset);
    }
}

// Each case is a message body with the charset its header names ("" for
// none): references are written in the output's charset, under its label.
TEST(HtmlOutputCharset, ReferencesAreWrittenInTheOutputCharset) {
    const struct {
        const char* name;
        std::string html;
        const char* messageCharset;
        std::string text;
        const char* charset;
    } cases[] = {
        {"meta utf-8 with a euro reference", "<meta charset=\"utf-8\"><p>\xC3\xA9 &euro;</p>", "",
         "\xC3\xA9 \xE2\x82\xAC", "utf-8"},
        {"us-ascii with e-acute, euro and no-break space", "<p>caf\xE9&nbsp;&euro;&eacute;</p>",
         "us-ascii", "caf\xE9\xA0\x80\xE9", "windows-1252"},
        {"no charset, plain text", "<p>plain</p>", "", "plain", ""},
        {"no charset, a reference", "<p>&eacute;</p>", "", "\xE9", "windows-1252"},
        {"utf-16 mark", std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10), "", "\xC3\xA9", "utf-8"},
        {"message charset beats meta", "<meta charset=utf-8><p>\xE9</p>", "iso-8859-1", "\xE9",
         "iso-8859-1"},
        {"opaque charset keeps its bytes", "<p>\x82\xA0</p>", "shift_jis", "\x82\xA0", "shift_jis"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LabelledText out;
        ASSERT_TRUE(HtmlToLabelledText(c.html, c.messageCharset, &out));
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.charset, c.charset);
    }
    LabelledText chinese;
    EXPECT_FALSE(HtmlToLabelledText("<p>\x1B$)A\x0E!!\x0F</p>", "iso-2022-cn", &chinese));
}

std::string DenseMarkup(std::size_t rows) {
    std::string html = "\xEF\xBB\xBF<table>x";  // a mark, and text fostered out of the table
    for (std::size_t i = 0; i < rows; ++i) {
        html += "<tr><td>Row " + std::to_string(i) + "</td><td><b>v\r\nw</b> &amp; z</td></tr>\r\n";
    }
    return html + "</table><pre>\r\nend</pre>";
}

// The corpus's HTML files one after another, as one newsletter of many
// shapes (style sheets, CR LF, entities, tables).
std::string CorpusNewsletters() {
    std::string html;
    for (const auto& entry :
         std::filesystem::directory_iterator(VELLUMO_TEST_DATA_DIR "/corpus/html")) {
        std::ifstream file(entry.path(), std::ios::binary);
        html.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return html;
}

// The caller's HTML is given back as it is no longer read: at once when it
// was decoded into a copy; from its end as the text is copied out when it
// is long and read in place; never when short and read in place. The
// buffer moves each time it shrinks here (the sanitizer catches a read of
// the old one), and the text is what it is without.
TEST(HtmlOutputCharset, InputIsGivenBackOnceNoLongerRead) {
    enum GivenBack { kAtOnce, kNever, kFromTheEnd };
    const struct {
        const char* name;
        std::string html;
        const char* charset;
        GivenBack givenBack;
    } cases[] = {
        {"iso-2022-jp", "<p>\x1B$B$\"\x1B(B</p>", "iso-2022-jp", kAtOnce},
        {"latin-1 with a high byte", "<p>caf\xE9</p>", "iso-8859-1", kAtOnce},
        {"latin-1 that is ascii", "<p>cafe</p>", "iso-8859-1", kNever},
        {"valid utf-8", "<p>caf\xC3\xA9</p>", "utf-8", kNever},
        {"shift_jis", "<p>\x82\xA0</p>", "shift_jis", kAtOnce},
        {"big5", "<p>\xA4\xA4</p>", "big5", kAtOnce},
        {"dense markup of many steps", DenseMarkup(40000), "utf-8", kFromTheEnd},
        {"newsletters", CorpusNewsletters(), "utf-8", kFromTheEnd},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LabelledText expected;
        ASSERT_TRUE(HtmlToLabelledText(c.html, c.charset, &expected));
        char* buffer = static_cast<char*>(std::malloc(c.html.size()));
        std::memcpy(buffer, c.html.data(), c.html.size());
        std::vector<std::size_t> keeps;
        const auto shrink = [&](std::size_t keep) -> const char* {
            keeps.push_back(keep);
            std::free(buffer);
            buffer = nullptr;
            if (keep > 0) {
                buffer = static_cast<char*>(std::malloc(keep));  // elsewhere
                std::memcpy(buffer, c.html.data(), keep);
            }
            return buffer;
        };
        LabelledText out;
        ASSERT_TRUE(HtmlToLabelledText(std::string_view(buffer, c.html.size()), c.charset, &out,
                                       HtmlTextSource::kBuiltInRenderer, shrink));
        std::free(buffer);
        EXPECT_EQ(out.text, expected.text);
        if (c.givenBack == kNever) {
            EXPECT_TRUE(keeps.empty());
            continue;
        }
        ASSERT_FALSE(keeps.empty());
        EXPECT_EQ(keeps.back(), 0u);
        EXPECT_EQ(keeps.size() > 1, c.givenBack == kFromTheEnd);
        EXPECT_TRUE(std::is_sorted(keeps.rbegin(), keeps.rend()));
    }
}

// A label no table answers, and the standard's replacement encoding, are
// declined: their bytes are never passed on as text.
TEST(HtmlOutputCharset, UnreadableCharsetsAreDeclined) {
    for (const char* label : {"x-unknown", "utf-7", "iso-2022-cn", "hz-gb-2312"}) {
        SCOPED_TRACE(label);
        LabelledText out;
        EXPECT_FALSE(HtmlToLabelledText("<p>a\xA4\xA4</p>", label, &out));
    }
}

}  // namespace
}  // namespace vellumo::test
