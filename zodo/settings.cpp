#include "settings.h"

#include <cstring>

ZodoSettings g_settings;
int g_printMode = 0;
int g_searchForward = 1;

namespace {

void ReadFont(CWinApp* app, const char* section, int stockFont, LOGFONTA* font) {
  std::memset(font, 0, sizeof *font);
  font->lfHeight = static_cast<LONG>(app->GetProfileInt(section, "Height", 0));
  if (font->lfHeight == 0) {
    ::GetObjectA(::GetStockObject(stockFont), sizeof *font, font);
    return;
  }
  font->lfWidth = app->GetProfileInt(section, "Width", 0);
  font->lfEscapement = app->GetProfileInt(section, "Escapement", 0);
  font->lfOrientation = app->GetProfileInt(section, "Orientation", 0);
  font->lfWeight = app->GetProfileInt(section, "Weight", 0);
  font->lfItalic = static_cast<BYTE>(app->GetProfileInt(section, "Italic", 0));
  font->lfUnderline = static_cast<BYTE>(app->GetProfileInt(section, "Underline", 0));
  font->lfStrikeOut = static_cast<BYTE>(app->GetProfileInt(section, "StrikeOut", 0));
  font->lfCharSet = static_cast<BYTE>(app->GetProfileInt(section, "CharSet", 0));
  font->lfOutPrecision = static_cast<BYTE>(app->GetProfileInt(section, "OutPrecision", 0));
  font->lfClipPrecision = static_cast<BYTE>(app->GetProfileInt(section, "ClipPrecision", 0));
  font->lfQuality = static_cast<BYTE>(app->GetProfileInt(section, "Quality", 0));
  font->lfPitchAndFamily = static_cast<BYTE>(app->GetProfileInt(section, "PitchAndFamily", 0));
  CString face = app->GetProfileString(section, "FaceName", "");
  lstrcpynA(font->lfFaceName, face, LF_FACESIZE);
}

}  // namespace

void ReadDisplaySettings(CWinApp* app) {
  g_settings.tabLength = app->GetProfileInt("tabbing", "length", 8);
  g_settings.printerMargin = app->GetProfileInt("tabbing", "margin", 0);
  UINT hi = app->GetProfileInt("colors", "hicolor", 0);
  UINT lo = app->GetProfileInt("colors", "locolor", 0);
  g_settings.textColor = static_cast<COLORREF>((hi << 16) | lo);
  CString editor = app->GetProfileString("tools", "editor", "notepad.exe");
  lstrcpynA(g_settings.editor, editor, sizeof g_settings.editor);
  ReadFont(app, "font", ANSI_FIXED_FONT, &g_settings.displayFont);
  ReadFont(app, "lpfont", DEVICE_DEFAULT_FONT, &g_settings.printerFont);
}
