// The pager's program-wide state: the display settings every view takes
// its fonts, tabs and colour from, and the print-mode flag of "/p".
#ifndef ZODO_SETTINGS_H
#define ZODO_SETTINGS_H

#include "afxwin.h"
#include "options.h"

extern int g_tabLength;        // at least 1 once read
extern int g_printMargin;      // in printer-font characters
extern COLORREF g_textColor;   // 0: the device's own
extern char g_editorCommand[zodo::kEditorCommandSize];
extern LOGFONTA g_displayFont;
extern LOGFONTA g_printerFont;   // in the printer's logical units
extern int g_printMode;          // 1 once started with "/p"
extern int g_searchForward;      // direction of the last search

// The program's profile ("zodo.ini") as the window-free reader and writer
// see it.
class CAppProfile : public zodo::ProfileSource {
public:
    explicit CAppProfile(CWinApp* app) : m_pApp(app) {}
    int GetInt(const char* section, const char* key, int fallback) override;
    std::string GetString(const char* section, const char* key, const char* fallback) override;

private:
    CWinApp* m_pApp;
};

// Reads the settings from the program's profile; a font section whose
// Height is 0 gives the stock fixed font for the display and the device
// default font for the printer.
void ReadDisplaySettings(CWinApp* app);

// The settings in use, as the profile keeps them.
zodo::DisplaySettings CurrentDisplaySettings();

// Between the system's font description and the profile's.
zodo::FontDescription DescribeFont(const LOGFONTA& font);
LOGFONTA MakeLogFont(const zodo::FontDescription& font);

#endif
