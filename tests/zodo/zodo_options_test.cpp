// The pager's profile without windows: the colour halves, the keys Save
// Options writes and their reading back, values too long for their
// buffers, the tab length, and the editor's command line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "options.h"
#include "zodo_options_keys.h"

using zodo::DisplaySettings;
using zodo::FontDescription;
using zodo::ProfileEntry;
using zodo::TableProfile;
using zodo::WindowPosition;

namespace {

uint32_t Rgb(unsigned r, unsigned g, unsigned b)
{
    return r | (g << 8) | (b << 16);
}

FontDescription Font(int32_t height, const char* face)
{
    FontDescription f;
    f.height = height;
    f.width = 7;
    f.escapement = 0;
    f.orientation = 0;
    f.weight = 700;
    f.italic = 1;
    f.underline = 0;
    f.strikeOut = 1;
    f.charSet = 255;   // the top of the byte-wide range
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = 49;
    std::strncpy(f.faceName, face, sizeof f.faceName - 1);
    return f;
}

// Stand-ins for the stock fonts, told apart from anything a profile holds.
const FontDescription kStockDisplay = Font(12, "Stock Fixed");
const FontDescription kStockPrinter = Font(50, "Stock Printer");

bool SameFont(const FontDescription& a, const FontDescription& b)
{
    return a.height == b.height && a.width == b.width && a.escapement == b.escapement &&
           a.orientation == b.orientation && a.weight == b.weight && a.italic == b.italic &&
           a.underline == b.underline && a.strikeOut == b.strikeOut && a.charSet == b.charSet &&
           a.outPrecision == b.outPrecision && a.clipPrecision == b.clipPrecision && a.quality == b.quality &&
           a.pitchAndFamily == b.pitchAndFamily && std::strcmp(a.faceName, b.faceName) == 0;
}

DisplaySettings Sample()
{
    DisplaySettings s;
    s.tabLength = 4;
    s.printMargin = 10;
    s.textColor = Rgb(255, 128, 64);
    std::strcpy(s.editorCommand, "c:\\tools\\ed.exe");
    s.displayFont = Font(-13, "Courier New");
    s.printerFont = Font(-42, "Lucida Console");
    return s;
}

const ProfileEntry* Find(const std::vector<ProfileEntry>& entries, const std::string& section, const std::string& key)
{
    for (const ProfileEntry& e : entries)
        if (e.section == section && e.key == key)
            return &e;
    return nullptr;
}

// ---------------------------------------------------------------- colour

struct ColorCase {
    const char* name;
    uint32_t color;
    unsigned hi, lo;
};

class ColorHalves : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorHalves, SplitAndJoin)
{
    const ColorCase& c = GetParam();
    EXPECT_EQ(zodo::HiColor(c.color), c.hi);
    EXPECT_EQ(zodo::LoColor(c.color), c.lo);
    EXPECT_EQ(zodo::JoinColor(c.hi, c.lo), c.color);
}

INSTANTIATE_TEST_SUITE_P(Options, ColorHalves,
                         ::testing::Values(ColorCase{"pure_blue", Rgb(0, 0, 255), 255, 0},
                                           ColorCase{"red_green_blue", Rgb(255, 128, 64), 64, 33023},
                                           ColorCase{"black", 0, 0, 0},
                                           ColorCase{"white", Rgb(255, 255, 255), 255, 65535},
                                           // Bits above the blue byte stay in the high half.
                                           ColorCase{"top_byte", 0x01FF00FFu, 0x01FF, 0x00FF}),
                         [](const ::testing::TestParamInfo<ColorCase>& i) { return std::string(i.param.name); });

// Halves edited by hand beyond 16 bits do not spill into each other.
TEST(ColorHalves, WideHalvesAreMasked)
{
    EXPECT_EQ(zodo::JoinColor(0x10001u, 0x1FFFFu), 0x0001FFFFu);
    EXPECT_EQ(zodo::JoinColor(static_cast<unsigned>(-1), 0), 0xFFFF0000u);
}

// ---------------------------------------------------------------- writer

TEST(OptionsWriter, WritesEveryKeyOnceInOrder)
{
    WindowPosition pos;
    pos.left = -4;
    pos.top = 10;
    pos.right = 1284;
    pos.bottom = 1000;
    std::vector<ProfileEntry> entries = zodo::OptionsEntries(Sample(), pos);

    std::vector<std::string> order;
    for (const ProfileEntry& e : entries)
        order.push_back(e.section + "/" + e.key);
    EXPECT_EQ(order, ExpectedOptionKeys());

    struct Want {
        const char* section;
        const char* key;
        const char* value;
    };
    const Want wants[] = {
        {"tabbing", "length", "4"},
        {"tabbing", "margin", "10"},
        {"colors", "hicolor", "64"},
        {"colors", "locolor", "33023"},
        {"tools", "editor", "c:\\tools\\ed.exe"},
        {"font", "Height", "-13"},
        {"font", "Weight", "700"},
        {"font", "CharSet", "255"},
        {"font", "FaceName", "Courier New"},
        {"lpfont", "Height", "-42"},
        {"lpfont", "FaceName", "Lucida Console"},
        {"Position", "left", "-4"},
        {"Position", "bottom", "1000"},
    };
    for (const Want& w : wants) {
        const ProfileEntry* e = Find(entries, w.section, w.key);
        ASSERT_NE(e, nullptr) << w.section << "/" << w.key;
        EXPECT_EQ(e->value, w.value) << w.section << "/" << w.key;
    }
}

// ---------------------------------------------------------------- reader

TEST(OptionsReader, ReadsBackWhatTheWriterWrote)
{
    WindowPosition pos;
    pos.left = 20;
    pos.top = -8;
    pos.right = 660;
    pos.bottom = 500;
    const DisplaySettings saved = Sample();
    TableProfile profile(zodo::OptionsEntries(saved, pos));
    DisplaySettings read = zodo::ReadOptions(profile, kStockDisplay, kStockPrinter);
    EXPECT_EQ(read.tabLength, saved.tabLength);
    EXPECT_EQ(read.printMargin, saved.printMargin);
    EXPECT_EQ(read.textColor, saved.textColor);
    EXPECT_STREQ(read.editorCommand, saved.editorCommand);
    EXPECT_EQ(read.displayFont.height, -13);
    EXPECT_TRUE(SameFont(read.displayFont, saved.displayFont));
    EXPECT_TRUE(SameFont(read.printerFont, saved.printerFont));
    WindowPosition back = zodo::ReadPosition(profile);
    EXPECT_EQ(back.left, 20);
    EXPECT_EQ(back.top, -8);
    EXPECT_EQ(back.right, 660);
    EXPECT_EQ(back.bottom, 500);
}

TEST(OptionsReader, NothingStoredGivesTheDefaults)
{
    TableProfile profile({});
    DisplaySettings read = zodo::ReadOptions(profile, kStockDisplay, kStockPrinter);
    EXPECT_EQ(read.tabLength, 8);
    EXPECT_EQ(read.printMargin, 0);
    EXPECT_EQ(read.textColor, 0u);
    EXPECT_STREQ(read.editorCommand, "notepad.exe");
    EXPECT_TRUE(SameFont(read.displayFont, kStockDisplay));
    EXPECT_TRUE(SameFont(read.printerFont, kStockPrinter));
    EXPECT_FALSE(zodo::ReadPosition(profile).IsSet());
}

// A font section whose Height is 0 (or missing) stands for the stock font,
// whatever else it holds; the other section is read on its own.
struct StockCase {
    const char* name;
    const char* section;   // the section given Height 0
    bool heightMissing;    // no Height key at all instead
};

class StockFontSection : public ::testing::TestWithParam<StockCase> {};

TEST_P(StockFontSection, IsReadAsTheStockFont)
{
    const StockCase& c = GetParam();
    std::vector<ProfileEntry> entries = zodo::OptionsEntries(Sample(), WindowPosition());
    std::vector<ProfileEntry> kept;
    for (ProfileEntry e : entries) {
        if (e.section == c.section && e.key == "Height") {
            if (c.heightMissing)
                continue;
            e.value = "0";
        }
        kept.push_back(e);
    }
    TableProfile profile(kept);
    DisplaySettings read = zodo::ReadOptions(profile, kStockDisplay, kStockPrinter);
    const bool display = std::string(c.section) == "font";
    EXPECT_TRUE(SameFont(read.displayFont, display ? kStockDisplay : Sample().displayFont));
    EXPECT_TRUE(SameFont(read.printerFont, display ? Sample().printerFont : kStockPrinter));
}

INSTANTIATE_TEST_SUITE_P(Options, StockFontSection,
                         ::testing::Values(StockCase{"display_height_0", "font", false},
                                           StockCase{"printer_height_0", "lpfont", false},
                                           StockCase{"display_height_missing", "font", true}),
                         [](const ::testing::TestParamInfo<StockCase>& i) { return std::string(i.param.name); });

// Keys are found without regard to case, as the system's profile calls
// find them; values are read as the leading signed number of their text.
TEST(OptionsReader, KeysInAnyCaseAndNumbersWithTrailingText)
{
    TableProfile profile(
        {{"TABBING", "Length", "12 spaces"}, {"tabbing", "MARGIN", "-3"}, {"Colors", "HiColor", "255"}});
    DisplaySettings read = zodo::ReadOptions(profile, kStockDisplay, kStockPrinter);
    EXPECT_EQ(read.tabLength, 12);
    EXPECT_EQ(read.printMargin, -3);   // used as stored
    EXPECT_EQ(read.textColor, Rgb(0, 0, 255));
}

// A stored tab length the renderer cannot use is replaced by the default;
// lengths beyond the dialog's 16 are kept.
struct TabCase {
    const char* stored;
    int expected;
};

class StoredTabLength : public ::testing::TestWithParam<TabCase> {};

TEST_P(StoredTabLength, BecomesUsable)
{
    TableProfile profile({{"tabbing", "length", GetParam().stored}});
    EXPECT_EQ(zodo::ReadOptions(profile, kStockDisplay, kStockPrinter).tabLength, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Options, StoredTabLength,
                         ::testing::Values(TabCase{"0", 8}, TabCase{"-5", 8}, TabCase{"1", 1}, TabCase{"16", 16},
                                           TabCase{"40", 40}));

// Values too long for their buffers are cut to fit, both when read and
// when written from a buffer without its terminator.
struct LongCase {
    const char* name;
    size_t length;
    bool editor;   // else the display font's face name
};

class TooLong : public ::testing::TestWithParam<LongCase> {};

TEST_P(TooLong, IsCutToFit)
{
    const LongCase& c = GetParam();
    std::string value;
    for (size_t i = 0; i < c.length; ++i)
        value += static_cast<char>('a' + i % 26);
    std::vector<ProfileEntry> entries;
    if (c.editor) {
        entries.push_back({"tools", "editor", value});
    } else {
        entries.push_back({"font", "Height", "-13"});
        entries.push_back({"font", "FaceName", value});
    }
    TableProfile profile(entries);
    DisplaySettings read = zodo::ReadOptions(profile, kStockDisplay, kStockPrinter);
    const size_t room = c.editor ? zodo::kEditorCommandSize - 1 : zodo::kFaceNameSize - 1;
    const std::string got = c.editor ? read.editorCommand : read.displayFont.faceName;
    EXPECT_EQ(got, value.substr(0, room));

    // What is written back is what is held.
    const std::vector<ProfileEntry> back = zodo::OptionsEntries(read, WindowPosition());
    const ProfileEntry* written = Find(back, c.editor ? "tools" : "font", c.editor ? "editor" : "FaceName");
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->value, got);
}

INSTANTIATE_TEST_SUITE_P(Options, TooLong,
                         ::testing::Values(LongCase{"editor_255", 255, true}, LongCase{"editor_256", 256, true},
                                           LongCase{"editor_1000", 1000, true}, LongCase{"face_31", 31, false},
                                           LongCase{"face_32", 32, false}, LongCase{"face_80", 80, false}),
                         [](const ::testing::TestParamInfo<LongCase>& i) { return std::string(i.param.name); });

TEST(OptionsWriter, FaceNameWithoutTerminatorIsCut)
{
    DisplaySettings s = Sample();
    std::memset(s.printerFont.faceName, 'x', sizeof s.printerFont.faceName);
    std::memset(s.editorCommand, 'y', sizeof s.editorCommand);
    std::vector<ProfileEntry> entries = zodo::OptionsEntries(s, WindowPosition());
    EXPECT_EQ(Find(entries, "lpfont", "FaceName")->value, std::string(zodo::kFaceNameSize - 1, 'x'));
    EXPECT_EQ(Find(entries, "tools", "editor")->value, std::string(zodo::kEditorCommandSize - 1, 'y'));
}

// ---------------------------------------------------------------- editor

struct CommandCase {
    const char* command;
    const char* arguments;
    const char* expected;
};

class EditorCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(EditorCommand, IsCommandBlankArguments)
{
    EXPECT_EQ(zodo::EditorCommandLine(GetParam().command, GetParam().arguments), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, EditorCommand,
    ::testing::Values(CommandCase{"notepad.exe", "c:\\docs\\a.txt", "notepad.exe c:\\docs\\a.txt"},
                      // Blanks in the path are passed on unquoted.
                      CommandCase{"notepad.exe", "c:\\my docs\\a b.txt", "notepad.exe c:\\my docs\\a b.txt"},
                      CommandCase{"wordpad.exe", "", "wordpad.exe "},
                      CommandCase{"\"c:\\program files\\ed.exe\"", "x", "\"c:\\program files\\ed.exe\" x"}));

TEST(FitText, CutsAndTerminates)
{
    char buffer[4];
    std::memset(buffer, '#', sizeof buffer);
    zodo::FitText(buffer, sizeof buffer, "abcdef");
    EXPECT_STREQ(buffer, "abc");
    zodo::FitText(buffer, sizeof buffer, "ab");
    EXPECT_STREQ(buffer, "ab");
    zodo::FitText(buffer, 1, "abc");
    EXPECT_STREQ(buffer, "");
}

}   // namespace
