#include "quarn.h"

#include "aboutdlg.h"
#include "mainfrm.h"
#include "message.h"
#include "quarndoc.h"
#include "quarnview.h"

CQuarnApp theApp;
CString g_cmdLine;

namespace {
// The search reports through the tool library; its messages become ours.
void ShowAfxMessage(const char* text)
{
    AfxMessageBox(text);
}
}

BEGIN_MESSAGE_MAP(CQuarnApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CQuarnApp::CQuarnApp() {}

BOOL CQuarnApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    SetToolMessageHandler(&ShowAfxMessage);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQuarnDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CQuarnView)));
    if (m_lpCmdLine[0] != 0)
        g_cmdLine = m_lpCmdLine;
    OnFileNew();
    return TRUE;
}

void CQuarnApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
