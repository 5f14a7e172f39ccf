#include "vantic.h"

#include "aboutdlg.h"
#include "mainfrm.h"
#include "message.h"
#include "vanticdoc.h"
#include "vanticview.h"

CVanticApp theApp;
CString g_cmdLine;

namespace {
// The engine reports through this, so its messages look like the dialog's.
void ShowAfxMessage(const char* text)
{
    AfxMessageBox(text);
}
}

BEGIN_MESSAGE_MAP(CVanticApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CVanticApp::CVanticApp() {}

BOOL CVanticApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    SetToolMessageHandler(&ShowAfxMessage);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVanticDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CVanticView)));
    if (m_lpCmdLine[0] != 0)
        g_cmdLine = m_lpCmdLine;
    OnFileNew();
    return TRUE;
}

void CVanticApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
