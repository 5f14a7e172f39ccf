#include "settings.h"

#include <cstring>

ZodoSettings g_settings;
int g_printMode = 0;
int g_searchForward = 1;

// The pager's own profile, "zodo.ini" in the Windows directory.
int ProfileInt(const char* section, const char* key, int def) {
  return static_cast<int>(::GetPrivateProfileIntA(section, key, def, kProfileName));
}

CString ProfileString(const char* section, const char* key, const char* def) {
  char buffer[512];
  ::GetPrivateProfileStringA(section, key, def, buffer, sizeof buffer, kProfileName);
  return CString(buffer);
}

namespace {

void ReadFont(const char* section, int stockFont, LOGFONTA* font) {
  std::memset(font, 0, sizeof *font);
  font->lfHeight = ProfileInt(section, "Height", 0);
  if (font->lfHeight == 0) {
    ::GetObjectA(::GetStockObject(stockFont), sizeof *font, font);
    return;
  }
  font->lfWidth = ProfileInt(section, "Width", 0);
  font->lfEscapement = ProfileInt(section, "Escapement", 0);
  font->lfOrientation = ProfileInt(section, "Orientation", 0);
  font->lfWeight = ProfileInt(section, "Weight", 0);
  font->lfItalic = static_cast<BYTE>(ProfileInt(section, "Italic", 0));
  font->lfUnderline = static_cast<BYTE>(ProfileInt(section, "Underline", 0));
  font->lfStrikeOut = static_cast<BYTE>(ProfileInt(section, "StrikeOut", 0));
  font->lfCharSet = static_cast<BYTE>(ProfileInt(section, "CharSet", 0));
  font->lfOutPrecision = static_cast<BYTE>(ProfileInt(section, "OutPrecision", 0));
  font->lfClipPrecision = static_cast<BYTE>(ProfileInt(section, "ClipPrecision", 0));
  font->lfQuality = static_cast<BYTE>(ProfileInt(section, "Quality", 0));
  font->lfPitchAndFamily = static_cast<BYTE>(ProfileInt(section, "PitchAndFamily", 0));
  CString face = ProfileString(section, "FaceName", "");
  lstrcpynA(font->lfFaceName, face, LF_FACESIZE);
}

}  // namespace

void ReadDisplaySettings() {
  g_settings.tabLength = ProfileInt("tabbing", "length", 8);
  g_settings.printerMargin = ProfileInt("tabbing", "margin", 0);
  UINT hi = ProfileInt("colors", "hicolor", 0);
  UINT lo = ProfileInt("colors", "locolor", 0);
  g_settings.textColor = static_cast<COLORREF>((hi << 16) | lo);
  CString editor = ProfileString("tools", "editor", "notepad.exe");
  lstrcpynA(g_settings.editor, editor, sizeof g_settings.editor);
  ReadFont("font", ANSI_FIXED_FONT, &g_settings.displayFont);
  ReadFont("lpfont", DEVICE_DEFAULT_FONT, &g_settings.printerFont);
}
