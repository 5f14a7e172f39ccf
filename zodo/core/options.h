// The pager's display settings as they live in its profile "zodo.ini":
// the keys Save Options writes, in their order and form, and the reading
// back at start-up. No windows: the profile is reached through a small
// source interface, a table in the unit tests and the program's profile
// calls in the pager.
#ifndef ZODO_OPTIONS_H
#define ZODO_OPTIONS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zodo {

// Buffer sizes of the settings: the editor command and a font's face name,
// each with its terminating NUL.
const size_t kEditorCommandSize = 256;
const size_t kFaceNameSize = 32;
const char kDefaultEditor[] = "notepad.exe";

// The fields of a font description that the profile keeps, in the order
// Save Options writes them.
struct FontDescription {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char faceName[kFaceNameSize] = {};
};

struct DisplaySettings {
    int tabLength = 8;
    int printMargin = 0;
    uint32_t textColor = 0;   // 0: the device's own text colour
    char editorCommand[kEditorCommandSize] = {};
    FontDescription displayFont;
    FontDescription printerFont;
};

// The main window's rectangle in screen coordinates.
struct WindowPosition {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool IsSet() const { return left || top || right || bottom; }
};

// The colour in two unsigned 16-bit halves, and back.
unsigned HiColor(uint32_t color);
unsigned LoColor(uint32_t color);
uint32_t JoinColor(unsigned hi, unsigned lo);

// Copies text into a buffer of size bytes (size >= 1), cut to size - 1
// characters when longer, always NUL-terminated.
void FitText(char* buffer, size_t size, const std::string& text);

// A stored tab length the pager can render: below 1 it becomes the
// default 8; other values are taken as stored.
int TabLengthFromProfile(int stored);

struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;   // integers as signed decimal
};

// Every key Save Options writes, each once, in the order it writes them:
// "tabbing", "colors", "tools", "font", "lpfont", then "Position".
std::vector<ProfileEntry> OptionsEntries(const DisplaySettings& settings, const WindowPosition& position);

// Where start-up reads the profile from. Key names match without regard
// to case; a missing key gives the default.
class ProfileSource {
public:
    virtual ~ProfileSource() {}
    virtual int GetInt(const char* section, const char* key, int fallback) = 0;
    virtual std::string GetString(const char* section, const char* key, const char* fallback) = 0;
};

// A profile held in a table: what the writer produced, read the way the
// system's profile calls read a file (the leading decimal number of the
// text, with its sign).
class TableProfile : public ProfileSource {
public:
    explicit TableProfile(std::vector<ProfileEntry> entries) : entries_(std::move(entries)) {}
    int GetInt(const char* section, const char* key, int fallback) override;
    std::string GetString(const char* section, const char* key, const char* fallback) override;

private:
    const ProfileEntry* Find(const char* section, const char* key) const;
    std::vector<ProfileEntry> entries_;
};

// Reads the settings. A font section whose "Height" is 0 or missing stands
// for the stock font: no other key of it is read and the stock description
// given is taken. Values too long for their buffers are cut to fit.
DisplaySettings ReadOptions(ProfileSource& profile, const FontDescription& stockDisplayFont,
                            const FontDescription& stockPrinterFont);
WindowPosition ReadPosition(ProfileSource& profile);

// The command line Invoke editor starts: the command, one blank, the
// arguments, as they are (no quoting; empty arguments keep the blank).
std::string EditorCommandLine(const std::string& command, const std::string& arguments);

}   // namespace zodo

#endif
