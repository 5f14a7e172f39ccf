#include "setup.h"

#include "aboutdlg.h"
#include "mainfrm.h"
#include "setupdoc.h"
#include "setupview.h"

CSetupApp theApp;

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

CSetupApp::CSetupApp() {}

BOOL CSetupApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CSetupDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CSetupView)));
    // The command line means nothing to setup.
    OnFileNew();
    return TRUE;
}

void CSetupApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
