#include "zodoview.h"

#include <climits>
#include <cstring>
#include <ctime>

#include "gotodlg.h"
#include "layout.h"
#include "render.h"
#include "resource.h"
#include "settings.h"

IMPLEMENT_DYNCREATE(CZodoView, CView)

BEGIN_MESSAGE_MAP(CZodoView, CView)
    ON_WM_CREATE()
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_COMMAND(ID_PAGE_FORWARD, OnPageForward)
    ON_COMMAND(ID_PAGE_BACKWARD, OnPageBackward)
    ON_COMMAND(ID_HALF_PAGE_FORWARD, OnHalfPageForward)
    ON_COMMAND(ID_HALF_PAGE_BACKWARD, OnHalfPageBackward)
    ON_COMMAND(ID_LINE_FORWARD, OnLineForward)
    ON_COMMAND(ID_LINE_BACKWARD, OnLineBackward)
    ON_COMMAND(ID_START_OF_FILE, OnStartOfFile)
    ON_COMMAND(ID_END_OF_FILE, OnEndOfFile)
    ON_COMMAND(ID_GOTO_LINE, OnGoTo)
    ON_COMMAND(ID_TOGGLE_LINE_NUMBERS, OnToggleLineNumbers)
    ON_COMMAND(ID_TOGGLE_HEX, OnToggleHexadecimal)
    ON_UPDATE_COMMAND_UI(ID_TOGGLE_LINE_NUMBERS, OnUpdateToggleLineNumbers)
    ON_UPDATE_COMMAND_UI(ID_TOGGLE_HEX, OnUpdateToggleHexadecimal)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)

    // Search and help
    ON_COMMAND(ID_SEARCH_FORWARD, OnSearchForward)
    ON_COMMAND(ID_SEARCH_BACKWARD, OnSearchBackward)
    ON_COMMAND(ID_REPEAT_SEARCH, OnRepeatSearch)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)

    // Marks, row selection and copy
    ON_COMMAND(ID_SET_MARK, OnSetMark)
    ON_COMMAND(ID_SKIP_TO_MARK, OnSkipToMark)
    ON_COMMAND(ID_SHOW_MARKS, OnShowMarks)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)

    // Display settings and the editor
    ON_COMMAND(ID_SET_FONT, OnSetFont)
    ON_COMMAND(ID_SET_PRINTER_FONT, OnSetPrinterFont)
    ON_COMMAND(ID_SET_TAB_STOPS, OnSetTabs)
    ON_COMMAND(ID_SET_MARGIN, OnSetPrinterMargin)
    ON_COMMAND(ID_SAVE_OPTIONS, OnSaveOptions)
    ON_COMMAND(ID_INVOKE_EDITOR, OnInvokeEditor)
    ON_COMMAND(ID_SET_EDITOR, OnSetEditor)

END_MESSAGE_MAP()

CZodoView::CZodoView()
    : m_bLineNumbers(0),
      m_bHexadecimal(0),
      m_bLineScrollModel(0),
      m_pTopLine(nullptr),
      m_pLastDrawnLine(nullptr),
      m_nPaintBandTop(0),
      m_nPaintBandBottom(INT_MAX),
      m_pPrintPosition(nullptr)
{
    std::memset(&m_tm, 0, sizeof m_tm);
    std::memset(&m_printTm, 0, sizeof m_printTm);
    ::SetRectEmpty(&m_selectionBand);
    for (auto& mark : m_marks)
        mark = nullptr;
    m_displayFont.CreateFontIndirect(&g_displayFont);
    m_printerFont.CreateFontIndirect(&g_printerFont);
}

CZodoView::~CZodoView()
{
    m_displayFont.DeleteObject();
    m_printerFont.DeleteObject();
}

int CZodoView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A key or command may reach the view before its first paint; it needs
    // the row height then already.
    TakeDisplayMetrics();
    return 0;
}

void CZodoView::TakeDisplayMetrics()
{
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_displayFont);
    dc.GetTextMetrics(&m_tm);
    if (old)
        dc.SelectObject(old);
}

int CZodoView::ClientWidth() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Width();
}

int CZodoView::ClientHeight() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Height();
}

void CZodoView::RenderLine(const zodo::LineRecord* pLine)
{
    const CZodoDoc* doc = GetDocument();
    const char* bytes = doc->m_pText + pLine->offset;
    zodo::RenderOptions options;
    options.lineNumbers = m_bLineNumbers != 0;
    options.hexadecimal = m_bHexadecimal != 0;
    options.tabLength = g_tabLength;
    zodo::RenderLine(bytes, doc->GetLineLength(bytes), pLine->lineNumber, pLine->offset, options, m_lineText);
}

void CZodoView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CZodoDoc* doc = GetDocument();
    m_pTopLine = m_pLastDrawnLine = doc->m_pFirstLine;
    ShowScrollBar(SB_VERT, TRUE);
    EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
    long last = doc->m_pLastLine ? doc->m_pLastLine->lineNumber : 1;
    m_bLineScrollModel = zodo::UsesLineModel(last) ? 1 : 0;
    if (m_bLineScrollModel)
        SetScrollRange(SB_VERT, 1, static_cast<int>(last), FALSE);
    else
        SetScrollRange(SB_VERT, 0, 100, FALSE);
}

void CZodoView::OnDraw(CDC* pDC)
{
    m_pLastDrawnLine = m_pTopLine;
    if (!::IsRectEmpty(&m_selectionBand)) {
        // Any repaint while rows are selected drops the selection.
        ::SetRectEmpty(&m_selectionBand);
        Invalidate(TRUE);
        return;
    }
    CFont* oldFont = pDC->SelectObject(&m_displayFont);
    pDC->GetTextMetrics(&m_tm);
    if (g_textColor != 0)
        pDC->SetTextColor(g_textColor);
    pDC->SetBkMode(TRANSPARENT);

    const int width = ClientWidth();
    const int height = ClientHeight();
    const int row = RowHeight();
    const int charWidth = m_tm.tmExternalLeading + m_tm.tmAveCharWidth;
    int y = 0;
    for (zodo::LineRecord* line = m_pTopLine; line && y < height; line = line->next) {
        RenderLine(line);
        const int length = static_cast<int>(m_lineText.size());
        CSize extent = pDC->GetTextExtent(m_lineText.c_str(), length);
        if (extent.cx > width) {
            const int perRow = zodo::CharsPerRow(width, charWidth);
            const int rows = zodo::WrapRows(extent.cx, width);
            for (int r = 0; r < rows; ++r) {
                long start = static_cast<long>(r) * perRow;
                if (start < length) {
                    int count = length - start < perRow ? static_cast<int>(length - start) : perRow;
                    pDC->TextOut(0, y, m_lineText.c_str() + start, count);
                }
                y += row;
            }
        } else {
            if (y >= m_nPaintBandTop && y < m_nPaintBandBottom)
                pDC->TextOut(0, y, m_lineText.c_str(), length);
            y += row;
        }
        m_pLastDrawnLine = line;
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
    else
        pDC->SelectStockObject(SYSTEM_FONT);

    if (m_pTopLine) {
        long last = GetDocument()->m_pLastLine->lineNumber;
        SetScrollPos(SB_VERT, zodo::ScrollPosition(m_pTopLine->lineNumber, last, m_bLineScrollModel != 0), TRUE);
    }
}

void CZodoView::ScrollLines(BOOL bForward, int nPixels)
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (!::IsRectEmpty(&m_selectionBand)) {
        CClientDC dc(this);
        dc.InvertRect(&m_selectionBand);
        ::SetRectEmpty(&m_selectionBand);
    }
    if (!m_pTopLine)
        return;
    zodo::RowMetrics metrics;
    metrics.rowHeight = RowHeight();
    metrics.charWidth = m_tm.tmExternalLeading + m_tm.tmAveCharWidth;
    metrics.clientWidth = width;
    int scrolled = zodo::ScrollWalk(m_pTopLine, bForward != 0, nPixels, metrics, [this](const zodo::LineRecord* line) {
        RenderLine(line);
        return static_cast<int>(m_lineText.size());
    });
    if (scrolled <= 0)
        return;
    ScrollWindow(0, bForward ? -scrolled : scrolled);
    if (bForward) {
        m_nPaintBandTop = zodo::ForwardBandTop(height, scrolled, metrics.rowHeight);
        m_nPaintBandBottom = height;
    } else {
        m_nPaintBandTop = 0;
        m_nPaintBandBottom = scrolled;
    }
    UpdateWindow();
    m_nPaintBandTop = 0;
    m_nPaintBandBottom = INT_MAX;
}

void CZodoView::JumpTo(zodo::LineRecord* pLine)
{
    if (!pLine)
        return;
    m_pTopLine = pLine;
    ::SetRectEmpty(&m_selectionBand);
    Invalidate(TRUE);
}

void CZodoView::OnPageForward()
{
    JumpTo(m_pLastDrawnLine);
}

void CZodoView::OnPageBackward()
{
    ScrollLines(FALSE, ClientHeight() - RowHeight());
}

void CZodoView::OnHalfPageForward()
{
    ScrollLines(TRUE, ClientHeight() / 2);
}

void CZodoView::OnHalfPageBackward()
{
    ScrollLines(FALSE, ClientHeight() / 2);
}

void CZodoView::OnLineForward()
{
    if (m_pTopLine && m_pTopLine->next)
        ScrollLines(TRUE, RowHeight());
}

void CZodoView::OnLineBackward()
{
    if (m_pTopLine && m_pTopLine->previous)
        ScrollLines(FALSE, RowHeight());
}

void CZodoView::OnStartOfFile()
{
    JumpTo(GetDocument()->m_pFirstLine);
}

void CZodoView::OnEndOfFile()
{
    JumpTo(GetDocument()->m_pLastLine);
}

void CZodoView::OnGoTo()
{
    CGoToDlg dlg(this);
    dlg.m_line = m_pTopLine ? m_pTopLine->lineNumber : 1;
    if (dlg.DoModal() != IDOK)
        return;
    CZodoDoc* doc = GetDocument();
    if (!doc->m_pLastLine || dlg.m_line > doc->m_pLastLine->lineNumber) {
        AfxMessageBox("Specified line number out-of-range");
        return;
    }
    JumpTo(doc->Index().Line(dlg.m_line));
}

void CZodoView::OnToggleLineNumbers()
{
    m_bLineNumbers = !m_bLineNumbers;
    ::SetRectEmpty(&m_selectionBand);
    Invalidate(TRUE);
}

void CZodoView::OnToggleHexadecimal()
{
    m_bHexadecimal = !m_bHexadecimal;
    ::SetRectEmpty(&m_selectionBand);
    Invalidate(TRUE);
}

void CZodoView::OnUpdateToggleLineNumbers(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bLineNumbers);
}

void CZodoView::OnUpdateToggleHexadecimal(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bHexadecimal);
}

LRESULT CZodoView::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    if (lParam)
        return Default();   // a scroll-bar control's own message
    const int code = LOWORD(wParam);
    const int pos = static_cast<short>(HIWORD(wParam));
    switch (code) {
    case SB_LINEUP:
        OnLineBackward();
        break;
    case SB_LINEDOWN:
        OnLineForward();
        break;
    case SB_PAGEUP:
        OnPageBackward();
        break;
    case SB_PAGEDOWN:
        OnPageForward();
        break;
    case SB_THUMBPOSITION: {
        CZodoDoc* doc = GetDocument();
        long last = doc->m_pLastLine->lineNumber;
        JumpTo(doc->Index().Line(zodo::LineAtThumb(pos, last, m_bLineScrollModel != 0)));
        break;
    }
    case SB_THUMBTRACK:
        // The text follows only when the thumb is let go.
        SetScrollPos(SB_VERT, pos, FALSE);
        break;
    case SB_TOP:
        OnStartOfFile();
        break;
    case SB_BOTTOM:
        OnEndOfFile();
        break;
    default:
        break;
    }
    return 0;
}

BOOL CZodoView::OnPreparePrinting(CPrintInfo* pInfo)
{
    BOOL ok = DoPreparePrinting(pInfo);
    if (!ok && g_printMode)
        ::PostQuitMessage(0);
    return ok;
}

void CZodoView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CZodoView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pInfo)
        return;   // painting the window
    pDC->SelectObject(&m_printerFont);
    pDC->SetMapMode(MM_TEXT);
    pDC->GetTextMetrics(&m_printTm);
    CRect page(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&page);
    pInfo->m_rectDraw = page;
    const int perPage = RowsPerPage(page.Height(), m_printTm.tmHeight);
    const long long first = FirstRowOfPage(static_cast<int>(pInfo->m_nCurPage), perPage);
    const CZodoDoc* doc = GetDocument();
    if (doc->m_pLastLine && first < doc->m_pLastLine->lineNumber) {
        m_pPrintPosition = doc->Index().Line(static_cast<long>(first) + 1);
        pInfo->m_bContinuePrinting = TRUE;
    } else {
        m_pPrintPosition = nullptr;
        pInfo->m_bContinuePrinting = FALSE;
    }
}

void CZodoView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pInfo->m_bContinuePrinting)
        return;
    const int pageWidth = pInfo->m_rectDraw.Width();
    const int pageHeight = pInfo->m_rectDraw.Height();
    const int row = m_printTm.tmHeight > 0 ? m_printTm.tmHeight : 1;
    const int x = g_printMargin * (m_printTm.tmExternalLeading + m_printTm.tmAveCharWidth);
    const int bottom = pageHeight - 2 * row;

    std::string header =
        zodo::PrintHeader(std::time(nullptr), GetDocument()->m_strPath, static_cast<int>(pInfo->m_nCurPage));
    pDC->TextOut(x, 0, header.c_str(), static_cast<int>(header.size()));

    auto widthOf = [pDC](char c) { return static_cast<int>(pDC->GetTextExtent(&c, 1).cx); };
    int printed = 0;
    for (int y = 2 * row; y < bottom || printed == 0; y += row) {
        if (!m_pPrintPosition)
            break;
        RenderLine(m_pPrintPosition);
        // A font too tall for even one line below the header still prints one
        // line a page, as the page count assumed.
        if (y + row > bottom && printed > 0)
            break;
        int count = zodo::FittingChars(m_lineText, x, pageWidth, widthOf);
        pDC->TextOut(x, y, m_lineText.c_str(), count);
        ++printed;
        m_pPrintPosition = m_pPrintPosition->next;
    }
}

void CZodoView::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (g_printMode)
        ::PostQuitMessage(0);
}
