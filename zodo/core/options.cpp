#include "options.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace zodo {

namespace {

const char kTabbing[] = "tabbing";
const char kColors[] = "colors";
const char kTools[] = "tools";
const char kDisplayFontSection[] = "font";
const char kPrinterFontSection[] = "lpfont";
const char kPosition[] = "Position";

// The integer fields of a font description, in the profile's order; a
// table so that the writer and the reader cannot drift apart.
struct IntField {
    const char* key;
    int32_t FontDescription::*wide;   // one of the two is set
    uint8_t FontDescription::*narrow;
};

const IntField kFontFields[] = {
    {"Height", &FontDescription::height, nullptr},
    {"Width", &FontDescription::width, nullptr},
    {"Escapement", &FontDescription::escapement, nullptr},
    {"Orientation", &FontDescription::orientation, nullptr},
    {"Weight", &FontDescription::weight, nullptr},
    {"Italic", nullptr, &FontDescription::italic},
    {"Underline", nullptr, &FontDescription::underline},
    {"StrikeOut", nullptr, &FontDescription::strikeOut},
    {"CharSet", nullptr, &FontDescription::charSet},
    {"OutPrecision", nullptr, &FontDescription::outPrecision},
    {"ClipPrecision", nullptr, &FontDescription::clipPrecision},
    {"Quality", nullptr, &FontDescription::quality},
    {"PitchAndFamily", nullptr, &FontDescription::pitchAndFamily},
};
const char kFaceNameKey[] = "FaceName";

const char* const kPositionKeys[] = {"left", "top", "right", "bottom"};

void AddInt(std::vector<ProfileEntry>& out, const char* section, const char* key, long value)
{
    out.push_back(ProfileEntry{section, key, std::to_string(value)});
}

void AddFont(std::vector<ProfileEntry>& out, const char* section, const FontDescription& font)
{
    for (const IntField& field : kFontFields) {
        // The byte-wide fields are unsigned, 0 to 255.
        long value = field.wide ? static_cast<long>(font.*field.wide) : static_cast<long>(font.*field.narrow);
        AddInt(out, section, field.key, value);
    }
    char face[kFaceNameSize];
    FitText(face, sizeof face, std::string(font.faceName, strnlen(font.faceName, sizeof font.faceName)));
    out.push_back(ProfileEntry{section, kFaceNameKey, face});
}

FontDescription ReadFont(ProfileSource& profile, const char* section, const FontDescription& stock)
{
    if (profile.GetInt(section, kFontFields[0].key, 0) == 0)
        return stock;
    FontDescription font;
    for (const IntField& field : kFontFields) {
        int value = profile.GetInt(section, field.key, 0);
        if (field.wide)
            font.*field.wide = value;
        else
            font.*field.narrow = static_cast<uint8_t>(value);
    }
    FitText(font.faceName, sizeof font.faceName, profile.GetString(section, kFaceNameKey, ""));
    return font;
}

bool SameName(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}   // namespace

unsigned HiColor(uint32_t color)
{
    return (color >> 16) & 0xFFFFu;
}

unsigned LoColor(uint32_t color)
{
    return color & 0xFFFFu;
}

uint32_t JoinColor(unsigned hi, unsigned lo)
{
    // Halves edited by hand to something wider than 16 bits are masked, so
    // one cannot spill into the other.
    return (static_cast<uint32_t>(hi & 0xFFFFu) << 16) | (lo & 0xFFFFu);
}

void FitText(char* buffer, size_t size, const std::string& text)
{
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

int TabLengthFromProfile(int stored)
{
    return stored < 1 ? 8 : stored;
}

std::vector<ProfileEntry> OptionsEntries(const DisplaySettings& settings, const WindowPosition& position)
{
    std::vector<ProfileEntry> out;
    AddInt(out, kTabbing, "length", settings.tabLength);
    AddInt(out, kTabbing, "margin", settings.printMargin);
    AddInt(out, kColors, "hicolor", static_cast<long>(HiColor(settings.textColor)));
    AddInt(out, kColors, "locolor", static_cast<long>(LoColor(settings.textColor)));
    char editor[kEditorCommandSize];
    FitText(editor,
            sizeof editor,
            std::string(settings.editorCommand, strnlen(settings.editorCommand, sizeof settings.editorCommand)));
    out.push_back(ProfileEntry{kTools, "editor", editor});
    AddFont(out, kDisplayFontSection, settings.displayFont);
    AddFont(out, kPrinterFontSection, settings.printerFont);
    const int values[] = {position.left, position.top, position.right, position.bottom};
    for (size_t i = 0; i < 4; ++i)
        AddInt(out, kPosition, kPositionKeys[i], values[i]);
    return out;
}

const ProfileEntry* TableProfile::Find(const char* section, const char* key) const
{
    for (const ProfileEntry& e : entries_)
        if (SameName(e.section, section) && SameName(e.key, key))
            return &e;
    return nullptr;
}

int TableProfile::GetInt(const char* section, const char* key, int fallback)
{
    const ProfileEntry* e = Find(section, key);
    if (!e)
        return fallback;
    return static_cast<int>(std::strtol(e->value.c_str(), nullptr, 10));
}

std::string TableProfile::GetString(const char* section, const char* key, const char* fallback)
{
    const ProfileEntry* e = Find(section, key);
    return e ? e->value : std::string(fallback);
}

DisplaySettings ReadOptions(ProfileSource& profile, const FontDescription& stockDisplayFont,
                            const FontDescription& stockPrinterFont)
{
    DisplaySettings s;
    s.tabLength = TabLengthFromProfile(profile.GetInt(kTabbing, "length", 8));
    // A margin outside the dialog's bounds is used as stored.
    s.printMargin = profile.GetInt(kTabbing, "margin", 0);
    s.textColor = JoinColor(static_cast<unsigned>(profile.GetInt(kColors, "hicolor", 0)),
                            static_cast<unsigned>(profile.GetInt(kColors, "locolor", 0)));
    FitText(s.editorCommand, sizeof s.editorCommand, profile.GetString(kTools, "editor", kDefaultEditor));
    s.displayFont = ReadFont(profile, kDisplayFontSection, stockDisplayFont);
    s.printerFont = ReadFont(profile, kPrinterFontSection, stockPrinterFont);
    return s;
}

WindowPosition ReadPosition(ProfileSource& profile)
{
    WindowPosition p;
    int* values[] = {&p.left, &p.top, &p.right, &p.bottom};
    for (size_t i = 0; i < 4; ++i)
        *values[i] = profile.GetInt(kPosition, kPositionKeys[i], 0);
    return p;
}

std::string EditorCommandLine(const std::string& command, const std::string& arguments)
{
    return command + " " + arguments;
}

}   // namespace zodo
