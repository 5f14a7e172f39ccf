#include "settings.h"

#include <cstring>

int g_tabLength = 8;
int g_printMargin = 0;
COLORREF g_textColor = 0;
char g_editorCommand[zodo::kEditorCommandSize] = "notepad.exe";
LOGFONTA g_displayFont;
LOGFONTA g_printerFont;
int g_printMode = 0;
int g_searchForward = 1;

int CAppProfile::GetInt(const char* section, const char* key, int fallback)
{
    return static_cast<int>(m_pApp->GetProfileInt(section, key, fallback));
}

std::string CAppProfile::GetString(const char* section, const char* key, const char* fallback)
{
    CString value = m_pApp->GetProfileString(section, key, fallback);
    return std::string(value, static_cast<size_t>(value.GetLength()));
}

zodo::FontDescription DescribeFont(const LOGFONTA& font)
{
    zodo::FontDescription d;
    d.height = font.lfHeight;
    d.width = font.lfWidth;
    d.escapement = font.lfEscapement;
    d.orientation = font.lfOrientation;
    d.weight = font.lfWeight;
    d.italic = font.lfItalic;
    d.underline = font.lfUnderline;
    d.strikeOut = font.lfStrikeOut;
    d.charSet = font.lfCharSet;
    d.outPrecision = font.lfOutPrecision;
    d.clipPrecision = font.lfClipPrecision;
    d.quality = font.lfQuality;
    d.pitchAndFamily = font.lfPitchAndFamily;
    static_assert(sizeof d.faceName == sizeof font.lfFaceName, "face names of one size");
    std::memcpy(d.faceName, font.lfFaceName, sizeof d.faceName);
    d.faceName[sizeof d.faceName - 1] = '\0';
    return d;
}

LOGFONTA MakeLogFont(const zodo::FontDescription& d)
{
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = d.height;
    font.lfWidth = d.width;
    font.lfEscapement = d.escapement;
    font.lfOrientation = d.orientation;
    font.lfWeight = d.weight;
    font.lfItalic = d.italic;
    font.lfUnderline = d.underline;
    font.lfStrikeOut = d.strikeOut;
    font.lfCharSet = d.charSet;
    font.lfOutPrecision = d.outPrecision;
    font.lfClipPrecision = d.clipPrecision;
    font.lfQuality = d.quality;
    font.lfPitchAndFamily = d.pitchAndFamily;
    std::memcpy(font.lfFaceName, d.faceName, sizeof font.lfFaceName);
    font.lfFaceName[sizeof font.lfFaceName - 1] = '\0';
    return font;
}

namespace {

zodo::FontDescription StockFont(int stockFont)
{
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    ::GetObjectA(::GetStockObject(stockFont), sizeof font, &font);
    return DescribeFont(font);
}

}   // namespace

void ReadDisplaySettings(CWinApp* app)
{
    CAppProfile profile(app);
    zodo::DisplaySettings s = zodo::ReadOptions(profile, StockFont(ANSI_FIXED_FONT), StockFont(DEVICE_DEFAULT_FONT));
    g_tabLength = s.tabLength;
    g_printMargin = s.printMargin;
    g_textColor = static_cast<COLORREF>(s.textColor);
    std::memcpy(g_editorCommand, s.editorCommand, sizeof g_editorCommand);
    g_displayFont = MakeLogFont(s.displayFont);
    g_printerFont = MakeLogFont(s.printerFont);
}

zodo::DisplaySettings CurrentDisplaySettings()
{
    zodo::DisplaySettings s;
    s.tabLength = g_tabLength;
    s.printMargin = g_printMargin;
    s.textColor = static_cast<uint32_t>(g_textColor);
    std::memcpy(s.editorCommand, g_editorCommand, sizeof s.editorCommand);
    s.editorCommand[sizeof s.editorCommand - 1] = '\0';
    s.displayFont = DescribeFont(g_displayFont);
    s.printerFont = DescribeFont(g_printerFont);
    return s;
}
