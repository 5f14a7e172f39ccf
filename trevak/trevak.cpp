#include "trevak.h"

#include "afxform.h"
#include "mainfrm.h"
#include "resource.h"
#include "trevakdoc.h"
#include "trevakview.h"

CTrevakApp theApp;

namespace {

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

}   // namespace

BEGIN_MESSAGE_MAP(CTrevakApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CTrevakApp::CTrevakApp() {}

BOOL CTrevakApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CTrevakDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTrevakView)));
    OnFileNew();
    // The whole command line names the archive; a failed open leaves the
    // program up with no archive.
    if (m_pMainWnd && m_lpCmdLine[0] != 0)
        OpenDocumentFile(m_lpCmdLine);
    return TRUE;
}

void CTrevakApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CTrevakApp::OnHelpContents()
{
    WinHelp(0, HELP_CONTENTS);
}
