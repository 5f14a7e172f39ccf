#include "pellumar.h"

#include "dialogs.h"
#include "mainfrm.h"
#include "message.h"
#include "pellumardoc.h"
#include "pellumarview.h"

CPellumarApp theApp;

namespace {

// The tool library's messages (the clipboard copy's) become ours.
void ShowAfxMessage(const char* text)
{
    AfxMessageBox(text);
}

}

BEGIN_MESSAGE_MAP(CPellumarApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CPellumarApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    SetToolMessageHandler(&ShowAfxMessage);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPellumarDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CPellumarView)));
    OnFileNew();
    return TRUE;
}

void CPellumarApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
