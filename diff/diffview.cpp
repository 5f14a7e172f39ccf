#include "diffview.h"

#include "diffdoc.h"
#include "resource.h"
#include "viewfile.h"

IMPLEMENT_DYNCREATE(CDiffView, CEditView)

BEGIN_MESSAGE_MAP(CDiffView, CEditView)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_VIEW_FILE, OnViewFile)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CDiffView::CDiffView()
{
}

CDiffDoc* CDiffView::GetDocument() const
{
    return static_cast<CDiffDoc*>(m_pDocument);
}

void CDiffView::OnInitialUpdate()
{
    // The edit control shows the whole result itself; the base update would
    // only repaint.
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), TRUE);
    SetPrinterFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEVICE_DEFAULT_FONT))));
    SendMessage(EM_SETREADONLY, TRUE);
    SetWindowText(GetDocument()->m_result);
}

void CDiffView::OnDraw(CDC*)
{
}

// Print and Print Preview show the whole text in the printer font.
BOOL CDiffView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CDiffView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnBeginPrinting(pDC, pInfo);
}

void CDiffView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnEndPrinting(pDC, pInfo);
}

void CDiffView::OnHelpContents()
{
    ::WinHelpA(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
}

void CDiffView::OnViewFile()
{
    CString selection;
    GetSelectedText(selection);
    LaunchViewer(selection);
}
