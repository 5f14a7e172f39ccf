#include "toolapp.h"

#include "message.h"
#include "toolres.h"

CString g_cmdLine;

namespace {
// The one tool application of the process, for the shared view and
// document that need its command ids.
const CToolApp* g_toolApp = nullptr;

// Tool code reports through ToolMessage; in a program that is a message box
// captioned with the application's title, like the program's own messages.
void ShowAfxMessage(const char* text)
{
    AfxMessageBox(text);
}
}

IMPLEMENT_DYNCREATE(CToolFrame, CFrameWnd)

IMPLEMENT_DYNCREATE(CBlankView, CView)

void CBlankView::OnDraw(CDC*) {}

CToolAboutDlg::CToolAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BEGIN_MESSAGE_MAP(CToolApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CToolApp::CToolApp(CRuntimeClass* document, CRuntimeClass* view, const OutputCommands& output, CRuntimeClass* frame)
    : m_documentClass(document), m_viewClass(view), m_frameClass(frame), m_output(output)
{
    g_toolApp = this;
}

const OutputCommands& CToolApp::Output()
{
    static const OutputCommands none;
    return g_toolApp ? g_toolApp->m_output : none;
}

BOOL CToolApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    SetToolMessageHandler(&ShowAfxMessage);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, m_documentClass, m_frameClass, m_viewClass));
    if (m_lpCmdLine && m_lpCmdLine[0] != 0)
        g_cmdLine = m_lpCmdLine;
    // The tool's dialog and work run inside File New; when they leave no
    // document there is no main window, and Run ends the program.
    OnFileNew();
    return TRUE;
}

void CToolApp::OnAppAbout()
{
    CToolAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

void ShowHelpContents(CWnd* window)
{
    ::WinHelpA(window ? window->m_hWnd : nullptr, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
}
