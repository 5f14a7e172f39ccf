#include "quarnview.h"

#include "quarndoc.h"
#include "resource.h"
#include "viewfile.h"

IMPLEMENT_DYNCREATE(CQuarnView, CEditView)

BEGIN_MESSAGE_MAP(CQuarnView, CEditView)
    ON_COMMAND(ID_VIEW_FILE, OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
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

// Print and Print Preview show the whole text in the printer font.
BOOL CQuarnView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CQuarnView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnBeginPrinting(pDC, pInfo);
}

void CQuarnView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnEndPrinting(pDC, pInfo);
}

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
