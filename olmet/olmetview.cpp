#include "olmetview.h"

#include <climits>
#include <cstdio>
#include <ctime>
#include <string>

#include "markdlg.h"
#include "olmet.h"
#include "olmetdlg.h"
#include "olmetdoc.h"
#include "regex.h"
#include "resource.h"
#include "toolapp.h"

using olmet::Offset;

namespace {

// The search lasts for the program's run: the last pattern with its
// options, and the direction Repeat goes.
olmet::SearchState g_search;
bool g_searchForward = true;

// The main window takes its place from the pager's settings once, for the
// first file shown; later files leave it where the user put it.
bool g_firstUpdate = true;

void PlaceMainWindowFromPagerSettings()
{
    const char* ini = "zodo.ini";
    int left = static_cast<int>(::GetPrivateProfileIntA("Position", "left", 0, ini));
    int top = static_cast<int>(::GetPrivateProfileIntA("Position", "top", 0, ini));
    int right = static_cast<int>(::GetPrivateProfileIntA("Position", "right", 0, ini));
    int bottom = static_cast<int>(::GetPrivateProfileIntA("Position", "bottom", 0, ini));
    if (left == 0 && top == 0 && right == 0 && bottom == 0)
        return;
    if (CWnd* main = AfxGetMainWnd())
        main->MoveWindow(left, top, right - left, bottom - top, FALSE);
}

}   // namespace

IMPLEMENT_DYNCREATE(COlmetView, CView)

BEGIN_MESSAGE_MAP(COlmetView, CView)
    ON_WM_VSCROLL()
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_COMMAND(ID_SEARCH_FORWARD, OnSearchForward)
    ON_COMMAND(ID_SEARCH_BACKWARD, OnSearchBackward)
    ON_COMMAND(ID_REPEAT_SEARCH, OnRepeatSearch)
    ON_COMMAND(ID_SET_MARK, OnSetMark)
    ON_COMMAND(ID_SKIP_TO_MARK, OnSkipToMark)
    ON_COMMAND(ID_SHOW_MARKS, OnShowMarks)
    ON_COMMAND(ID_GOTO_OFFSET, OnGoToOffset)
    ON_COMMAND(ID_PAGE_FORWARD, OnPageForward)
    ON_COMMAND(ID_PAGE_BACKWARD, OnPageBackward)
    ON_COMMAND(ID_HALF_PAGE_FORWARD, OnHalfPageForward)
    ON_COMMAND(ID_HALF_PAGE_BACKWARD, OnHalfPageBackward)
    ON_COMMAND(ID_LINE_FORWARD, OnLineForward)
    ON_COMMAND(ID_LINE_BACKWARD, OnLineBackward)
    ON_COMMAND(ID_START_OF_FILE, OnStartOfFile)
    ON_COMMAND(ID_END_OF_FILE, OnEndOfFile)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
END_MESSAGE_MAP()

COlmetView::COlmetView()
    : m_model{true, 0},
      m_topRow(0),
      m_lastRow(0),
      m_tm(),
      m_bandTop(0),
      m_bandBottom(INT_MAX),
      m_printStartRow(-1),
      m_printRow(-1),
      m_printRowsPerPage(1),
      m_printTm()
{
    m_displayFont.CreateFontIndirect(&g_displayFont);
    m_printerFont.CreateFontIndirect(&g_printerFont);
    for (Offset& mark : m_marks)
        mark = -1;
}

COlmetView::~COlmetView() {}

COlmetDoc* COlmetView::GetDocument() const
{
    return static_cast<COlmetDoc*>(m_pDocument);
}

const unsigned char* COlmetView::Data() const
{
    return GetDocument() ? GetDocument()->Data() : nullptr;
}

Offset COlmetView::Size() const
{
    return GetDocument() && GetDocument()->Data() ? GetDocument()->Size() : 0;
}

void COlmetView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (g_firstUpdate) {
        g_firstUpdate = false;
        PlaceMainWindowFromPagerSettings();
    }
    m_topRow = 0;
    m_lastRow = 0;
    ShowScrollBar(SB_VERT, TRUE);
    EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
    m_model = olmet::ChooseScrollModel(Size());
    SetScrollRange(SB_VERT, 0, m_model.rangeMax, FALSE);
    Invalidate(TRUE);
}

void COlmetView::OnDraw(CDC* pDC)
{
    const unsigned char* data = Data();
    const Offset size = Size();
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();

    CFont* oldFont = pDC->SelectObject(&m_displayFont);
    pDC->GetTextMetrics(&m_tm);
    pDC->SetBkMode(TRANSPARENT);
    const olmet::RowGeometry geometry = {m_tm.tmExternalLeading + m_tm.tmAveCharWidth, m_tm.tmHeight, width};

    Offset row = m_topRow;
    m_lastRow = m_topRow;
    char text[olmet::kRowBufferSize];
    for (int y = 0; y < height && data;) {
        if (!olmet::RowHoldsData(row, size))
            break;
        int length = olmet::FormatRow(data, size, row, text);
        int extent = pDC->GetTextExtent(text, length).cx;
        int pieces = geometry.Pieces(extent);
        if (pieces > 1) {
            // A row wider than the window goes on in further display rows,
            // whatever strip is being painted.
            int chars = geometry.CharsPerPiece();
            for (int piece = 0; piece < pieces; ++piece) {
                int start = piece * chars;
                if (start < length)
                    pDC->TextOut(0, y, text + start, length - start < chars ? length - start : chars);
                y += m_tm.tmHeight;
            }
        } else {
            if (y >= m_bandTop && y < m_bandBottom)
                pDC->TextOut(0, y, text, length);
            y += m_tm.tmHeight;
        }
        m_lastRow = row;
        ++row;
        if (m_tm.tmHeight <= 0)
            break;
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
    else
        pDC->SelectStockObject(SYSTEM_FONT);

    SetScrollPos(SB_VERT, olmet::ScrollPosForTop(m_model, size, m_topRow), TRUE);
}

olmet::RowGeometry COlmetView::Geometry(int* clientHeight)
{
    CRect client;
    GetClientRect(&client);
    *clientHeight = client.Height();
    CClientDC dc(this);
    CFont* oldFont = dc.SelectObject(&m_displayFont);
    TEXTMETRICA tm;
    dc.GetTextMetrics(&tm);
    if (oldFont)
        dc.SelectObject(oldFont);
    olmet::RowGeometry geometry = {tm.tmExternalLeading + tm.tmAveCharWidth, tm.tmHeight, client.Width()};
    return geometry;
}

void COlmetView::ScrollRows(bool forward, int pixels)
{
    const unsigned char* data = Data();
    if (!data)
        return;
    int height = 0;
    olmet::RowGeometry geometry = Geometry(&height);
    olmet::ScrollStep step = olmet::ScrollByPixels(data, Size(), m_topRow, forward, pixels, geometry);
    if (step.top == m_topRow)
        return;
    m_topRow = step.top;
    ScrollWindow(0, forward ? -step.moved : step.moved);
    olmet::PaintBand band = olmet::ExposedBand(forward, step.moved, height, geometry.rowHeight);
    m_bandTop = band.top;
    m_bandBottom = band.bottom;
    UpdateWindow();
    m_bandTop = 0;
    m_bandBottom = INT_MAX;
}

void COlmetView::Jump(Offset top)
{
    m_topRow = top;
    Invalidate(TRUE);
}

void COlmetView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar) {
        CView::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    switch (nSBCode) {
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
    case SB_THUMBPOSITION:
        Jump(olmet::TopForThumb(m_model, Size(), static_cast<int>(nPos)));
        break;
    case SB_THUMBTRACK:
        SetScrollPos(SB_VERT, static_cast<int>(nPos), FALSE);
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
}

void COlmetView::OnPageForward()
{
    Jump(m_lastRow);
}

void COlmetView::OnPageBackward()
{
    int height = 0;
    olmet::RowGeometry geometry = Geometry(&height);
    ScrollRows(false, height - geometry.rowHeight);
}

void COlmetView::OnHalfPageForward()
{
    int height = 0;
    Geometry(&height);
    ScrollRows(true, height / 2);
}

void COlmetView::OnHalfPageBackward()
{
    int height = 0;
    Geometry(&height);
    ScrollRows(false, height / 2);
}

void COlmetView::OnLineForward()
{
    if (!olmet::RowHoldsData(m_topRow + 1, Size()))
        return;
    int height = 0;
    ScrollRows(true, Geometry(&height).rowHeight);
}

void COlmetView::OnLineBackward()
{
    if (m_topRow == 0)
        return;
    int height = 0;
    ScrollRows(false, Geometry(&height).rowHeight);
}

void COlmetView::OnStartOfFile()
{
    Jump(0);
}

void COlmetView::OnEndOfFile()
{
    Offset rows = olmet::RowCount(Size());
    Jump(rows > 0 ? rows - 1 : 0);
}

void COlmetView::Search(bool forward, bool repeat)
{
    const unsigned char* data = Data();
    const Offset size = Size();
    Offset start = olmet::SearchStartRow(m_topRow, size, forward);
    if (start < 0 || !data) {
        AfxMessageBox(forward ? "At end-of-file" : "At start-of-file");
        return;
    }
    if (!repeat || g_search.pattern.empty()) {
        CSearchDlg dlg(this);
        dlg.m_pattern = g_search.pattern.c_str();
        dlg.m_anchorStart = g_search.anchorStart;
        dlg.m_anchorEnd = g_search.anchorEnd;
        dlg.m_ignoreCase = g_search.ignoreCase;
        if (dlg.DoModal() != IDOK)
            return;
        g_search.pattern = static_cast<const char*>(dlg.m_pattern);
        g_search.anchorStart = dlg.m_anchorStart != 0;
        g_search.anchorEnd = dlg.m_anchorEnd != 0;
        g_search.ignoreCase = dlg.m_ignoreCase != 0;
    }
    char code[REGEX_CODE_SIZE];
    if (!olmet::CompileSearch(g_search, code, sizeof code)) {
        AfxMessageBox("Invalid search pattern\n\nConsult help");
        return;
    }
    Offset found;
    {
        CWaitCursor wait;
        found = olmet::FindRow(data, size, start, forward, code, g_search.ignoreCase);
    }
    if (found < 0) {
        AfxMessageBox("Search string not found");
        return;
    }
    Jump(found);
}

void COlmetView::OnSearchForward()
{
    g_searchForward = true;
    Search(true, false);
}

void COlmetView::OnSearchBackward()
{
    g_searchForward = false;
    Search(false, false);
}

void COlmetView::OnRepeatSearch()
{
    Search(g_searchForward, true);
}

int COlmetView::AskMark(const char* caption)
{
    CMarkDlg dlg(caption, this);
    if (dlg.DoModal() != IDOK)
        return -1;
    int index = olmet::MarkIndex(dlg.m_letter);
    if (index < 0)
        AfxMessageBox("Marks must be in the range a-z");
    return index;
}

void COlmetView::OnSetMark()
{
    int index = AskMark("Set Mark");
    if (index >= 0)
        m_marks[index] = m_topRow;
}

void COlmetView::OnSkipToMark()
{
    int index = AskMark("Skip to Mark");
    if (index >= 0 && m_marks[index] >= 0)
        Jump(m_marks[index]);
}

void COlmetView::OnShowMarks()
{
    CShowMarksDlg dlg(this);
    dlg.m_list = olmet::MarksText(m_marks).c_str();
    if (dlg.DoModal() == IDC_CLEAR_ALL) {
        for (Offset& mark : m_marks)
            mark = -1;
    }
}

void COlmetView::OnGoToOffset()
{
    COffsetDlg dlg(this);
    dlg.m_offset = m_topRow * olmet::kRowBytes;
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.m_offset < Size())
        Jump(dlg.m_offset / olmet::kRowBytes);
    else
        AfxMessageBox("Offset greater than file size limit");
}

void COlmetView::OnHelpContents()
{
    ShowHelpContents(this);
}

BOOL COlmetView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void COlmetView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pInfo)
        return;   // painting the window
    pDC->SelectObject(&m_printerFont);
    pDC->SetMapMode(MM_TEXT);
    pDC->GetTextMetrics(&m_printTm);
    CRect page(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(page);
    pInfo->m_rectDraw = page;
    m_printRowsPerPage = olmet::RowsPerPage(page.Height(), m_printTm.tmHeight);
    Offset first = olmet::FirstRowOfPage(static_cast<int>(pInfo->m_nCurPage), m_printRowsPerPage, Size());
    m_printStartRow = first;
    m_printRow = first;
    pInfo->m_bContinuePrinting = first >= 0;
}

void COlmetView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_printRow < 0 || !Data())
        return;
    const int width = pInfo->m_rectDraw.Width();

    std::string header =
        PrintHeader(std::time(nullptr), GetDocument()->Path().c_str(), static_cast<int>(pInfo->m_nCurPage));
    pDC->TextOut(0, 0, header.c_str(), static_cast<int>(header.size()));

    // As many rows as the page holds (at least one, however tall the
    // font), each cut before the character that would pass the right edge.
    auto widthOf = [pDC](char c) { return static_cast<int>(pDC->GetTextExtent(&c, 1).cx); };
    int y = 2 * m_printTm.tmHeight;
    for (int i = 0; i < m_printRowsPerPage && olmet::RowHoldsData(m_printRow, Size()); ++i) {
        std::string text = olmet::FormatRow(Data(), Size(), m_printRow);
        pDC->TextOut(0, y, text.c_str(), FittingChars(text, 0, width, widthOf));
        y += m_printTm.tmHeight;
        ++m_printRow;
    }
}
