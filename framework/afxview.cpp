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
    OnDraw(&dc);
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

CEditView::CEditView() : m_hPrinterFont(nullptr) {}

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
