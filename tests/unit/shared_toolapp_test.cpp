// The tool application skeleton in its own process: start-up through File
// New, the output view that shows the document's text, and the route each
// menu command takes to its handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "outview.h"
#include "shared_toolapp_test.h"
#include "toolapp.h"
#include "window_test_support.h"

namespace {
int g_runs = 0;
BOOL g_newDocumentResult = TRUE;
CString g_cmdLineSeen;

// A tool whose run gives "run N" and which takes note of the command line.
class CTestToolDoc : public COutputDoc {
    DECLARE_DYNCREATE(CTestToolDoc)
public:
    CString m_text;

    virtual BOOL OnNewDocument()
    {
        if (!CDocument::OnNewDocument())
            return FALSE;
        g_cmdLineSeen = g_cmdLine;
        if (!g_newDocumentResult)
            return FALSE;
        m_text = ("run " + std::to_string(++g_runs) + "\r\nsecond line").c_str();
        return TRUE;
    }
    virtual const CString& GetOutputText() const { return m_text; }
};
IMPLEMENT_DYNCREATE(CTestToolDoc, COutputDoc)

CToolApp g_app(RUNTIME_CLASS(CTestToolDoc), RUNTIME_CLASS(COutputView),
               OutputCommands{ID_TEST_VIEW_FILE, ID_TEST_HELP_CONTENTS, ID_TEST_SAVE_OUTPUT, "test.out"});

std::string WindowText(HWND hWnd)
{
    char buffer[256] = "";
    GetWindowTextA(hWnd, buffer, sizeof(buffer));
    return buffer;
}

// One start of the program for the whole suite, as WinMain would do it.
class ToolSkeleton : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!WindowsAvailable())
            return;
        g_app.m_lpCmdLine = "-w c:\\src\\main.c  ";
        g_app.InitInstance();
    }
    static void TearDownTestSuite()
    {
        if (g_app.m_pMainWnd)
            g_app.m_pMainWnd->SendMessage(WM_CLOSE);
        DrainQueue();
    }
    void SetUp() override
    {
        if (!g_app.m_pMainWnd)
            GTEST_SKIP() << "no window system";
        g_newDocumentResult = TRUE;
    }

    static CFrameWnd* Frame() { return static_cast<CFrameWnd*>(g_app.m_pMainWnd); }
    static HWND View() { return ::GetDlgItem(Frame()->m_hWnd, AFX_IDW_PANE_FIRST); }
};

TEST_F(ToolSkeleton, StartKeepsTheWholeCommandLineAndShowsTheRunReadOnlyInTheFixedFont)
{
    EXPECT_STREQ(g_cmdLineSeen, "-w c:\\src\\main.c  ");
    HWND view = View();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(IsWindowVisible(Frame()->m_hWnd));
    EXPECT_EQ(WindowText(view).substr(0, 4), "run ");
    EXPECT_NE(GetWindowLongA(view, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(view, WM_GETFONT, 0, 0)),
              static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)));

    // Typing and pasting leave the results as they were.
    std::string before = WindowText(view);
    SendMessageA(view, EM_SETSEL, 0, -1);
    SendMessageA(view, WM_CHAR, 'x', 0);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
        memcpy(GlobalLock(text), "paste", 6);
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
    }
    SendMessageA(view, WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(view), before);
}

TEST_F(ToolSkeleton, FileNewShowsEachNewRunAndARefusedOneKeepsThePrevious)
{
    g_app.OnFileNew();
    std::string shown = "run " + std::to_string(g_runs) + "\r\nsecond line";
    EXPECT_EQ(WindowText(View()), shown);

    g_newDocumentResult = FALSE;
    g_app.OnFileNew();
    ASSERT_NE(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(WindowText(View()), shown);

    g_newDocumentResult = TRUE;
    g_app.OnFileNew();
    EXPECT_EQ(WindowText(View()), "run " + std::to_string(g_runs) + "\r\nsecond line");
    EXPECT_NE(WindowText(View()), shown);
}

// A menu item is enabled exactly when a handler on the frame's route (view,
// document, frame, application) takes its id: the program's own ids for
// View, Help Contents and Save As reach the shared handlers, and nothing
// else does.
TEST_F(ToolSkeleton, EachCommandIdReachesAHandlerOnlyWhereTheProgramPutIt)
{
    struct Case {
        UINT id;
        bool handled;
    } cases[] = {
        {ID_TEST_VIEW_FILE, true},
        {ID_TEST_HELP_CONTENTS, true},
        {ID_TEST_SAVE_OUTPUT, true},
        {ID_FILE_PRINT, true},
        {ID_FILE_PRINT_PREVIEW, true},
        {ID_FILE_PRINT_SETUP, true},
        {ID_FILE_NEW, true},
        {ID_FILE_OPEN, true},
        {ID_APP_ABOUT, true},
        {ID_APP_EXIT, true},
        // The id other programs give Save As, and an id no one binds.
        {ID_FILE_SAVE_AS, false},
        {ID_TEST_UNBOUND, false},
    };
    for (const Case& c : cases) {
        CCmdUI state;
        state.m_nID = c.id;
        state.DoUpdate(Frame(), TRUE);
        EXPECT_EQ(state.m_bEnabled != FALSE, c.handled) << "command " << c.id;
    }
}

// Save As belongs to the document and View and Help Contents to the view:
// the document alone does not take the view's commands.
TEST_F(ToolSkeleton, TheDocumentTakesSaveAsAndLeavesTheViewItsCommands)
{
    CView* view = Frame()->GetActiveView();
    ASSERT_NE(view, nullptr);
    CDocument* document = view->GetDocument();
    ASSERT_NE(document, nullptr);
    struct Case {
        UINT id;
        CCmdTarget* handler;
    } cases[] = {
        {ID_TEST_SAVE_OUTPUT, document},
        {ID_TEST_VIEW_FILE, view},
        {ID_TEST_HELP_CONTENTS, view},
    };
    for (const Case& c : cases) {
        AFX_CMDHANDLERINFO info = {nullptr};
        EXPECT_TRUE(view->OnCmdMsg(c.id, CN_COMMAND, nullptr, &info)) << c.id;
        EXPECT_EQ(info.pTarget, c.handler) << c.id;
    }
    AFX_CMDHANDLERINFO info = {nullptr};
    EXPECT_FALSE(document->OnCmdMsg(ID_TEST_VIEW_FILE, CN_COMMAND, nullptr, &info));
}
}   // namespace
