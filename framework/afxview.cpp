#include "afxwin.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr) {}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CWnd::PreCreateWindow(cs);
}

BOOL CView::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                   CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return TRUE;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    if (!pInfo)
        return;
    if (pInfo->GetMaxPage() != AFX_PAGE_UNKNOWN)
        pInfo->m_bContinuePrinting =
            pInfo->m_nCurPage >= pInfo->GetMinPage() && pInfo->m_nCurPage <= pInfo->GetMaxPage();
    else
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo)
{
    OnEndPrinting(pDC, pInfo);
}

void CView::PostNcDestroy()
{
    delete this;
}

IMPLEMENT_DYNCREATE(CEditView, CView)

BEGIN_MESSAGE_MAP(CEditView, CView)
    ON_WM_PAINT()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
END_MESSAGE_MAP()

CEditView::CEditView() : m_hPrinterFont(nullptr), m_nRowsPerPage(1), m_nRowHeight(1) {}

BOOL CEditView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = "EDIT";
    cs.style |= WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;
    return CView::PreCreateWindow(cs);
}

BOOL CEditView::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    m_edit.m_hWnd = m_hWnd;
    // The default limit would cut long results; zero asks for the largest.
    m_edit.SetLimitText(0);
    return TRUE;
}

void CEditView::OnDraw(CDC*) {}

void CEditView::OnPaint()
{
    Default();
}

void CEditView::GetSelectedText(CString& strResult) const
{
    int start = 0;
    int end = 0;
    m_edit.GetSel(start, end);
    CString text;
    GetWindowText(text);
    strResult = end > start ? text.Mid(start, end - start) : CString();
}

void CEditView::SetPrinterFont(CFont* pFont)
{
    m_hPrinterFont = pFont ? pFont->m_hObject : nullptr;
}

CFont* CEditView::GetPrinterFont() const
{
    return CFont::FromHandle(m_hPrinterFont);
}

void CEditView::OnEditCopy()
{
    m_edit.Copy();
}

void CEditView::OnUpdateNeedSel(CCmdUI* pCmdUI)
{
    int start = 0;
    int end = 0;
    m_edit.GetSel(start, end);
    pCmdUI->Enable(start != end);
}

void CEditView::PostNcDestroy()
{
    m_edit.m_hWnd = nullptr;
    CView::PostNcDestroy();
}

HFONT CEditView::PrintFont() const
{
    if (m_hPrinterFont)
        return m_hPrinterFont;
    HFONT hFont = m_hWnd ? reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) : nullptr;
    return hFont ? hFont : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

namespace {
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

int TextWidth(CDC* pDC, const char* text, int count)
{
    // The plain extent is exact at any size; the tabbed one is 16 bits wide.
    for (int i = 0; i < count; ++i) {
        if (text[i] == '\t')
            return pDC->GetTabbedTextExtent(text, count).cx;
    }
    return pDC->GetTextExtent(text, count).cx;
}

// How many characters of text fit in width: widths only grow with the
// count, so a binary search finds the largest count that fits.
int FitCount(CDC* pDC, const char* text, int count, int width)
{
    if (TextWidth(pDC, text, count) <= width)
        return count;
    int low = 0;        // fits
    int high = count;   // does not
    while (high - low > 1) {
        int mid = low + (high - low) / 2;
        if (TextWidth(pDC, text, mid) <= width)
            low = mid;
        else
            high = mid;
    }
    return low;
}
}   // namespace

void CEditView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    GetWindowText(m_strPrintText);
    m_printRows.clear();
    CFont* oldFont = pDC->SelectObject(CFont::FromHandle(PrintFont()));
    TEXTMETRICA tm = {};
    pDC->GetTextMetrics(&tm);
    m_nRowHeight = tm.tmHeight + tm.tmExternalLeading;
    if (m_nRowHeight <= 0)
        m_nRowHeight = 1;
    // A font taller than the page would leave every page empty, and a job
    // that waits for the text to run out would never end: such a page
    // takes one row, cut by the page's edge.
    m_nRowsPerPage = pInfo->m_rectDraw.Height() / m_nRowHeight;
    if (m_nRowsPerPage <= 0)
        m_nRowsPerPage = 1;
    int width = pInfo->m_rectDraw.Width();

    const char* text = m_strPrintText;
    int length = m_strPrintText.GetLength();
    int pos = 0;
    for (;;) {
        int end = pos;
        while (end < length && text[end] != '\r' && text[end] != '\n')
            ++end;
        int start = pos;
        int count = end - pos;
        if (count == 0)
            m_printRows.push_back({start, 0});
        while (count > 0) {
            int fit = FitCount(pDC, text + start, count, width);
            int cut = fit;
            if (fit < count) {
                // Words stay whole where a blank allows: the row ends after
                // the last blank that fits (or the blank just past the edge).
                if (IsBlank(text[start + fit])) {
                    cut = fit + 1;
                } else {
                    for (int i = fit; i > 0; --i) {
                        if (IsBlank(text[start + i - 1])) {
                            cut = i;
                            break;
                        }
                    }
                }
                // A character wider than the page still gets a row of its own.
                if (cut < 1)
                    cut = 1;
            }
            m_printRows.push_back({start, cut});
            start += cut;
            count -= cut;
        }
        if (end >= length)
            break;
        pos = (text[end] == '\r' && end + 1 < length && text[end + 1] == '\n') ? end + 2 : end + 1;
        // The break that ends the text starts no further line.
        if (pos >= length)
            break;
    }
    pDC->SelectObject(oldFont);

    UINT pages = static_cast<UINT>((m_printRows.size() + static_cast<size_t>(m_nRowsPerPage) - 1) /
                                   static_cast<size_t>(m_nRowsPerPage));
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(pages < 1 ? 1 : pages);
}

void CEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    size_t first = static_cast<size_t>(pInfo->m_nCurPage - 1) * static_cast<size_t>(m_nRowsPerPage);
    if (pInfo->m_nCurPage < 1 || first >= m_printRows.size())
        return;
    size_t last = first + static_cast<size_t>(m_nRowsPerPage);
    if (last > m_printRows.size())
        last = m_printRows.size();
    CFont* oldFont = pDC->SelectObject(CFont::FromHandle(PrintFont()));
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    const char* text = m_strPrintText;
    int x = pInfo->m_rectDraw.left;
    int y = pInfo->m_rectDraw.top;
    for (size_t i = first; i < last; ++i) {
        const PrintRow& row = m_printRows[i];
        if (row.length > 0)
            pDC->TabbedTextOut(x, y, text + row.start, row.length, x);
        y += m_nRowHeight;
    }
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

void CEditView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_printRows.clear();
    m_strPrintText.Empty();
}
