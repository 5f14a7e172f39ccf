#include "diff.h"

#include "aboutdlg.h"
#include "diffdoc.h"
#include "diffview.h"
#include "mainfrm.h"
#include "message.h"
#include "resource.h"

CString g_cmdLine;
CDiffApp theApp;

namespace {
// The engines report through ToolMessage; in the program that is a message
// box captioned with the application's title.
void ShowAfxMessage(const char* text)
{
    AfxMessageBox(text);
}
}

BEGIN_MESSAGE_MAP(CDiffApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CDiffApp::CDiffApp()
{
}

BOOL CDiffApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    SetToolMessageHandler(&ShowAfxMessage);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDiffDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CDiffView)));

    if (m_lpCmdLine && *m_lpCmdLine)
        g_cmdLine = m_lpCmdLine;

    // The dialog and the comparison run inside File New; when they give no
    // document there is no main window and the program ends.
    OnFileNew();
    return TRUE;
}

void CDiffApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
