// The legible stand-in for a printer's tiny default font.
#include "afxwin.h"

#include <cstring>
#include <map>

namespace {

const int kSmallestPoints = 6;
const int kLegiblePoints = 10;

bool SameDescription(const LOGFONTA& a, const LOGFONTA& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           lstrcmpiA(a.lfFaceName, b.lfFaceName) == 0;
}

// The stock default font itself, or a font made from its description (a
// program that keeps font descriptions copies the stock one).
bool IsDeviceDefault(HFONT hFont)
{
    HGDIOBJ stock = GetStockObject(DEVICE_DEFAULT_FONT);
    if (hFont == stock)
        return true;
    LOGFONTA wanted = {};
    LOGFONTA given = {};
    if (!GetObjectA(stock, sizeof(wanted), &wanted) || !GetObjectA(hFont, sizeof(given), &given))
        return false;
    return SameDescription(wanted, given);
}

// The character height of hFont on hDC, without the leading, against the
// device's resolution: whether it comes out under kSmallestPoints.
bool TooSmallOn(HDC hDC, HFONT hFont)
{
    int dpi = GetDeviceCaps(hDC, LOGPIXELSY);
    if (dpi <= 0)
        return false;
    HGDIOBJ old = SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    BOOL measured = GetTextMetricsA(hDC, &tm);
    SelectObject(hDC, old);
    if (!measured)
        return false;
    return (tm.tmHeight - tm.tmInternalLeading) * 72 < kSmallestPoints * dpi;
}

// One font per device resolution, kept for the program's run: printing
// selects it page after page, and a program prints on few devices.
HFONT LegibleFontFor(HDC hDC)
{
    static std::map<int, HFONT> fonts;
    int dpi = GetDeviceCaps(hDC, LOGPIXELSY);
    HFONT& font = fonts[dpi];
    if (!font) {
        LOGFONTA lf = {};
        lf.lfHeight = -MulDiv(kLegiblePoints, dpi, 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = ANSI_CHARSET;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynA(lf.lfFaceName, "Courier New", LF_FACESIZE);
        font = CreateFontIndirectA(&lf);
    }
    return font;
}

}   // namespace

HFONT AfxLegiblePrinterFont(HDC hDC, HFONT hFont)
{
    if (!hDC || !hFont || !IsDeviceDefault(hFont) || !TooSmallOn(hDC, hFont))
        return hFont;
    HFONT legible = LegibleFontFor(hDC);
    return legible ? legible : hFont;
}
