// The pictures the programs carry, read back from the built programs: each
// toolbar bitmap holds one 16x15 tile per button of its frame's table, in the
// sixteen system colours, and no two buttons share a tile; each program's
// icon holds a 32x32 and a 16x16 image unlike every other program's; each
// About box shows the program's icon and version line.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kPrograms[] = {
    "pellumar",
    "zodo",
    "olmet",
    "quarn",
    "vantic",
    "diff",
    "ombrix",
    "trevak",
    "setup",
};
const WORD kMainFrame = 2;   // the menu, icon and toolbar bitmap of every frame
const WORD kAboutBox = 100;
const int kTileWidth = 16;
const int kTileHeight = 15;

std::string ProgramPath(const char* name)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name + ".exe";
}

// A program loaded only for its resources.
class Resources {
public:
    explicit Resources(const char* program)
        : m_module(LoadLibraryExA(ProgramPath(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~Resources()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    bool loaded() const { return m_module != nullptr; }

    // The resource's bytes, empty when the program has none.
    std::string get(LPCSTR type, WORD id) const
    {
        HRSRC found = FindResourceA(m_module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return std::string();
        HGLOBAL data = LoadResource(m_module, found);
        const void* bytes = data ? LockResource(data) : nullptr;
        if (!bytes)
            return std::string();
        return std::string(static_cast<const char*>(bytes), SizeofResource(m_module, found));
    }

private:
    HMODULE m_module;
};

template <class T>
T Read(const std::string& bytes, size_t at)
{
    T value{};
    if (at + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

// The platform's sixteen colours in palette order, as 0xRRGGBB; a toolbar
// maps its black, greys and white to the button colours by these values.
const DWORD kSystemColours[16] = {
    0x000000,
    0x800000,
    0x008000,
    0x808000,
    0x000080,
    0x800080,
    0x008080,
    0xC0C0C0,
    0x808080,
    0xFF0000,
    0x00FF00,
    0xFFFF00,
    0x0000FF,
    0xFF00FF,
    0x00FFFF,
    0xFFFFFF,
};

// A 4-bit device-independent bitmap decoded to palette indexes, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    unsigned char at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Decodes a resource bitmap; empty with a reason on anything but 4-bit colour
// in the sixteen system colours.
Picture Decode(const std::string& dib, std::string& why)
{
    Picture picture;
    BITMAPINFOHEADER header = Read<BITMAPINFOHEADER>(dib, 0);
    if (dib.size() < sizeof header || header.biSize < sizeof header) {
        why = "no bitmap header";
        return picture;
    }
    if (header.biBitCount != 4 || header.biCompression != BI_RGB) {
        why = "not 4-bit uncompressed but " + std::to_string(header.biBitCount) + " bits";
        return picture;
    }
    DWORD colours = header.biClrUsed ? header.biClrUsed : 16;
    if (colours != 16) {
        why = "a palette of " + std::to_string(colours);
        return picture;
    }
    for (DWORD i = 0; i < 16; ++i) {
        RGBQUAD q = Read<RGBQUAD>(dib, header.biSize + i * sizeof(RGBQUAD));
        DWORD rgb = (static_cast<DWORD>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
        if (rgb != kSystemColours[i]) {
            why = "palette entry " + std::to_string(i) + " is not the system colour";
            return picture;
        }
    }
    int width = header.biWidth;
    int height = header.biHeight;
    bool bottomUp = height > 0;
    if (!bottomUp)
        height = -height;
    size_t stride = ((static_cast<size_t>(width) * 4 + 31) / 32) * 4;
    size_t bits = header.biSize + 16 * sizeof(RGBQUAD);
    if (width <= 0 || height <= 0 || bits + stride * height > dib.size()) {
        why = "its pixels overrun the resource";
        return picture;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        size_t row = bits + stride * (bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            unsigned char byte = static_cast<unsigned char>(dib[row + x / 2]);
            picture.pixels[static_cast<size_t>(y) * width + x] = (x % 2) ? (byte & 0x0F) : (byte >> 4);
        }
    }
    return picture;
}

std::string Tile(const Picture& strip, int n)
{
    std::string tile;
    for (int y = 0; y < kTileHeight; ++y)
        for (int x = 0; x < kTileWidth; ++x)
            tile += static_cast<char>(strip.at(n * kTileWidth + x, y));
    return tile;
}

// Glyphs a few stray pixels apart look alike on a button: two tiles count as
// one unless some twentieth of their pixels differ.
const int kFewestPixelsApart = kTileWidth * kTileHeight / 20;

int PixelsApart(const std::string& a, const std::string& b)
{
    int apart = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        apart += a[i] != b[i];
    return apart;
}

// The commands of a frame's toolbar table, in order, gaps left out.
std::vector<std::string> ToolbarCommands(const std::string& frameSource)
{
    std::ifstream in(std::string(TAMREL_SOURCE_DIR) + "/" + frameSource);
    std::stringstream text;
    text << in.rdbuf();
    std::string source = text.str();
    std::vector<std::string> commands;
    size_t start = source.find("kButtons[] = {");
    size_t end = source.find("};", start);
    if (start == std::string::npos || end == std::string::npos)
        return commands;
    std::istringstream table(source.substr(start + 14, end - start - 14));
    std::string word;
    while (std::getline(table, word, ',')) {
        size_t from = word.find_first_not_of(" \t\r\n");
        if (from == std::string::npos)
            continue;
        word = word.substr(from, word.find_last_not_of(" \t\r\n") + 1 - from);
        if (word != "ID_SEPARATOR")
            commands.push_back(word);
    }
    return commands;
}

struct Toolbar {
    const char* program;
    const char* frameSource;
};

TEST(ResourceArtTest, EveryToolbarButtonHasATileOfItsOwn)
{
    const Toolbar toolbars[] = {
        {"zodo", "zodo/mainfrm.cpp"},
        {"trevak", "trevak/mainfrm.cpp"},
    };
    for (const Toolbar& bar : toolbars) {
        SCOPED_TRACE(bar.program);
        std::vector<std::string> commands = ToolbarCommands(bar.frameSource);
        ASSERT_GT(commands.size(), 1u) << "no button table in " << bar.frameSource;
        Resources program(bar.program);
        ASSERT_TRUE(program.loaded());
        std::string why;
        Picture strip = Decode(program.get(RT_BITMAP, kMainFrame), why);
        ASSERT_FALSE(strip.pixels.empty()) << why;
        ASSERT_EQ(strip.height, kTileHeight);
        ASSERT_EQ(strip.width, kTileWidth * static_cast<int>(commands.size()))
            << "the strip does not hold one tile per button";

        std::vector<std::string> tiles;
        for (size_t n = 0; n < commands.size(); ++n) {
            std::string tile = Tile(strip, static_cast<int>(n));
            EXPECT_NE(tile.find_first_not_of(tile[0]), std::string::npos) << commands[n] << " has a blank tile";
            for (size_t m = 0; m < tiles.size(); ++m)
                EXPECT_GE(PixelsApart(tiles[m], tile), kFewestPixelsApart)
                    << commands[m] << " and " << commands[n] << " share one tile";
            tiles.push_back(tile);
        }
    }
}

struct IconImages {
    std::string big;     // 32x32
    std::string small;   // 16x16
};

// The images of the program's main-frame icon, by size.
IconImages MainIcon(const Resources& program, std::string& why)
{
    IconImages images;
    std::string group = program.get(RT_GROUP_ICON, kMainFrame);
    WORD count = Read<WORD>(group, 4);
    if (group.size() < 6 + 14u * count) {
        why = "no icon group";
        return images;
    }
    for (WORD i = 0; i < count; ++i) {
        size_t entry = 6 + 14u * i;
        int width = static_cast<unsigned char>(group[entry]);
        int height = static_cast<unsigned char>(group[entry + 1]);
        std::string image = program.get(RT_ICON, Read<WORD>(group, entry + 12));
        BITMAPINFOHEADER header = Read<BITMAPINFOHEADER>(image, 0);
        if (image.size() < sizeof header || header.biWidth != width || header.biHeight != 2 * height) {
            why = "an image's size differs from its entry";
            return IconImages();
        }
        if (width == 32 && height == 32)
            images.big = image;
        else if (width == 16 && height == 16)
            images.small = image;
    }
    return images;
}

TEST(ResourceArtTest, EveryProgramHasAnIconOfItsOwnInBothSizes)
{
    std::vector<IconImages> seen;
    for (const char* name : kPrograms) {
        SCOPED_TRACE(name);
        Resources program(name);
        ASSERT_TRUE(program.loaded());
        std::string why;
        IconImages images = MainIcon(program, why);
        EXPECT_FALSE(images.big.empty()) << "no 32x32 image " << why;
        EXPECT_FALSE(images.small.empty()) << "no 16x16 image " << why;
        for (size_t m = 0; m < seen.size(); ++m) {
            EXPECT_TRUE(seen[m].big != images.big) << "the 32x32 image is " << kPrograms[m] << "'s";
            EXPECT_TRUE(seen[m].small != images.small) << "the 16x16 image is " << kPrograms[m] << "'s";
        }
        seen.push_back(images);
    }
}

// Reads a name or ordinal of a dialog template at `at`, returning the place
// after it; an ordinal goes to *ordinal (else -1), a name to *name.
size_t ReadNameOrOrdinal(const std::string& t, size_t at, int* ordinal = nullptr, std::string* name = nullptr)
{
    if (ordinal)
        *ordinal = -1;
    if (Read<WORD>(t, at) == 0xFFFF) {
        if (ordinal)
            *ordinal = Read<WORD>(t, at + 2);
        return at + 4;
    }
    for (; at + 2 <= t.size() && Read<WORD>(t, at) != 0; at += 2)
        if (name)
            *name += static_cast<char>(Read<WORD>(t, at));
    return at + 2;
}

size_t AlignToDword(size_t at)
{
    return (at + 3) & ~static_cast<size_t>(3);
}

struct Dialog {
    std::string caption;
    std::vector<std::string> texts;   // of the static text controls
    std::vector<int> icons;           // shown by static icon controls
};

// Reads a plain dialog template; the programs' About boxes are no extended ones.
bool ReadDialog(const std::string& t, Dialog& dialog)
{
    if (t.size() < 18 || Read<WORD>(t, 2) == 0xFFFF)
        return false;
    DWORD style = Read<DWORD>(t, 0);
    WORD items = Read<WORD>(t, 8);
    size_t at = ReadNameOrOrdinal(t, 18);   // menu
    at = ReadNameOrOrdinal(t, at);          // class
    at = ReadNameOrOrdinal(t, at, nullptr, &dialog.caption);
    if (style & DS_SETFONT)
        at = ReadNameOrOrdinal(t, at + 2);   // point size, face
    for (WORD i = 0; i < items; ++i) {
        at = AlignToDword(at);
        if (at + 18 > t.size())
            return false;
        DWORD itemStyle = Read<DWORD>(t, at);
        int windowClass = -1;
        int ordinal = -1;
        std::string title;
        at = ReadNameOrOrdinal(t, at + 18, &windowClass);
        at = ReadNameOrOrdinal(t, at, &ordinal, &title);
        at += 2 + Read<WORD>(t, at);
        if (windowClass != 0x0082)   // static
            continue;
        if ((itemStyle & SS_TYPEMASK) == SS_ICON)
            dialog.icons.push_back(ordinal);
        else if (ordinal == -1)
            dialog.texts.push_back(title);
    }
    return true;
}

struct AboutBox {
    const char* program;
    const char* caption;
    const char* version;
};

TEST(ResourceArtTest, EveryAboutBoxShowsTheProgramIconAndVersion)
{
    const AboutBox boxes[] = {
        {"ombrix", "About OMBRIX", "Ombrix Version 1.5"},
        {"zodo", "About ZODO", "ZODO for Windows Version 1.5"},
        {"quarn", "About Quarn", "Quarn for Windows Version 1.5"},
        {"trevak", "About Trevak", "Trevak for Windows Version 1.5"},
        {"diff", "About DIFF", "DIFF Application Version 1.5"},
        {"olmet", "About OLMET", "OLMET for Windows Version 1.5"},
        {"pellumar", "About Pellumar", "Tamrel Shell Version 1.5"},
        {"vantic", "About VANTIC", "Vantic for Windows Version 1.5"},
        {"setup", "About SETUP", "Tamrel SETUP Version 1.5"},
    };
    for (const AboutBox& box : boxes) {
        SCOPED_TRACE(box.program);
        Resources program(box.program);
        ASSERT_TRUE(program.loaded());
        Dialog about;
        ASSERT_TRUE(ReadDialog(program.get(RT_DIALOG, kAboutBox), about)) << "no plain About box template";
        EXPECT_EQ(about.caption, box.caption);
        ASSERT_FALSE(about.texts.empty());
        EXPECT_EQ(about.texts[0], box.version);
        EXPECT_EQ(about.icons, std::vector<int>{kMainFrame}) << "the About box shows no program icon";
    }
}

}   // namespace
