#include "outview.h"

#include "viewfile.h"

// Runs after every File New that produced results, so the window always
// shows the latest run. The base class's update is not wanted: the edit
// control shows its own text.
void COutputView::OnInitialUpdate()
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), TRUE);
    SetPrinterFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEVICE_DEFAULT_FONT))));
    SendMessage(EM_SETREADONLY, TRUE);
    SetWindowText(GetOutputText());
}

void COutputView::OnDraw(CDC*) {}

// Print and Print Preview show the whole text in the printer font set above.
BOOL COutputView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void COutputView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnBeginPrinting(pDC, pInfo);
}

void COutputView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnEndPrinting(pDC, pInfo);
}

void COutputView::OnViewFile()
{
    CString selection;
    GetSelectedText(selection);
    LaunchViewer(selection);
}

void COutputView::OnHelpContents()
{
    ::WinHelpA(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
}
