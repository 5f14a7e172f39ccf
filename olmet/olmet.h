// olmet, the hex viewer: its application object and the two font
// descriptions every view makes its fonts from.
#ifndef OLMET_OLMET_H
#define OLMET_OLMET_H

#include "afxwin.h"

// Set once at start-up from the stock fixed font (display) and the device
// default font (printer); olmet has no font settings.
extern LOGFONTA g_displayFont;
extern LOGFONTA g_printerFont;

class COlmetApp : public CWinApp {
public:
    COlmetApp();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

private:
    CDocTemplate* m_pTemplate;

    DECLARE_MESSAGE_MAP()
};

#endif
