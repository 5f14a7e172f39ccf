#include "quarnview.h"

#include "quarndoc.h"
#include "resource.h"
#include "viewfile.h"

IMPLEMENT_DYNCREATE(CQuarnView, CEditView)

// Print and Print Preview have no handlers yet, so their menu items stay
// disabled.
BEGIN_MESSAGE_MAP(CQuarnView, CEditView)
    ON_COMMAND(ID_VIEW_FILE, OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
END_MESSAGE_MAP()

// Runs after every File New that searched to the end, so the window always
// shows the latest results. The base class's update is not wanted: the edit
// control shows its own text.
void CQuarnView::OnInitialUpdate()
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), TRUE);
    SetPrinterFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEVICE_DEFAULT_FONT))));
    SendMessage(EM_SETREADONLY, TRUE);
    CQuarnDoc* doc = static_cast<CQuarnDoc*>(GetDocument());
    SetWindowText(doc->m_resultText);
}

void CQuarnView::OnDraw(CDC*) {}

void CQuarnView::OnViewFile()
{
    CString selection;
    GetSelectedText(selection);
    LaunchViewer(selection);
}

void CQuarnView::OnHelpContents()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
}
