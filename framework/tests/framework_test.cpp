// Tests of the framework's own rules: the command-line tail, the number
// rules and messages of data exchange, command routing and command state,
// message-map dispatch, and the File New cycle of the single-document
// template. Tests that need real windows skip themselves where none can
// be made.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "afxwin.h"
#include "framework_test.h"
#include "window_test_support.h"

std::string g_appLog;

namespace {

std::string g_log;

// ----------------------------------------------------------- command routing

const UINT ID_ALL = 40001;        // handled by view, document, frame and application
const UINT ID_DOC_UP = 40002;     // document, frame, application
const UINT ID_FRAME_UP = 40003;   // frame, application
const UINT ID_APP_ONLY = 40004;
const UINT ID_NOBODY = 40005;
const UINT ID_VETOED = 40006;   // application handles it, the document's update handler disables it

class RouteApp : public CWinApp {
public:
    RouteApp() : CWinApp("Route Test") {}
    void OnAll() { g_log += "app "; }
    void OnDocUp() { g_log += "app "; }
    void OnFrameUp() { g_log += "app "; }
    void OnAppOnly() { g_log += "app "; }
    void OnVetoed() { g_log += "app "; }
    void OnMdiCommand(UINT) { g_appLog += "app "; }
    void ResetTemplates()
    {
        for (CDocTemplate* pTemplate : m_templateList)
            delete pTemplate;
        m_templateList.clear();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RouteApp, CWinApp)
    ON_COMMAND(ID_ALL, OnAll)
    ON_COMMAND(ID_DOC_UP, OnDocUp)
    ON_COMMAND(ID_FRAME_UP, OnFrameUp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
    ON_COMMAND(ID_VETOED, OnVetoed)
    ON_COMMAND_RANGE(ID_MDI_ALL, ID_MDI_APP, OnMdiCommand)
END_MESSAGE_MAP()

RouteApp g_app;

class RouteFrame : public CFrameWnd {
public:
    void OnAll() { g_log += "frame "; }
    void OnDocUp() { g_log += "frame "; }
    void OnFrameUp() { g_log += "frame "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RouteFrame, CFrameWnd)
    ON_COMMAND(ID_ALL, OnAll)
    ON_COMMAND(ID_DOC_UP, OnDocUp)
    ON_COMMAND(ID_FRAME_UP, OnFrameUp)
END_MESSAGE_MAP()

class RouteDoc : public CDocument {
public:
    void OnAll() { g_log += "doc "; }
    void OnDocUp() { g_log += "doc "; }
    void OnUpdateVetoed(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RouteDoc, CDocument)
    ON_COMMAND(ID_ALL, OnAll)
    ON_COMMAND(ID_DOC_UP, OnDocUp)
    ON_UPDATE_COMMAND_UI(ID_VETOED, OnUpdateVetoed)
END_MESSAGE_MAP()

class RouteView : public CView {
public:
    void OnAll() { g_log += "view "; }
    virtual void OnDraw(CDC*) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RouteView, CView)
    ON_COMMAND(ID_ALL, OnAll)
END_MESSAGE_MAP()

struct Route : ::testing::Test {
    RouteFrame frame;
    RouteDoc doc;
    RouteView view;
    void SetUp() override
    {
        g_log.clear();
        doc.AddView(&view);
        frame.SetActiveView(&view);
    }
    void TearDown() override { doc.RemoveView(&view); }
};

TEST_F(Route, CommandGoesToTheFirstHandlerOfViewDocumentFrameApplication)
{
    const struct {
        UINT id;
        const char* handler;
    } cases[] = {
        {ID_ALL, "view "},
        {ID_DOC_UP, "doc "},
        {ID_FRAME_UP, "frame "},
        {ID_APP_ONLY, "app "},
    };
    for (const auto& c : cases) {
        g_log.clear();
        EXPECT_TRUE(frame.OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr)) << c.id;
        EXPECT_EQ(g_log, c.handler) << c.id;
    }
}

TEST_F(Route, CommandNobodyHandlesIsNotTakenAndDisabled)
{
    EXPECT_FALSE(frame.OnCmdMsg(ID_NOBODY, CN_COMMAND, nullptr, nullptr));
    CCmdUI state;
    state.m_nID = ID_NOBODY;
    state.DoUpdate(&frame, TRUE);
    EXPECT_FALSE(state.m_bEnabled);
    state.m_nID = ID_APP_ONLY;
    state.DoUpdate(&frame, TRUE);
    EXPECT_TRUE(state.m_bEnabled);
}

TEST_F(Route, MenuCommandThatItsUpdateHandlerDisablesDoesNotRun)
{
    EXPECT_TRUE(frame.OnCommand(MAKEWPARAM(ID_VETOED, 0), 0));
    EXPECT_EQ(g_log, "");
    // Without a veto the same path runs the handler.
    frame.OnCommand(MAKEWPARAM(ID_APP_ONLY, 0), 0);
    EXPECT_EQ(g_log, "app ");
}

TEST_F(Route, OpeningAPopupEnablesHandledItemsOnly)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, ID_ALL, "All");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, ID_NOBODY, "Nobody");
    AppendMenuA(popup, MF_STRING, ID_VETOED, "Vetoed");
    AppendMenuA(popup, MF_STRING | MF_GRAYED, ID_APP_ONLY, "App");
    frame.OnInitMenuPopup(reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(popup, 3, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(popup, 4, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(popup);
}

// ------------------------------------------------------- window message maps

class BaseWnd : public CWnd {
public:
    int cx = 0;
    int cy = 0;
    afx_msg void OnSize(UINT, int x, int y)
    {
        cx = x;
        cy = y;
        g_log += "base-size ";
    }
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_USER + 7, OnUser)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam * lParam); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_MESSAGE(WM_USER + 7, OnUser)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntryWinsAndBaseEntriesStillServe)
{
    g_log.clear();
    DerivedWnd wnd;
    LRESULT result = -1;
    EXPECT_TRUE(wnd.OnWndMsg(WM_USER + 7, 6, 7, &result));
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(wnd.OnWndMsg(WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), &result));
    EXPECT_EQ(wnd.cx, 30);
    EXPECT_EQ(wnd.cy, 40);
    EXPECT_FALSE(wnd.OnWndMsg(WM_USER + 8, 0, 0, &result));
}

// ------------------------------------------------------------- pure helpers

TEST(CommandLine, TailFollowsTheProgramName)
{
    const struct {
        const char* full;
        const char* tail;
    } cases[] = {
        {"ombrix.exe -w c:\\src\\main.c", "-w c:\\src\\main.c"},
        {"\"c:\\program files\\ombrix.exe\"   -d  x  ", "-d  x  "},
        {"ombrix.exe \t  ", ""},
        {"ombrix.exe", ""},
        {"\"c:\\a b\\z.exe\"", ""},
        {"z.exe  \"quoted arg\" ", "\"quoted arg\" "},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(AfxCommandLineTail(c.full), c.tail) << c.full;
}

TEST(DataExchange, NumberRules)
{
    const struct {
        const char* text;
        bool ok;
        long value;
    } signedCases[] = {
        {"42", true, 42},
        {"  -7 ", true, -7},
        {"+3", true, 3},
        {"2147483647", true, 2147483647L},
        {"-2147483648", true, -2147483647L - 1},
        {"2147483648", false, 0},
        {"abc", false, 0},
        {"", false, 0},
        {"12x", false, 0},
        {"1 2", false, 0},
        {"-", false, 0},
    };
    for (const auto& c : signedCases) {
        long value = 0;
        EXPECT_EQ(AfxTextToLong(c.text, &value) != FALSE, c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    unsigned long value = 0;
    EXPECT_TRUE(AfxTextToULong("4294967295", &value));
    EXPECT_EQ(value, 4294967295UL);
    EXPECT_FALSE(AfxTextToULong("4294967296", &value));
    EXPECT_FALSE(AfxTextToULong("-1", &value));
}

TEST(DataExchange, MessageArgumentsReplaceTheirMarkers)
{
    EXPECT_STREQ(AfxFormatString2("Please enter an integer between %1 and %2.", "-5", "100"),
                 "Please enter an integer between -5 and 100.");
    EXPECT_STREQ(AfxFormatString1("Please enter no more than %1 characters.", "5"),
                 "Please enter no more than 5 characters.");
}

// ------------------------------------------------------------ dialogs (DDX)

class ExchangeDlg : public CDialog {
public:
    ExchangeDlg() : CDialog(IDD_TEST_EXCHANGE) {}
    int m_int = 7;
    CString m_text = "ab";
    BOOL m_check = 1;
    int m_radio = 2;
    std::function<void(ExchangeDlg&)> m_action;

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Text(pDX, IDC_T_INT, m_int);
        DDV_MinMaxInt(pDX, m_int, 1, 100);
        DDX_Text(pDX, IDC_T_TEXT, m_text);
        DDV_MaxChars(pDX, m_text, 3);
        DDX_Check(pDX, IDC_T_CHECK, m_check);
        DDX_Radio(pDX, IDC_T_RADIO1, m_radio);
    }
    // The action runs once the dialog is up and its loop turns, as a
    // user's click would.
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        PostMessage(WM_APP + 1);
        return TRUE;
    }
    afx_msg LRESULT OnRunAction(WPARAM, LPARAM)
    {
        m_action(*this);
        EndDialog(IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDlg, CDialog)
    ON_MESSAGE(WM_APP + 1, OnRunAction)
END_MESSAGE_MAP()

// Answers the next message box of this thread with OK and keeps its text.
std::string g_boxText;
BOOL CALLBACK AnswerBox(HWND hWnd, LPARAM)
{
    char cls[16] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    HWND text = ::GetDlgItem(hWnd, 0xFFFF);
    if (lstrcmpA(cls, "#32770") != 0 || !text || !IsWindowVisible(hWnd))
        return TRUE;
    char buffer[256] = "";
    GetWindowTextA(text, buffer, sizeof(buffer));
    g_boxText = buffer;
    PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}
void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &AnswerBox, 0);
    if (!g_boxText.empty())
        KillTimer(nullptr, id);
}

std::string ControlText(HWND hCtl)
{
    char buffer[64] = "";
    GetWindowTextA(hCtl, buffer, sizeof(buffer));
    return buffer;
}

TEST(Dialog, ExchangeFillsAndReadsControls)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    ExchangeDlg dlg;
    dlg.m_action = [](ExchangeDlg& d) {
        EXPECT_EQ(ControlText(d.Item(IDC_T_INT)), "7");
        EXPECT_EQ(ControlText(d.Item(IDC_T_TEXT)), "ab");
        EXPECT_EQ(SendMessageA(d.Item(IDC_T_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageA(d.Item(IDC_T_RADIO3), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageA(d.Item(IDC_T_RADIO1), BM_GETCHECK, 0, 0), BST_UNCHECKED);

        // The radio after the group is not part of it.
        SendMessageA(d.Item(IDC_T_AFTER), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageA(d.Item(IDC_T_RADIO3), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(d.Item(IDC_T_RADIO2), BM_SETCHECK, BST_CHECKED, 0);
        SetWindowTextA(d.Item(IDC_T_INT), " 100 ");
        SetWindowTextA(d.Item(IDC_T_TEXT), "xyz");
        SendMessageA(d.Item(IDC_T_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_EQ(d.m_int, 100);
        EXPECT_STREQ(d.m_text, "xyz");
        EXPECT_EQ(d.m_check, 0);
        EXPECT_EQ(d.m_radio, 1);

        SendMessageA(d.Item(IDC_T_RADIO2), BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_EQ(d.m_radio, -1);
        d.m_radio = -1;
        d.UpdateData(FALSE);
        EXPECT_EQ(SendMessageA(d.Item(IDC_T_AFTER), BM_GETCHECK, 0, 0), BST_CHECKED);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(Dialog, FailedCheckTellsTheUserAndSelectsTheField)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    const struct {
        const char* intText;
        const char* textText;
        const char* message;
        int field;
    } cases[] = {
        {"abc", "ab", "Please enter an integer.", IDC_T_INT},
        {"", "ab", "Please enter an integer.", IDC_T_INT},
        {"101", "ab", "Please enter an integer between 1 and 100.", IDC_T_INT},
        {"0", "ab", "Please enter an integer between 1 and 100.", IDC_T_INT},
        {"5", "abcd", "Please enter no more than 3 characters.", IDC_T_TEXT},
    };
    for (const auto& c : cases) {
        ExchangeDlg dlg;
        dlg.m_action = [&c](ExchangeDlg& d) {
            SetWindowTextA(d.Item(IDC_T_INT), c.intText);
            SetWindowTextA(d.Item(IDC_T_TEXT), c.textText);
            g_boxText.clear();
            UINT_PTR timer = SetTimer(nullptr, 0, 50, &AnswerTimer);
            EXPECT_FALSE(d.UpdateData(TRUE));
            KillTimer(nullptr, timer);
            EXPECT_EQ(g_boxText, c.message) << c.intText << " / " << c.textText;
            EXPECT_EQ(GetFocus(), d.Item(c.field)) << c.message;
            DWORD start = 1;
            DWORD end = 0;
            SendMessageA(d.Item(c.field), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(d.Item(c.field))));
            // The member keeps its value when its text is refused.
            if (c.field == IDC_T_INT && std::string(c.message) == "Please enter an integer.") {
                EXPECT_EQ(d.m_int, 7);
            }
        };
        dlg.DoModal();
    }
}

// ------------------------------------------------- File New, single document

int g_docsAlive = 0;
int g_newDocumentCalls = 0;
BOOL g_newDocumentResult = TRUE;
int g_runs = 0;

class CycleDoc : public CDocument {
    DECLARE_DYNCREATE(CycleDoc)
public:
    CycleDoc() { ++g_docsAlive; }
    ~CycleDoc() { --g_docsAlive; }
    virtual BOOL OnNewDocument()
    {
        if (!CDocument::OnNewDocument())
            return FALSE;
        ++g_newDocumentCalls;
        if (!g_newDocumentResult)
            return FALSE;
        ++g_runs;
        SetTitle("c:\\work");
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CycleDoc, CDocument)

class CycleView : public CEditView {
    DECLARE_DYNCREATE(CycleView)
public:
    virtual void OnInitialUpdate() { SetWindowText(("run " + std::to_string(g_runs)).c_str()); }
};
IMPLEMENT_DYNCREATE(CycleView, CEditView)

std::string WindowText(HWND hWnd)
{
    char buffer[256] = "";
    GetWindowTextA(hWnd, buffer, sizeof(buffer));
    return buffer;
}

struct FileNew : ::testing::Test {
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        g_app.ResetTemplates();
        g_app.m_pMainWnd = nullptr;
        g_app.m_nCmdShow = SW_SHOWNORMAL;
        g_newDocumentCalls = 0;
        g_runs = 0;
        g_app.AddDocTemplate(new CSingleDocTemplate(
            IDR_TEST_FRAME, RUNTIME_CLASS(CycleDoc), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CycleView)));
    }
    void TearDown() override
    {
        if (g_app.m_pMainWnd)
            g_app.m_pMainWnd->SendMessage(WM_CLOSE);
        DrainQueue();
        g_app.ResetTemplates();
    }
    static HWND ViewOf(HWND frame) { return ::GetDlgItem(frame, AFX_IDW_PANE_FIRST); }
};

TEST_F(FileNew, FirstRefusalLeavesNoWindowAndNoDocument)
{
    g_newDocumentResult = FALSE;
    g_app.OnFileNew();
    EXPECT_EQ(g_newDocumentCalls, 1);
    EXPECT_EQ(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_docsAlive, 0);
    // Run ends at once when there is no main window.
    EXPECT_EQ(g_app.Run(), 0);
}

TEST_F(FileNew, LaterFileNewKeepsOneDocumentAndShowsOnlySuccessfulRuns)
{
    g_newDocumentResult = TRUE;
    g_app.OnFileNew();
    ASSERT_NE(g_app.m_pMainWnd, nullptr);
    HWND frame = g_app.m_pMainWnd->m_hWnd;
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_EQ(WindowText(ViewOf(frame)), "run 1");
    EXPECT_EQ(WindowText(frame), "c:\\work - Framework Test");
    EXPECT_EQ(g_docsAlive, 1);

    g_newDocumentResult = FALSE;
    g_app.OnFileNew();
    EXPECT_EQ(g_newDocumentCalls, 2);
    ASSERT_NE(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_app.m_pMainWnd->m_hWnd, frame);
    EXPECT_EQ(WindowText(ViewOf(frame)), "run 1");
    EXPECT_EQ(g_docsAlive, 1);

    g_newDocumentResult = TRUE;
    g_app.OnFileNew();
    EXPECT_EQ(g_app.m_pMainWnd->m_hWnd, frame);
    EXPECT_EQ(WindowText(ViewOf(frame)), "run 2");
    EXPECT_EQ(g_docsAlive, 1);

    g_app.m_pMainWnd->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_docsAlive, 0);
}

TEST_F(FileNew, EditViewCopiesItsSelectionOnly)
{
    g_newDocumentResult = TRUE;
    g_app.OnFileNew();
    ASSERT_NE(g_app.m_pMainWnd, nullptr);
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(g_app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CEditView* view = dynamic_cast<CEditView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    view->SetWindowText("alpha beta\r\ngamma");
    view->GetEditCtrl().SetSel(6, 16);
    CString selected;
    view->GetSelectedText(selected);
    EXPECT_STREQ(selected, "beta\r\ngamm");

    CCmdUI state;
    state.m_nID = ID_EDIT_COPY;
    state.DoUpdate(frame, TRUE);
    EXPECT_TRUE(state.m_bEnabled);
    view->GetEditCtrl().SetSel(3, 3);
    state.DoUpdate(frame, TRUE);
    EXPECT_FALSE(state.m_bEnabled);
}

}   // namespace
