#include "ombrixview.h"

#include "outtext.h"
#include "resource.h"
#include "viewfile.h"

IMPLEMENT_DYNCREATE(COmbrixView, CEditView)

// Print and Print Preview have no handlers yet, so their menu items stay
// disabled.
BEGIN_MESSAGE_MAP(COmbrixView, CEditView)
    ON_COMMAND(ID_VIEW_FILE, OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
END_MESSAGE_MAP()

// Runs after every File New that produced results, so the window always
// shows the latest run. The base class's update is not wanted: the edit
// control shows its own text.
void COmbrixView::OnInitialUpdate()
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), TRUE);
    SetPrinterFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEVICE_DEFAULT_FONT))));
    SendMessage(EM_SETREADONLY, TRUE);
    SetWindowText(g_outputText);
}

void COmbrixView::OnDraw(CDC*) {}

void COmbrixView::OnViewFile()
{
    CString selection;
    GetSelectedText(selection);
    LaunchViewer(selection);
}

void COmbrixView::OnHelpContents()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
}
