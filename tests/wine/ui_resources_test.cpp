// The resources inside the built vellumo.dll: every id and type, the icon and
// cursor formats, the animated cursor's file structure and what holds for
// every control of both dialog templates. uidriver.exe writes the resources out under
// Wine; the checks here read the bytes.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

constexpr unsigned kUsEnglish = 1033;

// Window and control styles as Windows numbers them.
constexpr std::uint32_t WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000,
                        WS_CAPTION = 0x00C00000, WS_SYSMENU = 0x00080000;
constexpr std::uint32_t DS_3DLOOK = 0x4, DS_SETFONT = 0x40, DS_MODALFRAME = 0x80;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 1, BS_CHECKBOX = 2;
constexpr std::uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82;
constexpr std::uint32_t kNoId = 0xFFFFFFFF;

using Bytes = std::string;

std::uint32_t U16(const Bytes& b, size_t at) {
    if (at + 2 > b.size()) {
        return 0;
    }
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t U32(const Bytes& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

// Dumps the DLL's resources once for all tests of this file.
class DllResources {
  public:
    static DllResources& Get() {
        static DllResources instance;
        return instance;
    }
    [[nodiscard]] Bytes Read(const std::string& type, unsigned id) const {
        return ReadFileBytes(folder_.File(type + "_" + std::to_string(id) + "_" +
                                          std::to_string(kUsEnglish) + ".bin"));
    }
    WineRun listing;

  private:
    DllResources() {
        listing = RunUnderWine(
            Win32Binary("uidriver.exe"),
            {"resources", WinePath(Win32Binary("vellumo.dll")), WinePath(folder_.path())});
    }
    TempFolder folder_;
};

TEST(DllResources, HoldExactlyTheListedResourcesInUsEnglish) {
    const DllResources& dll = DllResources::Get();
    std::set<std::string> named;
    std::set<std::string> types;
    for (const std::string& line : dll.listing.Values("resource")) {
        char type[32] = {}, name[32] = {};
        unsigned language = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%31s %31s %u", type, name, &language), 3) << line;
        EXPECT_EQ(language, kUsEnglish) << line;
        types.insert(type);
        if (std::string(type) != "3" && std::string(type) != "1") {
            named.insert(std::string(type) + " " + name);
        }
    }
    const std::set<std::string> expected = {"5 101",  "5 102",          "14 114", "14 115",
                                            "14 116", "14 117",         "14 119", "14 120",
                                            "14 122", "ANICURSORS 118", "12 121", "16 1"};
    EXPECT_EQ(named, expected) << dll.listing.output;
    // Images (1, 3) of the groups; no string tables, menus or accelerators.
    EXPECT_EQ(types, (std::set<std::string>{"1", "3", "5", "12", "14", "16", "ANICURSORS"}));
}

struct ImageFormat {
    unsigned size;
    unsigned bitCount;
};

struct IconCase {
    unsigned id;
    std::vector<ImageFormat> images;
};

TEST(DllResources, IconsHaveTheirSizesAndColourDepths) {
    const IconCase cases[] = {
        {114, {{16, 8}}}, {115, {{16, 8}, {32, 8}}}, {116, {{32, 8}}}, {117, {{32, 8}}},
        {119, {{32, 4}}}, {120, {{32, 8}}},          {122, {{32, 8}}},
    };
    const DllResources& dll = DllResources::Get();
    for (const IconCase& c : cases) {
        SCOPED_TRACE("icon " + std::to_string(c.id));
        Bytes group = dll.Read("14", c.id);
        ASSERT_GE(group.size(), 6u);
        EXPECT_EQ(U16(group, 2), 1u) << "not an icon group";
        ASSERT_EQ(U16(group, 4), c.images.size());
        ASSERT_EQ(group.size(), 6 + 14 * c.images.size());
        for (size_t i = 0; i < c.images.size(); ++i) {
            size_t entry = 6 + 14 * i;
            const ImageFormat& want = c.images[i];
            EXPECT_EQ(static_cast<unsigned char>(group[entry]), want.size);
            EXPECT_EQ(static_cast<unsigned char>(group[entry + 1]), want.size);
            EXPECT_EQ(static_cast<unsigned char>(group[entry + 2]), want.bitCount == 4 ? 16u : 0u);
            EXPECT_EQ(U16(group, entry + 6), want.bitCount);
            Bytes image = dll.Read("3", U16(group, entry + 12));
            ASSERT_GE(image.size(), 40u);
            EXPECT_EQ(U32(image, 0), 40u) << "image is not a device-independent bitmap";
            EXPECT_EQ(U32(image, 4), want.size);
            EXPECT_EQ(U32(image, 8), want.size * 2) << "colour and mask rows";
            EXPECT_EQ(U16(image, 14), want.bitCount);
            EXPECT_EQ(image.size(), U32(group, entry + 8));
        }
    }
}

TEST(DllResources, PointerIsA16ColourCursorWithItsHotSpotAtTheTip) {
    const DllResources& dll = DllResources::Get();
    Bytes group = dll.Read("12", 121);
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(U16(group, 2), 2u) << "not a cursor group";
    EXPECT_EQ(U16(group, 4), 1u);
    EXPECT_EQ(U16(group, 6), 32u);
    EXPECT_EQ(U16(group, 8), 64u) << "colour and mask rows";
    // The group's plane and bit fields are left to the resource compiler;
    // the image itself carries the colour depth.
    Bytes cursor = dll.Read("1", U16(group, 18));
    ASSERT_GE(cursor.size(), 44u);
    EXPECT_EQ(U16(cursor, 0), 0u) << "hot spot x";
    EXPECT_EQ(U16(cursor, 2), 0u) << "hot spot y";
    EXPECT_EQ(U32(cursor, 8), 32u);
    EXPECT_EQ(U16(cursor, 18), 4u);
}

// One RIFF chunk: its tag, where its data starts and how long it is.
struct Chunk {
    std::string tag;
    size_t data;
    size_t size;
};

std::vector<Chunk> Chunks(const Bytes& b, size_t from, size_t end) {
    std::vector<Chunk> chunks;
    while (from + 8 <= end) {
        Chunk c{b.substr(from, 4), from + 8, U32(b, from + 4)};
        if (c.data + c.size > end) {
            chunks.push_back(Chunk{"(overrun)", from, 0});
            return chunks;
        }
        chunks.push_back(c);
        from = c.data + c.size + (c.size & 1);
    }
    return chunks;
}

TEST(DllResources, SleepAnimationIsASevenFrameAnimatedCursor) {
    Bytes ani = DllResources::Get().Read("ANICURSORS", 118);
    ASSERT_EQ(ani.size(), 15890u);
    EXPECT_EQ(ani, ReadFileBytes(std::string(VELLUMO_SOURCE_DIR) + "/src/ui/art/sleep.ani"));
    ASSERT_EQ(ani.substr(0, 4), "RIFF");
    EXPECT_EQ(U32(ani, 4), ani.size() - 8);
    ASSERT_EQ(ani.substr(8, 4), "ACON");
    std::vector<Chunk> top = Chunks(ani, 12, ani.size());
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0].tag, "LIST");
    EXPECT_EQ(ani.substr(top[0].data, 4), "INFO");
    std::vector<Chunk> info = Chunks(ani, top[0].data + 4, top[0].data + top[0].size);
    ASSERT_EQ(info.size(), 2u);
    EXPECT_EQ(info[0].tag, "INAM");
    EXPECT_EQ(ani.substr(info[0].data, info[0].size), std::string("Time for Sleep!", 16));
    EXPECT_EQ(info[1].tag, "IART");
    EXPECT_GT(info[1].size, 1u);

    ASSERT_EQ(top[1].tag, "anih");
    ASSERT_EQ(top[1].size, 36u);
    const std::uint32_t header[9] = {36, 7, 7, 0, 0, 0, 0, 10, 1};
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(U32(ani, top[1].data + 4 * i), header[i]) << "anih field " << i;
    }
    ASSERT_EQ(top[2].tag, "rate");
    ASSERT_EQ(top[2].size, 28u);
    const std::uint32_t rates[7] = {10, 10, 10, 10, 10, 10, 30};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(U32(ani, top[2].data + 4 * i), rates[i]) << "rate " << i;
    }

    ASSERT_EQ(top[3].tag, "LIST");
    EXPECT_EQ(ani.substr(top[3].data, 4), "fram");
    std::vector<Chunk> frames = Chunks(ani, top[3].data + 4, top[3].data + top[3].size);
    ASSERT_EQ(frames.size(), 7u);
    std::set<Bytes> distinct;
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        const Chunk& f = frames[i];
        EXPECT_EQ(f.tag, "icon");
        Bytes cursor = ani.substr(f.data, f.size);
        distinct.insert(cursor);
        EXPECT_EQ(U16(cursor, 2), 2u) << "not a cursor file";
        ASSERT_EQ(U16(cursor, 4), 1u);
        EXPECT_EQ(static_cast<unsigned char>(cursor[6]), 32u);
        EXPECT_EQ(static_cast<unsigned char>(cursor[7]), 32u);
        EXPECT_EQ(U16(cursor, 10), 13u) << "hot spot x";
        EXPECT_EQ(U16(cursor, 12), 22u) << "hot spot y";
        size_t image = U32(cursor, 18);
        EXPECT_EQ(U32(cursor, 14), cursor.size() - image);
        EXPECT_EQ(U32(cursor, image + 4), 32u);
        EXPECT_EQ(U16(cursor, image + 14), 8u) << "256 colours";
    }
    EXPECT_EQ(distinct.size(), 7u) << "every frame shows a different picture";
}

// A string or ordinal field of a dialog template.
struct NameOrOrdinal {
    std::string text;
    std::uint32_t ordinal = 0;
};

NameOrOrdinal ReadNameOrOrdinal(const Bytes& b, size_t& at) {
    NameOrOrdinal out;
    if (U16(b, at) == 0xFFFF) {
        out.ordinal = U16(b, at + 2);
        at += 4;
        return out;
    }
    while (at + 2 <= b.size() && U16(b, at) != 0) {
        std::uint32_t ch = U16(b, at);
        // The templates hold Latin-1 text; keep it as one byte per character.
        out.text += static_cast<char>(ch & 0xFF);
        at += 2;
    }
    at += 2;
    return out;
}

struct DialogItem {
    std::uint32_t id;
    std::uint16_t kind;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::string text;
    std::uint32_t image;  // icon ordinal of a picture
    int x, y, w, h;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t style = 0;
    int w = 0, h = 0, x = -1, y = -1;
    NameOrOrdinal menu, windowClass, title;
    unsigned points = 0, weight = 99, italic = 99, charset = 99;
    std::string font;
    std::vector<DialogItem> items;
};

// The dialog manager takes a predefined class by ordinal or by name alike.
std::uint16_t ClassOrdinal(const NameOrOrdinal& windowClass) {
    if (windowClass.ordinal != 0) {
        return static_cast<std::uint16_t>(windowClass.ordinal);
    }
    std::string name;
    for (char ch : windowClass.text) {
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return name == "button" ? kButton : name == "edit" ? kEdit : name == "static" ? kStatic : 0;
}

int S16(const Bytes& b, size_t at) {
    return static_cast<std::int16_t>(U16(b, at));
}

DialogTemplate ParseDialog(const Bytes& b) {
    DialogTemplate d;
    d.extended = U16(b, 0) == 1 && U16(b, 2) == 0xFFFF;
    if (!d.extended) {
        return d;
    }
    d.style = U32(b, 12);
    unsigned count = U16(b, 16);
    d.x = S16(b, 18), d.y = S16(b, 20), d.w = S16(b, 22), d.h = S16(b, 24);
    size_t at = 26;
    d.menu = ReadNameOrOrdinal(b, at);
    d.windowClass = ReadNameOrOrdinal(b, at);
    d.title = ReadNameOrOrdinal(b, at);
    if (d.style & DS_SETFONT) {
        d.points = U16(b, at);
        d.weight = U16(b, at + 2);
        d.italic = static_cast<unsigned char>(b[at + 4]);
        d.charset = static_cast<unsigned char>(b[at + 5]);
        at += 6;
        d.font = ReadNameOrOrdinal(b, at).text;
    }
    for (unsigned i = 0; i < count && at < b.size(); ++i) {
        at = (at + 3) & ~size_t{3};
        DialogItem item{};
        item.exStyle = U32(b, at + 4);
        item.style = U32(b, at + 8);
        item.x = S16(b, at + 12), item.y = S16(b, at + 14);
        item.w = S16(b, at + 16), item.h = S16(b, at + 18);
        item.id = U32(b, at + 20);
        at += 24;
        item.kind = ClassOrdinal(ReadNameOrOrdinal(b, at));
        NameOrOrdinal text = ReadNameOrOrdinal(b, at);
        item.text = text.text;
        item.image = text.ordinal;
        at += 2 + U16(b, at);
        d.items.push_back(item);
    }
    return d;
}

void ExpectFrame(const DialogTemplate& d, int w, int h) {
    ASSERT_TRUE(d.extended) << "not an extended template";
    EXPECT_EQ(d.style, WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT);
    EXPECT_EQ(d.style & (WS_CAPTION | WS_SYSMENU), 0u) << "no title bar, no system menu";
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
    EXPECT_EQ(d.w, w);
    EXPECT_EQ(d.h, h);
    EXPECT_TRUE(d.menu.text.empty() && d.menu.ordinal == 0);
    EXPECT_TRUE(d.windowClass.text.empty() && d.windowClass.ordinal == 0);
    EXPECT_EQ(d.title.text, "");
    EXPECT_EQ(d.points, 8u);
    EXPECT_EQ(d.font, "Tahoma");
    EXPECT_EQ(d.weight, 0u);
    EXPECT_EQ(d.italic, 0u);
    EXPECT_EQ(d.charset, 1u) << "DEFAULT_CHARSET";
}

// What holds for every control of a template: the ids the dialog code
// reaches are there once each; no control but OK and Cancel may carry id 1
// or 2 (the dialog manager would send them Enter and Escape) and none is a
// default push button; every control lies inside the dialog.
void ExpectSoundControls(const DialogTemplate& d, const std::set<std::uint32_t>& codeIds) {
    std::set<std::uint32_t> seen;
    for (size_t i = 0; i < d.items.size(); ++i) {
        const DialogItem& item = d.items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + item.text + "\"");
        EXPECT_NE(item.kind, 0u) << "not a button, edit or static control";
        EXPECT_EQ(item.style & WS_CHILD, WS_CHILD);
        EXPECT_NE(item.id, 1u) << "id 1 would let the dialog manager's OK act";
        EXPECT_NE(item.id, 2u) << "id 2 would let the dialog manager's cancel act";
        if (item.kind == kButton && (item.style & 0xF) != BS_CHECKBOX) {
            EXPECT_NE(item.style & 0xF, BS_DEFPUSHBUTTON) << "no default button";
        }
        EXPECT_GE(item.x, 0);
        EXPECT_GE(item.y, 0);
        EXPECT_GT(item.w, 0);
        EXPECT_GT(item.h, 0);
        EXPECT_LE(item.x + item.w, d.w) << "past the dialog's right edge";
        EXPECT_LE(item.y + item.h, d.h) << "past the dialog's bottom edge";
        if (item.id != kNoId) {
            EXPECT_TRUE(seen.insert(item.id).second) << "id " << item.id << " twice";
        }
    }
    for (std::uint32_t id : codeIds) {
        EXPECT_EQ(seen.count(id), 1u) << "no control with id " << id;
    }
}

TEST(DllResources, ProgramInfoTemplateHoldsEveryControlOnce) {
    DialogTemplate d = ParseDialog(DllResources::Get().Read("5", IDD_PROGRAM_INFO));
    ExpectFrame(d, 254, 182);
    ExpectSoundControls(
        d, {IDC_RELEASE_NOTES, IDC_DONATIONS, IDC_CLOSE, IDC_MORE_PLUGINS, IDC_INFO_TEXT});
}

TEST(DllResources, SettingsTemplateHoldsEveryControlOnce) {
    DialogTemplate d = ParseDialog(DllResources::Get().Read("5", IDD_SETTINGS));
    ExpectFrame(d, 254, 124);
    ExpectSoundControls(d, {IDC_FOLDER_FIELD, IDC_EXTENSION_FIELD, IDC_BROWSE, IDC_SLEEP,
                            IDC_SAVE_HTML, IDC_APPLY, IDC_CANCEL, IDC_OPEN_FOLDER, IDC_PICTURE});
}

TEST(Artwork, GeneratorReproducesTheCommittedFiles) {
    if (std::system("python3 --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 is not installed";
    }
    TempFolder out;
    std::string source = VELLUMO_SOURCE_DIR;
    std::string command =
        "python3 '" + source + "/tools/generators/artgen/artgen.py' '" + out.path() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name :
         {"no_letter_small.ico", "plugin.ico", "mime_envelope.ico", "no_letter_large.ico",
          "sleep.ani", "donations.ico", "release_notes.ico", "pointer.cur", "plugins.ico"}) {
        SCOPED_TRACE(name);
        Bytes made = ReadFileBytes(out.File(name));
        EXPECT_FALSE(made.empty());
        EXPECT_TRUE(made == ReadFileBytes(source + "/src/ui/art/" + name))
            << "committed art differs from the generator's output";
    }
}

}  // namespace
}  // namespace vellumo::test
