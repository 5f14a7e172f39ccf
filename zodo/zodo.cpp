#include "zodo.h"

#include "mainfrm.h"
#include "resource.h"
#include "settings.h"
#include "startup.h"
#include "toolapp.h"
#include "zododoc.h"
#include "zodoview.h"

CZodoApp theApp;

BEGIN_MESSAGE_MAP(CZodoApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CZodoApp::CZodoApp()
{
    // "c:\my files\a.txt" with its quotes names the file within them.
    m_nQuoteHandling = AFX_QUOTES_STRIP;
}

BOOL CZodoApp::InitInstance()
{
    CAppProfile profile(this);
    const zodo::WindowPosition position = zodo::ReadPosition(profile);

    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    LoadStdProfileSettings(4);

    AddDocTemplate(new CMultiDocTemplate(
        IDR_ZODOTYPE, RUNTIME_CLASS(CZodoDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CZodoView)));

    CMainFrame* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        delete frame;
        return FALSE;
    }
    if (position.IsSet())
        frame->MoveWindow(
            position.left, position.top, position.right - position.left, position.bottom - position.top, FALSE);
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    m_pMainWnd = frame;
    frame->DragAcceptFiles(TRUE);

    // Views take their fonts from these when they are made.
    ReadDisplaySettings(this);

    zodo::StartRequest start = zodo::ClassifyCommandLine(m_lpCmdLine);
    switch (start.kind) {
    case zodo::StartKind::OpenDialog: {
        CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
        if (dlg.DoModal() == IDOK) {
            OpenDocumentFile(dlg.GetPathName());
            frame->PostMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
        }
        break;
    }
    case zodo::StartKind::Print:
        g_printMode = 1;
        OpenDocumentFile(start.path.c_str());
        frame->PostMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
        frame->PostMessage(WM_COMMAND, ID_FILE_PRINT);
        break;
    case zodo::StartKind::Open:
        OpenDocumentFile(start.path.c_str());
        frame->PostMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
        break;
    }
    return TRUE;
}

void CZodoApp::OnAppAbout()
{
    CToolAboutDlg about;
    about.DoModal();
}
