// The pager's program-wide state: the display settings every view takes
// its fonts, tabs and colour from, and the print-mode flag of "/p".
#ifndef ZODO_SETTINGS_H
#define ZODO_SETTINGS_H

#include "afxwin.h"

struct ZodoSettings {
  int tabLength;        // as stored; rendering makes it usable
  int printerMargin;    // in printer-font characters
  COLORREF textColor;   // 0: the device's own
  char editor[256];
  LOGFONTA displayFont;
  LOGFONTA printerFont;
};

extern ZodoSettings g_settings;
extern int g_printMode;        // 1 once started with "/p"
extern int g_searchForward;    // direction of the last search

// Reads the settings from the program's profile ("zodo.ini"); a font
// section whose Height is 0 gives the stock fixed font for the display and
// the device default font for the printer.
void ReadDisplaySettings(CWinApp* app);

#endif
