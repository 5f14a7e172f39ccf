#include "afxwin.h"
#include "afxpreview.h"

#include <cstdio>

namespace {
const char kNoPrinter[] = "No printer is installed.";

struct ButtonDef {
    UINT id;
    const char* text;
};
const ButtonDef kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "Print..."},
    {AFX_ID_PREVIEW_NEXT, "Next Page"},
    {AFX_ID_PREVIEW_PREV, "Prev Page"},
    {AFX_ID_PREVIEW_NUMPAGE, "Two Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom In"},
    {AFX_ID_PREVIEW_ZOOMOUT, "Zoom Out"},
    {AFX_ID_PREVIEW_CLOSE, "Close"},
};
const char kOnePage[] = "One Page";
const char kTwoPage[] = "Two Page";

const int kGap = 16;   // around and between pages, in pixels
const int kShadow = 3;
const int kLineStep = 32;   // one scroll-bar arrow click
}   // namespace

// The preview's buttons: a bar along the frame's top while the preview
// lasts. Its buttons' commands travel the frame's route to the preview,
// which is the frame's active view meanwhile.
class CPreviewBar : public CControlBar {
public:
    explicit CPreviewBar(CPreviewView* pPreview) : m_pPreview(pPreview), m_nHeight(0) { m_bAutoDelete = true; }

    BOOL CreateBar(CFrameWnd* pFrame)
    {
        m_dwStyle = CBRS_TOP;
        if (!CreateEx(0,
                      nullptr,
                      nullptr,
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(0, 0, 0, 0),
                      pFrame,
                      AFX_IDW_PREVIEW_BAR))
            return FALSE;
        AttachToFrame(pFrame);
        return TRUE;
    }
    void Detach() { m_pPreview = nullptr; }
    virtual int CalcHeight(int) { return m_nHeight; }
    // Keys pressed on a button are the preview's keys.
    virtual BOOL PreTranslateMessage(MSG* pMsg) { return m_pPreview && m_pPreview->PreTranslateMessage(pMsg); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();

protected:
    // The frame may destroy the bar before the preview (closing around
    // both); the preview must not reach for it afterwards.
    virtual void PostNcDestroy()
    {
        if (m_pPreview && m_pPreview->m_pBar == this)
            m_pPreview->m_pBar = nullptr;
        CControlBar::PostNcDestroy();
    }

private:
    CPreviewView* m_pPreview;
    int m_nHeight;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreviewBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

int CPreviewBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    HFONT hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    int width = 0;
    for (const char* text : {kButtons[0].text,
                             kButtons[1].text,
                             kButtons[2].text,
                             kOnePage,
                             kTwoPage,
                             kButtons[4].text,
                             kButtons[5].text,
                             kButtons[6].text}) {
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, text, lstrlenA(text), &size);
        if (size.cx > width)
            width = size.cx;
    }
    ::SelectObject(hDC, old);
    ::ReleaseDC(m_hWnd, hDC);

    width += 2 * tm.tmAveCharWidth + 8;
    int height = tm.tmHeight + 10;
    m_nHeight = height + 8;
    int x = 4;
    for (const ButtonDef& button : kButtons) {
        HWND hButton = CreateWindowExA(0,
                                       "BUTTON",
                                       button.text,
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                       x,
                                       4,
                                       width,
                                       height,
                                       m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.id)),
                                       AfxGetInstanceHandle(),
                                       nullptr);
        ::SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        x += width + 4;
    }
    HWND hPages = CreateWindowExA(0,
                                  "STATIC",
                                  "",
                                  WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                  x + 8,
                                  4 + (height - tm.tmHeight) / 2,
                                  20 * tm.tmAveCharWidth,
                                  tm.tmHeight,
                                  m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDC_PREVIEW_PAGES)),
                                  AfxGetInstanceHandle(),
                                  nullptr);
    ::SendMessageA(hPages, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    return 0;
}

void CPreviewBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    CRect line(0, client.bottom - 1, client.right, client.bottom);
    dc.FillSolidRect(line, GetSysColor(COLOR_BTNSHADOW));
}

void CView::OnFilePrintPreview()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame || dynamic_cast<CPreviewView*>(pFrame->GetActiveView()))
        return;
    CPreviewView* pPreview = new CPreviewView;
    if (!pPreview->Start(this))
        delete pPreview;
}

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(ID_FILE_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPage)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdateDisable)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pPrintView(nullptr),
      m_hPrintView(nullptr),
      m_pInfo(nullptr),
      m_pRecorder(nullptr),
      m_bBegun(FALSE),
      m_bEnded(FALSE),
      m_bWindowOwned(FALSE),
      m_nCurrentPage(1),
      m_nPagesShown(1),
      m_nZoom(0),
      m_nScrollX(0),
      m_nScrollY(0),
      m_pBar(nullptr)
{
}

CPreviewView::~CPreviewView()
{
    EndPreview();
}

BOOL CPreviewView::Start(CView* pPrintView)
{
    CFrameWnd* pFrame = pPrintView->GetParentFrame();
    if (!pFrame)
        return FALSE;
    m_pPrintView = pPrintView;
    m_hPrintView = pPrintView->m_hWnd;
    m_pInfo = new CPrintInfo;
    m_pInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pInfo))
        return FALSE;
    CPrintDialog* pPD = m_pInfo->m_pPD;
    if (!pPD->m_pd.hDC) {
        // A view that did not ask DoPreparePrinting previews for the
        // current printer.
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->GetPrinterDeviceDefaults(&pPD->m_pd) || !pPD->CreatePrinterDC()) {
            AfxMessageBox(kNoPrinter, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    m_dcPrint.m_hDC = pPD->m_pd.hDC;
    m_dcPrint.m_bPrinting = TRUE;
    m_pInfo->m_rectDraw = AfxGetPageRect(m_dcPrint.m_hDC);
    pPrintView->OnBeginPrinting(&m_dcPrint, m_pInfo);
    m_bBegun = TRUE;
    m_pRecorder = new CPageRecorder(m_dcPrint.m_hDC);

    m_nCurrentPage = m_pInfo->GetMinPage() > 0 ? m_pInfo->GetMinPage() : 1;
    CWinApp* pApp = AfxGetApp();
    UINT shown = pApp && pApp->m_nNumPreviewPages ? pApp->m_nNumPreviewPages : m_pInfo->m_nNumPreviewPages;
    m_nPagesShown = shown >= 2 ? 2 : 1;
    m_pInfo->m_nNumPreviewPages = m_nPagesShown;

    CRect rect;
    pFrame->GetClientRect(&rect);
    if (!Create(nullptr, nullptr, WS_CHILD | WS_CLIPCHILDREN, rect, pFrame, AFX_IDW_PREVIEW))
        return FALSE;
    m_bWindowOwned = TRUE;
    // Commands reach the document as they did through the view; the
    // document does not list the preview among its views.
    m_pDocument = pPrintView->GetDocument();
    // The frame's own bars make way for the preview's while it lasts.
    for (CControlBar* pBar : pFrame->GetControlBars()) {
        if (pBar->m_hWnd && (GetWindowLongPtrA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE)) {
            m_hiddenBars.push_back(pBar->m_hWnd);
            pBar->ShowWindow(SW_HIDE);
        }
    }
    CPreviewBar* pBar = new CPreviewBar(this);
    if (pBar->CreateBar(pFrame))
        m_pBar = pBar;
    else
        delete pBar;   // a bar that has no window was never bound
    pPrintView->ShowWindow(SW_HIDE);
    pFrame->SetActiveView(this);
    ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    SetFocus();
    UpdateControls();
    return TRUE;
}

void CPreviewView::EndPreview()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    // The view may be gone already when the frame closes around us.
    CView* pView = m_hPrintView && CWnd::FromHandlePermanent(m_hPrintView) == m_pPrintView ? m_pPrintView : nullptr;
    CFrameWnd* pFrame = m_hWnd ? GetParentFrame() : nullptr;
    bool bRestore = pFrame && pFrame->GetActiveView() == this;
    // The view shows again before the preview's bar goes, so that whoever
    // sees the bar gone finds the view back.
    if (bRestore && pView)
        pView->ShowWindow(SW_SHOW);
    if (m_pBar) {
        static_cast<CPreviewBar*>(m_pBar)->Detach();
        if (m_pBar->m_hWnd)
            m_pBar->DestroyWindow();   // deletes the bar
        else
            delete m_pBar;
        m_pBar = nullptr;
    }
    for (HWND hBar : m_hiddenBars) {
        if (::IsWindow(hBar))
            ::ShowWindow(hBar, SW_SHOWNOACTIVATE);
    }
    m_hiddenBars.clear();
    if (bRestore) {
        pFrame->SetActiveView(pView);
        pFrame->RecalcLayout();
        if (pView)
            pView->SetFocus();
    }
    if (pView && m_bBegun)
        pView->OnEndPrintPreview(&m_dcPrint, m_pInfo);
    m_dcPrint.m_hDC = nullptr;
    m_pages.clear();
    delete m_pRecorder;
    m_pRecorder = nullptr;
    delete m_pInfo;   // and with it the printer's DC
    m_pInfo = nullptr;
    m_pDocument = nullptr;
}

void CPreviewView::PostNcDestroy()
{
    if (m_bWindowOwned)
        CView::PostNcDestroy();
}

void CPreviewView::Close()
{
    EndPreview();
    DestroyWindow();   // deletes this
}

int CPreviewView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CView::OnCreate(lpCreateStruct);
}

void CPreviewView::OnDestroy()
{
    EndPreview();
    CView::OnDestroy();
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    LayOut();
}

LRESULT CPreviewView::OnEraseBkgnd(WPARAM, LPARAM)
{
    return 1;   // OnDraw paints every pixel
}

BOOL CPreviewView::PageExists(UINT nPage)
{
    auto found = m_pages.find(nPage);
    if (found != m_pages.end())
        return found->second >= 0;
    int index = -1;
    CView* pView = m_hPrintView && CWnd::FromHandlePermanent(m_hPrintView) == m_pPrintView ? m_pPrintView : nullptr;
    if (pView && m_pInfo && m_pRecorder && nPage >= m_pInfo->GetMinPage() &&
        (m_pInfo->GetMaxPage() == AFX_PAGE_UNKNOWN || nPage <= m_pInfo->GetMaxPage())) {
        HDC hPrinter = m_dcPrint.m_hDC;
        const CRect page = AfxGetPageRect(hPrinter);
        m_dcPrint.m_hDC = m_pRecorder->PreparePage();
        if (m_dcPrint.m_hDC) {
            m_pInfo->m_nCurPage = nPage;
            m_pInfo->m_bContinuePrinting = TRUE;
            m_pInfo->m_rectDraw = page;
            pView->OnPrepareDC(&m_dcPrint, m_pInfo);
            if (m_pInfo->m_bContinuePrinting && m_pRecorder->StartPage()) {
                CRect logical = page;
                m_dcPrint.DPtoLP(logical);
                m_pInfo->m_rectDraw = logical;
                pView->OnPrint(&m_dcPrint, m_pInfo);
                if (m_pRecorder->EndPage())
                    index = m_pRecorder->GetPageCount() - 1;
            } else {
                m_pRecorder->DiscardPage();
            }
        }
        m_dcPrint.m_hDC = hPrinter;
    }
    m_pages[nPage] = index;
    return index >= 0;
}

HENHMETAFILE CPreviewView::GetPage(UINT nPage)
{
    if (!PageExists(nPage))
        return nullptr;
    return m_pRecorder->GetPage(m_pages[nPage]);
}

CSize CPreviewView::ZoomedPageSize() const
{
    CRect client;
    GetClientRect(&client);
    int areaW = client.Width() - 2 * kGap;
    int areaH = client.Height() - 2 * kGap;
    HDC hPrinter = m_dcPrint.m_hDC;
    if (!hPrinter || areaW <= 0 || areaH <= 0)
        return CSize(1, 1);
    // The page's shape on paper: device units over dots per inch.
    double w = static_cast<double>(GetDeviceCaps(hPrinter, HORZRES)) / GetDeviceCaps(hPrinter, LOGPIXELSX);
    double h = static_cast<double>(GetDeviceCaps(hPrinter, VERTRES)) / GetDeviceCaps(hPrinter, LOGPIXELSY);
    UINT count = m_nZoom == 0 ? m_nPagesShown : 1;
    double fitW = (areaW - static_cast<double>(count - 1) * kGap) / count / w;
    double fitH = areaH / h;
    double scale = (fitW < fitH ? fitW : fitH) * (1 << m_nZoom);
    int cx = static_cast<int>(w * scale);
    int cy = static_cast<int>(h * scale);
    return CSize(cx > 1 ? cx : 1, cy > 1 ? cy : 1);
}

void CPreviewView::PageRects(CRect* rects, UINT count) const
{
    CRect client;
    GetClientRect(&client);
    CRect area = client;
    CSize size = ZoomedPageSize();
    int total = static_cast<int>(count) * size.cx + static_cast<int>(count - 1) * kGap;
    // Whole pages sit in the middle; a zoomed page that is larger than the
    // window scrolls, and is centred along the side where it fits.
    int x = total + 2 * kGap <= area.Width() ? area.left + (area.Width() - total) / 2 : area.left + kGap - m_nScrollX;
    int y =
        size.cy + 2 * kGap <= area.Height() ? area.top + (area.Height() - size.cy) / 2 : area.top + kGap - m_nScrollY;
    for (UINT i = 0; i < count; ++i) {
        rects[i] = CRect(x, y, x + size.cx, y + size.cy);
        x += size.cx + kGap;
    }
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    int saved = pDC->SaveDC();
    CRect area = client;
    pDC->FillSolidRect(area, GetSysColor(COLOR_APPWORKSPACE));
    if (m_pInfo) {
        UINT count = m_nZoom == 0 ? m_nPagesShown : 1;
        if (count == 2 && !PageExists(m_nCurrentPage + 1))
            count = 1;
        CRect rects[2];
        PageRects(rects, count);
        for (UINT i = 0; i < count; ++i) {
            CRect shadow = rects[i];
            shadow.OffsetRect(kShadow, kShadow);
            pDC->FillSolidRect(shadow, RGB(0, 0, 0));
            CRect border(rects[i].left - 1, rects[i].top - 1, rects[i].right + 1, rects[i].bottom + 1);
            pDC->FillSolidRect(border, RGB(0, 0, 0));
            pDC->FillSolidRect(rects[i], RGB(255, 255, 255));
            if (HENHMETAFILE page = GetPage(m_nCurrentPage + i)) {
                int inner = pDC->SaveDC();
                IntersectClipRect(pDC->m_hDC, rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
                PlayEnhMetaFile(pDC->m_hDC, page, &rects[i]);
                pDC->RestoreDC(inner);
            }
        }
    }
    pDC->RestoreDC(saved);
}

void CPreviewView::LayOut()
{
    if (!m_hWnd)
        return;
    if (m_nZoom == 0) {
        m_nScrollX = m_nScrollY = 0;
        ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
    } else {
        CRect client;
        GetClientRect(&client);
        CSize size = ZoomedPageSize();
        const int bars[2] = {SB_HORZ, SB_VERT};
        const int contents[2] = {size.cx + 2 * kGap, size.cy + 2 * kGap};
        const int views[2] = {client.Width(), client.Height()};
        int* positions[2] = {&m_nScrollX, &m_nScrollY};
        for (int i = 0; i < 2; ++i) {
            int maxPos = contents[i] - views[i];
            if (maxPos < 0)
                maxPos = 0;
            if (*positions[i] > maxPos)
                *positions[i] = maxPos;
            if (*positions[i] < 0)
                *positions[i] = 0;
            // The bars stay while zoomed, greyed when the page fits, so that
            // the client area does not change under the layout.
            SCROLLINFO info = {};
            info.cbSize = sizeof(info);
            info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
            info.nMin = 0;
            info.nMax = contents[i] - 1;
            info.nPage = static_cast<UINT>(views[i] > 0 ? views[i] : 0);
            info.nPos = *positions[i];
            ::SetScrollInfo(m_hWnd, bars[i], &info, TRUE);
        }
    }
    Invalidate(FALSE);
}

void CPreviewView::Scroll(int bar, int code, int thumb)
{
    if (m_nZoom == 0)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, bar, &info);
    int pos = info.nPos;
    int maxPos = info.nMax - static_cast<int>(info.nPage) + 1;
    switch (code) {
    case SB_LINEUP:
        pos -= kLineStep;
        break;
    case SB_LINEDOWN:
        pos += kLineStep;
        break;
    case SB_PAGEUP:
        pos -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        pos += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = thumb;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = maxPos;
        break;
    default:
        return;
    }
    if (pos > maxPos)
        pos = maxPos;
    if (pos < 0)
        pos = 0;
    (bar == SB_HORZ ? m_nScrollX : m_nScrollY) = pos;
    ::SetScrollPos(m_hWnd, bar, pos, TRUE);
    Invalidate(FALSE);
}

LRESULT CPreviewView::OnHScroll(WPARAM wParam, LPARAM)
{
    Scroll(SB_HORZ, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    return 0;
}

LRESULT CPreviewView::OnVScroll(WPARAM wParam, LPARAM)
{
    Scroll(SB_VERT, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    return 0;
}

LRESULT CPreviewView::OnMouseWheel(WPARAM wParam, LPARAM)
{
    short delta = static_cast<short>(HIWORD(wParam));
    if (m_nZoom > 0)
        Scroll(SB_VERT, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    else if (delta > 0)
        OnPrevPage();
    else
        OnNextPage();
    return 0;
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg)
{
    bool mine = pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd) ||
                (m_pBar && m_pBar->m_hWnd && IsChild(m_pBar->m_hWnd, pMsg->hwnd));
    if (pMsg->message != WM_KEYDOWN || !mine)
        return FALSE;
    switch (pMsg->wParam) {
    case VK_ESCAPE:
        OnPreviewClose();
        return TRUE;
    case VK_NEXT:
        if (m_nZoom > 0)
            Scroll(SB_VERT, SB_PAGEDOWN, 0);
        else
            OnNextPage();
        return TRUE;
    case VK_PRIOR:
        if (m_nZoom > 0)
            Scroll(SB_VERT, SB_PAGEUP, 0);
        else
            OnPrevPage();
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        Scroll(SB_VERT, pMsg->wParam == VK_UP ? SB_LINEUP : SB_LINEDOWN, 0);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
        Scroll(SB_HORZ, pMsg->wParam == VK_LEFT ? SB_LINEUP : SB_LINEDOWN, 0);
        return TRUE;
    }
    return FALSE;
}

void CPreviewView::UpdateControls()
{
    if (!m_hWnd || !m_pInfo || !m_pBar || !m_pBar->m_hWnd)
        return;
    HWND hBar = m_pBar->m_hWnd;
    UINT first = m_pInfo->GetMinPage() > 0 ? m_pInfo->GetMinPage() : 1;
    BOOL two = m_nZoom == 0 && m_nPagesShown == 2;
    BOOL secondShown = two && PageExists(m_nCurrentPage + 1);
    ::EnableWindow(::GetDlgItem(hBar, AFX_ID_PREVIEW_PREV), m_nCurrentPage > first);
    ::EnableWindow(::GetDlgItem(hBar, AFX_ID_PREVIEW_NEXT), PageExists(m_nCurrentPage + (secondShown ? 2 : 1)));
    HWND hNumPage = ::GetDlgItem(hBar, AFX_ID_PREVIEW_NUMPAGE);
    ::SetWindowTextA(hNumPage, m_nPagesShown == 2 ? kOnePage : kTwoPage);
    ::EnableWindow(hNumPage, m_nZoom == 0 && PageExists(first + 1));
    ::EnableWindow(::GetDlgItem(hBar, AFX_ID_PREVIEW_ZOOMIN), m_nZoom < kMaxZoom);
    ::EnableWindow(::GetDlgItem(hBar, AFX_ID_PREVIEW_ZOOMOUT), m_nZoom > 0);

    // The page text comes from the print information's two formats, one
    // page's and two pages'.
    CString formats = m_pInfo->m_strPageDesc;
    int newline = formats.Find('\n');
    CString one = newline >= 0 ? formats.Left(newline) : formats;
    CString pair = newline >= 0 ? formats.Mid(newline + 1) : formats;
    int end = pair.Find('\n');
    if (end >= 0)
        pair = pair.Left(end);
    char text[64];
    if (secondShown)
        std::snprintf(text, sizeof(text), pair, m_nCurrentPage, m_nCurrentPage + 1);
    else
        std::snprintf(text, sizeof(text), one, m_nCurrentPage);
    ::SetWindowTextA(::GetDlgItem(hBar, AFX_IDC_PREVIEW_PAGES), text);

    // A button that was just pressed, or just disabled, gives the keyboard
    // back to the preview.
    HWND hFocus = ::GetFocus();
    if (hFocus && hFocus != m_hWnd && (IsChild(m_hWnd, hFocus) || IsChild(hBar, hFocus)))
        ::SetFocus(m_hWnd);
}

void CPreviewView::OnPreviewPrint()
{
    CFrameWnd* pFrame = GetParentFrame();
    Close();
    // Printing starts from the view, once the preview has gone.
    if (pFrame)
        pFrame->PostMessage(WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnNextPage()
{
    UINT step = m_nZoom == 0 && m_nPagesShown == 2 && PageExists(m_nCurrentPage + 1) ? 2 : 1;
    if (!PageExists(m_nCurrentPage + step))
        return;
    ++m_nCurrentPage;
    m_nScrollY = 0;
    LayOut();
    UpdateControls();
}

void CPreviewView::OnPrevPage()
{
    UINT first = m_pInfo && m_pInfo->GetMinPage() > 0 ? m_pInfo->GetMinPage() : 1;
    if (m_nCurrentPage <= first)
        return;
    --m_nCurrentPage;
    m_nScrollY = 0;
    LayOut();
    UpdateControls();
}

void CPreviewView::OnNumPage()
{
    if (m_nZoom != 0 || !m_pInfo)
        return;
    m_nPagesShown = m_nPagesShown == 2 ? 1 : 2;
    // The last page shows beside the one before it.
    if (m_nPagesShown == 2 && !PageExists(m_nCurrentPage + 1) && m_nCurrentPage > m_pInfo->GetMinPage() &&
        m_nCurrentPage > 1)
        --m_nCurrentPage;
    m_pInfo->m_nNumPreviewPages = m_nPagesShown;
    if (CWinApp* pApp = AfxGetApp())
        pApp->m_nNumPreviewPages = m_nPagesShown;
    LayOut();
    UpdateControls();
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoom >= kMaxZoom)
        return;
    ++m_nZoom;
    LayOut();
    UpdateControls();
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoom <= 0)
        return;
    --m_nZoom;
    LayOut();
    UpdateControls();
}

void CPreviewView::OnPreviewClose()
{
    Close();
}

void CPreviewView::OnUpdateDisable(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}
