#include "olmet.h"

#include "olmetdoc.h"
#include "olmetview.h"
#include "resource.h"
#include "toolapp.h"

LOGFONTA g_displayFont;
LOGFONTA g_printerFont;

COlmetApp theApp;

BEGIN_MESSAGE_MAP(COlmetApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

COlmetApp::COlmetApp() : m_pTemplate(nullptr) {}

BOOL COlmetApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    m_pTemplate = new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(COlmetDoc), RUNTIME_CLASS(CToolFrame), RUNTIME_CLASS(COlmetView));
    AddDocTemplate(m_pTemplate);
    ::GetObjectA(::GetStockObject(ANSI_FIXED_FONT), sizeof g_displayFont, &g_displayFont);
    ::GetObjectA(::GetStockObject(DEVICE_DEFAULT_FONT), sizeof g_printerFont, &g_printerFont);

    // The whole command line is the path, blanks and quotes included: the
    // shell hands over a path with blanks unquoted. The template is asked
    // directly so that nothing is taken off the name on the way.
    CString path = m_lpCmdLine ? m_lpCmdLine : "";
    if (!path.IsEmpty()) {
        m_pTemplate->OpenDocumentFile(path);
    } else {
        CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
        if (dlg.DoModal() == IDOK)
            m_pTemplate->OpenDocumentFile(dlg.GetPathName());
    }
    // Nothing loaded leaves no main window, and Run ends the program.
    return TRUE;
}

void COlmetApp::OnAppAbout()
{
    CToolAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
