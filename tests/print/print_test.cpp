// Tests of the framework's printing: the job loop and its order of calls,
// the edit view's layout of its text on pages, page ranges, views that do
// not know their page count, the Cancel button of the printing dialog, and
// print preview against the same pages. Pages are recorded as enhanced
// metafiles made for the screen (the reference device), and their text
// records are read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "afxwin.h"
#include "print_support.h"
#include "window_test_support.h"

using print_support::EmfText;
using print_support::JoinRows;
using print_support::ReadEmfText;
using print_support::Row;

namespace {

const UINT IDR_PRINT_TEST = 300;
const char kDocTitle[] = "Report 7";

HDC ScreenDC()
{
    return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
}

std::string g_log;

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Print Test") {}
    void ResetTemplates()
    {
        for (CDocTemplate* pTemplate : m_templateList)
            delete pTemplate;
        m_templateList.clear();
    }
};
TestApp g_app;

class PrintDoc : public CDocument {
    DECLARE_DYNCREATE(PrintDoc)
public:
    virtual BOOL OnNewDocument()
    {
        if (!CDocument::OnNewDocument())
            return FALSE;
        SetTitle(kDocTitle);
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(PrintDoc, CDocument)

// An edit view that logs the printing calls. Preview has no printer here:
// the view hands it the screen as the device, as a caller may.
class PrintView : public CEditView {
    DECLARE_DYNCREATE(PrintView)
public:
    std::function<void(CPrintInfo*)> m_onPrint;

    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo)
    {
        g_log += "prepare ";
        if (pInfo->m_bPreview)
            pInfo->m_pPD->m_pd.hDC = ScreenDC();
        return DoPreparePrinting(pInfo);
    }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
    {
        g_log += "begin ";
        CEditView::OnBeginPrinting(pDC, pInfo);
    }
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
    {
        CEditView::OnPrepareDC(pDC, pInfo);
        if (pInfo)
            g_log += "dc" + std::to_string(pInfo->m_nCurPage) + (pInfo->m_bContinuePrinting ? " " : "-none ");
    }
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo)
    {
        g_log += "print" + std::to_string(pInfo->m_nCurPage) + " ";
        if (m_onPrint)
            m_onPrint(pInfo);
        CEditView::OnPrint(pDC, pInfo);
    }
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
    {
        g_log += "end ";
        CEditView::OnEndPrinting(pDC, pInfo);
    }
};
IMPLEMENT_DYNCREATE(PrintView, CEditView)

// A recorder that logs what the job asks of it, and refuses pages beyond a
// limit so that a job that would never end fails instead.
class LoggingRecorder : public CPageRecorder {
public:
    explicit LoggingRecorder(HDC hRef, int limit = 200) : CPageRecorder(hRef), m_limit(limit) {}
    virtual BOOL StartDoc(const char* name)
    {
        g_log += "startdoc ";
        return CPageRecorder::StartDoc(name);
    }
    virtual HDC PreparePage() { return GetPageCount() >= m_limit ? nullptr : CPageRecorder::PreparePage(); }
    virtual BOOL StartPage()
    {
        g_log += "startpage ";
        return CPageRecorder::StartPage();
    }
    virtual BOOL EndPage()
    {
        g_log += "endpage ";
        return CPageRecorder::EndPage();
    }
    virtual void DiscardPage()
    {
        g_log += "discard ";
        CPageRecorder::DiscardPage();
    }
    virtual BOOL EndDoc()
    {
        g_log += "enddoc ";
        return CPageRecorder::EndDoc();
    }
    virtual void AbortDoc()
    {
        g_log += "abortdoc ";
        CPageRecorder::AbortDoc();
    }

    std::vector<Row> Rows(int page) const { return JoinRows(ReadEmfText(GetPage(page))); }

private:
    int m_limit;
};

std::string Numbered(int i)
{
    // Lines of different lengths, so that a line printed in the wrong place
    // does not look like the right one.
    char text[64];
    std::snprintf(text, sizeof(text), "line %04d %.*s", i, i % 23, "abcdefghijklmnopqrstuvwxyz");
    return text;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// The frame, document and edit view of a File New, with the printer font
// of the output views; the screen stands in for the printer.
struct PrintFixture : ::testing::Test {
    CFrameWnd* frame = nullptr;
    PrintView* view = nullptr;
    HDC reference = nullptr;
    int rowHeight = 1;
    int rowsPerPage = 1;
    CRect page;

    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        g_log.clear();
        g_app.ResetTemplates();
        g_app.m_pMainWnd = nullptr;
        g_app.m_nNumPreviewPages = 0;
        g_app.AddDocTemplate(new CSingleDocTemplate(
            IDR_PRINT_TEST, RUNTIME_CLASS(PrintDoc), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(PrintView)));
        g_app.OnFileNew();
        frame = dynamic_cast<CFrameWnd*>(g_app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<PrintView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        view->SetPrinterFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEVICE_DEFAULT_FONT))));
        reference = ScreenDC();
        ASSERT_NE(reference, nullptr);
        page = AfxGetPageRect(reference);
        HGDIOBJ old = SelectObject(reference, GetStockObject(DEVICE_DEFAULT_FONT));
        TEXTMETRICA tm;
        GetTextMetricsA(reference, &tm);
        SelectObject(reference, old);
        rowHeight = tm.tmHeight + tm.tmExternalLeading;
        rowsPerPage = page.Height() / rowHeight;
        ASSERT_GT(rowsPerPage, 2);
    }
    void TearDown() override
    {
        if (g_app.m_pMainWnd)
            g_app.m_pMainWnd->SendMessage(WM_CLOSE);
        DrainQueue();
        g_app.ResetTemplates();
        if (reference)
            DeleteDC(reference);
    }

    std::vector<std::string> Lines(int count) const
    {
        std::vector<std::string> lines;
        for (int i = 1; i <= count; ++i)
            lines.push_back(Numbered(i));
        return lines;
    }

    // Rows of every page, joined; checks each page's rows stand one row
    // height apart from the top and stay on the page.
    std::vector<std::string> AllRows(const LoggingRecorder& recorder) const
    {
        std::vector<std::string> rows;
        for (int p = 0; p < recorder.GetPageCount(); ++p) {
            std::vector<Row> pageRows = recorder.Rows(p);
            for (const Row& row : pageRows) {
                EXPECT_EQ(row.y % rowHeight, 0) << "page " << p + 1 << ": " << row.text;
                EXPECT_LE(row.y + rowHeight, page.Height()) << "page " << p + 1 << ": " << row.text;
                rows.push_back(row.text);
            }
        }
        return rows;
    }
};

// ------------------------------------------------------------ the job loop

TEST_F(PrintFixture, EveryLineIsPrintedOnceInOrderInThePrinterFont)
{
    std::vector<std::string> lines = Lines(2 * rowsPerPage + 5);
    view->SetWindowText(Join(lines).c_str());
    CPrintInfo info;
    LoggingRecorder recorder(reference);
    EXPECT_TRUE(view->RunPrintJob(&info, &recorder));

    ASSERT_EQ(recorder.GetPageCount(), 3);
    EXPECT_EQ(info.GetMaxPage(), 3u);
    EXPECT_STREQ(recorder.GetDocName(), kDocTitle);
    EXPECT_TRUE(recorder.IsEnded());
    EXPECT_EQ(AllRows(recorder), lines);
    EXPECT_EQ(recorder.Rows(0).size(), static_cast<size_t>(rowsPerPage));
    EXPECT_EQ(recorder.Rows(2).size(), 5u);
    for (int p = 0; p < recorder.GetPageCount(); ++p) {
        for (const EmfText& text : ReadEmfText(recorder.GetPage(p))) {
            EXPECT_TRUE(text.font.stock && text.font.stockIndex == DEVICE_DEFAULT_FONT)
                << "page " << p + 1 << " '" << text.text << "' drawn in another font";
        }
    }
    // One StartPage and EndPage per page, each page prepared before it is
    // started and drawn; the view's end comes after the document's.
    EXPECT_EQ(g_log,
              "begin startdoc "
              "dc1 startpage print1 endpage "
              "dc2 startpage print2 endpage "
              "dc3 startpage print3 endpage "
              "enddoc end ");
}

TEST_F(PrintFixture, TextIsLaidOutInRowsOfThePage)
{
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> rows;
        std::vector<int> rowNumbers;   // y / row height of each row
    } cases[] = {
        {"empty text prints one empty page", "", {}, {}},
        {"the last line break starts no line", "a\r\nb\r\n", {"a", "b"}, {0, 1}},
        {"an empty line keeps its row", "a\r\n\r\nb", {"a", "b"}, {0, 2}},
        {"lone line feeds break lines too", "a\nb", {"a", "b"}, {0, 1}},
        {"leading blank rows count", "\r\n\r\nc", {"c"}, {2}},
    };
    for (const auto& c : cases) {
        g_log.clear();
        view->SetWindowText(c.text.c_str());
        CPrintInfo info;
        LoggingRecorder recorder(reference);
        EXPECT_TRUE(view->RunPrintJob(&info, &recorder)) << c.name;
        ASSERT_EQ(recorder.GetPageCount(), 1) << c.name;
        std::vector<Row> rows = recorder.Rows(0);
        std::vector<std::string> texts;
        std::vector<int> numbers;
        for (const Row& row : rows) {
            texts.push_back(row.text);
            numbers.push_back(row.y / rowHeight);
        }
        EXPECT_EQ(texts, c.rows) << c.name;
        EXPECT_EQ(numbers, c.rowNumbers) << c.name;
    }
}

TEST_F(PrintFixture, LinesWiderThanThePageWrapAtBlanksElseAnywhere)
{
    std::string words;
    for (int i = 0; i < 120; ++i)
        words += "word" + std::to_string(i) + (i % 7 ? " " : "  ");
    const std::string unbroken(900, 'x');
    HGDIOBJ old = SelectObject(reference, GetStockObject(DEVICE_DEFAULT_FONT));
    auto width = [&](const std::string& text) {
        SIZE size = {};
        GetTextExtentPoint32A(reference, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    for (const std::string& line : {words, unbroken}) {
        SCOPED_TRACE(line.substr(0, 20));
        view->SetWindowText(("before\r\n" + line + "\r\nafter").c_str());
        CPrintInfo info;
        LoggingRecorder recorder(reference);
        EXPECT_TRUE(view->RunPrintJob(&info, &recorder));
        std::vector<std::string> rows = AllRows(recorder);
        ASSERT_GE(rows.size(), 4u);
        EXPECT_EQ(rows.front(), "before");
        EXPECT_EQ(rows.back(), "after");
        std::vector<std::string> pieces(rows.begin() + 1, rows.end() - 1);
        std::string joined;
        for (const std::string& piece : pieces)
            joined += piece;
        EXPECT_EQ(joined, line);
        bool blanks = line.find(' ') != std::string::npos;
        for (size_t i = 0; i < pieces.size(); ++i) {
            std::string shown = pieces[i];
            while (!shown.empty() && shown.back() == ' ')
                shown.pop_back();
            EXPECT_LE(width(shown), page.Width()) << pieces[i];
            if (i + 1 == pieces.size())
                continue;
            // Each row takes as much as fits: the next word (or character)
            // would not have.
            std::string next = pieces[i + 1];
            std::string more = blanks ? next.substr(0, next.find(' ')) : next.substr(0, 1);
            EXPECT_GT(width(pieces[i] + more), page.Width()) << pieces[i];
            if (blanks) {
                EXPECT_EQ(pieces[i].back(), ' ') << "a word was cut: " << pieces[i];
                EXPECT_NE(next.front(), ' ') << next;
            }
        }
    }
    SelectObject(reference, old);
}

// A printer font taller than the page would leave every page empty and the
// job without end; each page takes one row instead.
TEST_F(PrintFixture, AFontTallerThanThePagePrintsOneRowPerPage)
{
    LOGFONTA lf = {};
    lf.lfHeight = -(page.Height() + 200);
    lstrcpyA(lf.lfFaceName, "Courier New");
    CFont tall;
    ASSERT_TRUE(tall.CreateFontIndirect(&lf));
    view->SetPrinterFont(&tall);
    // Lines of one character, which fits across the page even this tall.
    std::vector<std::string> lines = {"1", "2", "3"};
    view->SetWindowText(Join(lines).c_str());
    CPrintInfo info;
    LoggingRecorder recorder(reference, 20);
    EXPECT_TRUE(view->RunPrintJob(&info, &recorder));
    ASSERT_EQ(recorder.GetPageCount(), 3);
    for (int p = 0; p < 3; ++p) {
        std::vector<EmfText> texts = ReadEmfText(recorder.GetPage(p));
        ASSERT_EQ(texts.size(), 1u) << "page " << p + 1;
        EXPECT_EQ(texts[0].text, lines[static_cast<size_t>(p)]);
        EXPECT_EQ(texts[0].y, 0);
        EXPECT_FALSE(texts[0].font.stock);
        EXPECT_EQ(texts[0].font.height, lf.lfHeight);
    }
    view->SetPrinterFont(nullptr);
}

TEST_F(PrintFixture, APageRangePrintsThosePagesOnly)
{
    std::vector<std::string> lines = Lines(3 * rowsPerPage + 2);   // four pages
    view->SetWindowText(Join(lines).c_str());
    const struct {
        WORD from;
        WORD to;
        std::vector<int> pages;
    } cases[] = {
        {2, 3, {2, 3}},
        {3, 9, {3, 4}},   // the range ends with the document
        {4, 4, {4}},
    };
    for (const auto& c : cases) {
        CPrintInfo info;
        info.m_pPD->m_pd.Flags |= PD_PAGENUMS;
        info.m_pPD->m_pd.nFromPage = c.from;
        info.m_pPD->m_pd.nToPage = c.to;
        LoggingRecorder recorder(reference);
        EXPECT_TRUE(view->RunPrintJob(&info, &recorder));
        ASSERT_EQ(recorder.GetPageCount(), static_cast<int>(c.pages.size())) << c.from << "-" << c.to;
        for (size_t i = 0; i < c.pages.size(); ++i) {
            std::vector<Row> rows = recorder.Rows(static_cast<int>(i));
            ASSERT_FALSE(rows.empty());
            EXPECT_EQ(rows.front().text, lines[static_cast<size_t>((c.pages[i] - 1) * rowsPerPage)])
                << "page " << c.pages[i];
        }
    }
}

// Views that draw with OnDraw and know no page count: the base stops after
// page 1, a view that knows when it runs out says so itself.
class CountingView : public CView {
public:
    UINT m_nLastPage = 0;   // 0: leave it to the base
    virtual void OnDraw(CDC*) {}
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
    {
        CView::OnPrepareDC(pDC, pInfo);
        if (pInfo && m_nLastPage)
            pInfo->m_bContinuePrinting = pInfo->m_nCurPage <= m_nLastPage;
    }
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo)
    {
        std::string text = "page " + std::to_string(pInfo->m_nCurPage);
        pDC->TextOut(0, 0, text.c_str(), static_cast<int>(text.size()));
    }
};

TEST_F(PrintFixture, WithoutAPageCountTheViewSaysWhenItRunsOut)
{
    const struct {
        UINT lastPage;
        std::string log;
        std::vector<std::string> pages;
    } cases[] = {
        {0, "startdoc startpage endpage discard enddoc ", {"page 1"}},
        {3,
         "startdoc startpage endpage startpage endpage startpage endpage discard enddoc ",
         {"page 1", "page 2", "page 3"}},
    };
    for (const auto& c : cases) {
        g_log.clear();
        CountingView counting;
        counting.m_nLastPage = c.lastPage;
        CPrintInfo info;
        LoggingRecorder recorder(reference);
        EXPECT_TRUE(counting.RunPrintJob(&info, &recorder));
        EXPECT_EQ(g_log, c.log);
        std::vector<std::string> pages;
        for (int p = 0; p < recorder.GetPageCount(); ++p) {
            std::vector<Row> rows = recorder.Rows(p);
            pages.push_back(rows.empty() ? "" : rows.front().text);
        }
        EXPECT_EQ(pages, c.pages);
    }
}

// ------------------------------------------------------ the printing dialog

BOOL CALLBACK FindPrintingDialogProc(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd) && GetDlgItem(hWnd, AFX_IDC_PRINT_PAGENUM)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindPrintingDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindPrintingDialogProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ItemText(HWND hDlg, int id)
{
    char text[128] = "";
    GetDlgItemTextA(hDlg, id, text, sizeof(text));
    return text;
}

TEST_F(PrintFixture, CancelInThePrintingDialogAbortsTheJob)
{
    view->SetWindowText(Join(Lines(3 * rowsPerPage)).c_str());
    std::string docShown;
    std::string pageShown;
    BOOL frameEnabled = TRUE;
    view->m_onPrint = [&](CPrintInfo* pInfo) {
        if (pInfo->m_nCurPage != 2)
            return;
        HWND hDlg = FindPrintingDialog();
        ASSERT_NE(hDlg, nullptr);
        docShown = ItemText(hDlg, AFX_IDC_PRINT_DOCNAME);
        pageShown = ItemText(hDlg, AFX_IDC_PRINT_PAGENUM);
        frameEnabled = IsWindowEnabled(frame->m_hWnd);
        PostMessageA(
            hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
    };
    CPrintInfo info;
    LoggingRecorder recorder(reference);
    EXPECT_FALSE(view->RunPrintJob(&info, &recorder));
    view->m_onPrint = nullptr;

    EXPECT_EQ(docShown, kDocTitle);
    EXPECT_EQ(pageShown, "Page 2");
    EXPECT_FALSE(frameEnabled) << "the program took input while printing";
    EXPECT_TRUE(IsWindowEnabled(frame->m_hWnd));
    EXPECT_EQ(FindPrintingDialog(), nullptr);
    EXPECT_TRUE(recorder.IsAborted());
    EXPECT_FALSE(recorder.IsEnded());
    EXPECT_EQ(g_log,
              "begin startdoc "
              "dc1 startpage print1 endpage "
              "dc2 startpage print2 endpage "
              "abortdoc end ");
}

// ------------------------------------------------------------ print preview

struct PreviewFixture : PrintFixture {
    CPreviewView* Preview() const { return dynamic_cast<CPreviewView*>(frame->GetActiveView()); }
    // The buttons and the page text live in the preview's bar.
    HWND Bar() const { return Preview()->GetBar()->m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(Bar(), id); }
    std::string PagesText() const
    {
        char text[64] = "";
        GetWindowTextA(Item(AFX_IDC_PREVIEW_PAGES), text, sizeof(text));
        return text;
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    void Press(int id) const
    {
        HWND hButton = Item(id);
        SendMessageA(Bar(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    }
};

TEST_F(PreviewFixture, PreviewShowsThePagesThatPrint)
{
    std::vector<std::string> lines = Lines(2 * rowsPerPage + 5);
    view->SetWindowText(Join(lines).c_str());
    CPrintInfo info;
    LoggingRecorder printed(reference);
    ASSERT_TRUE(view->RunPrintJob(&info, &printed));
    g_log.clear();

    view->OnFilePrintPreview();
    CPreviewView* preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(IsWindowVisible(view->m_hWnd));
    EXPECT_TRUE(IsWindowVisible(preview->m_hWnd));
    EXPECT_TRUE(preview->GetPrintInfo()->m_bPreview);
    EXPECT_EQ(PagesText(), "Page 1");
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_PREV));

    // Page through to the end: as many pages as printed, with their text.
    int pages = 1;
    while (Enabled(AFX_ID_PREVIEW_NEXT) && pages < 50) {
        Press(AFX_ID_PREVIEW_NEXT);
        ++pages;
        EXPECT_EQ(PagesText(), "Page " + std::to_string(pages));
    }
    EXPECT_EQ(pages, printed.GetPageCount());
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_PREV));
    for (int p = 1; p <= pages; ++p) {
        HENHMETAFILE shown = preview->GetPage(static_cast<UINT>(p));
        ASSERT_NE(shown, nullptr) << "page " << p;
        std::vector<std::string> shownRows;
        std::vector<std::string> printedRows;
        for (const Row& row : JoinRows(ReadEmfText(shown)))
            shownRows.push_back(row.text);
        for (const Row& row : printed.Rows(p - 1))
            printedRows.push_back(row.text);
        EXPECT_EQ(shownRows, printedRows) << "page " << p;
    }
    EXPECT_FALSE(preview->PageExists(static_cast<UINT>(pages + 1)));

    Press(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(PagesText(), "Page " + std::to_string(pages - 1));

    Press(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(IsWindowVisible(view->m_hWnd));
    EXPECT_EQ(GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW), nullptr);
    // The preview began and ended printing once, and asked for no dialog.
    EXPECT_EQ(g_log.find("prepare begin "), 0u) << g_log;
    EXPECT_EQ(g_log.substr(g_log.size() - 4), "end ") << g_log;
    EXPECT_EQ(g_log.find("end "), g_log.size() - 4) << g_log;
}

TEST_F(PreviewFixture, TwoPagesAndZoomAndTheChoiceIsKept)
{
    view->SetWindowText(Join(Lines(2 * rowsPerPage + 5)).c_str());
    view->OnFilePrintPreview();
    ASSERT_NE(Preview(), nullptr);
    char text[32] = "";
    GetWindowTextA(Item(AFX_ID_PREVIEW_NUMPAGE), text, sizeof(text));
    EXPECT_STREQ(text, "Two Page");

    Press(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(PagesText(), "Pages 1-2");
    GetWindowTextA(Item(AFX_ID_PREVIEW_NUMPAGE), text, sizeof(text));
    EXPECT_STREQ(text, "One Page");
    EXPECT_EQ(g_app.m_nNumPreviewPages, 2u);
    Press(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(PagesText(), "Pages 2-3");
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));

    // Zooming shows one page; zooming out brings the pair back.
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMOUT));
    Press(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(Preview()->GetZoom(), 1);
    EXPECT_EQ(PagesText(), "Page 2");
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
    Press(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMIN));
    Press(AFX_ID_PREVIEW_ZOOMOUT);
    Press(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(Preview()->GetZoom(), 0);
    EXPECT_EQ(PagesText(), "Pages 2-3");

    // The last page in two-page mode shows beside the one before it.
    Press(AFX_ID_PREVIEW_NUMPAGE);
    Press(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(PagesText(), "Page 3");
    Press(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(PagesText(), "Pages 2-3");
    Press(AFX_ID_PREVIEW_CLOSE);
    ASSERT_EQ(Preview(), nullptr);

    // The next preview opens with two pages.
    view->OnFilePrintPreview();
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(PagesText(), "Pages 1-2");
    Press(AFX_ID_PREVIEW_CLOSE);

    // A one-page document has no second page to show.
    view->SetWindowText("short");
    view->OnFilePrintPreview();
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(PagesText(), "Page 1");
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    Press(AFX_ID_PREVIEW_CLOSE);
}

TEST_F(PreviewFixture, ClosingTheFrameEndsThePreview)
{
    view->SetWindowText("some text");
    view->OnFilePrintPreview();
    ASSERT_NE(Preview(), nullptr);
    g_log.clear();
    HWND hFrame = frame->m_hWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(hFrame));
    EXPECT_EQ(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_log, "end ");
}

}   // namespace
