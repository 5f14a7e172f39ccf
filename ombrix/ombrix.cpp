#include "ombrix.h"

#include "aboutdlg.h"
#include "mainfrm.h"
#include "message.h"
#include "ombrixdoc.h"
#include "ombrixview.h"

COmbrixApp theApp;
CString g_cmdLine;

namespace {
// The tool library reports through this, so its messages look like ours.
void ShowAfxMessage(const char* text)
{
    AfxMessageBox(text);
}
}

BEGIN_MESSAGE_MAP(COmbrixApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

COmbrixApp::COmbrixApp() {}

BOOL COmbrixApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    SetToolMessageHandler(&ShowAfxMessage);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(COmbrixDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(COmbrixView)));
    if (m_lpCmdLine[0] != 0)
        g_cmdLine = m_lpCmdLine;
    OnFileNew();
    return TRUE;
}

void COmbrixApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
