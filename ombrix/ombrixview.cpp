#include "ombrixview.h"

#include "outtext.h"
#include "resource.h"
#include "viewfile.h"

IMPLEMENT_DYNCREATE(COmbrixView, CEditView)

BEGIN_MESSAGE_MAP(COmbrixView, CEditView)
    ON_COMMAND(ID_VIEW_FILE, OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
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

// Print and Print Preview show the whole text in the printer font set above.
BOOL COmbrixView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void COmbrixView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnBeginPrinting(pDC, pInfo);
}

void COmbrixView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnEndPrinting(pDC, pInfo);
}

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
