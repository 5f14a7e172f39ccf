// Form views in a frame: made from a dialog template and laid out in the
// frame, filled by data exchange at the initial update, notified by their
// controls through the message map (then the document's), with the frame's
// accelerators ahead of the dialog keys, the context-menu keys turned into
// WM_CONTEXTMENU, and pop-up menus whose items follow the update handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui_test_app.h"
#include "ui_test_ids.h"
#include "window_test_support.h"

namespace {

CPoint g_menuPoint;
CWnd* g_menuWindow = nullptr;
int g_contextMenus = 0;
std::vector<UINT> g_popupStates;   // GetMenuState of each pop-up item while it was open
bool g_checkPopupItem = true;

class FormDoc : public CDocument {
    DECLARE_DYNCREATE(FormDoc)
public:
    afx_msg void OnListFocus() { g_uiLog += "doc-setfocus "; }
    afx_msg void OnChecked() { g_uiLog += "doc-checked "; }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(g_checkPopupItem ? 1 : 0); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(FormDoc, CDocument)

BEGIN_MESSAGE_MAP(FormDoc, CDocument)
    ON_LBN_SETFOCUS(IDC_UI_LIST, OnListFocus)
    ON_COMMAND(ID_UI_POP_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_UI_POP_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

// Closes the pop-up once it is open (its items' states are noted by the
// frame as it opens).
void CALLBACK ReadPopupTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

class FormView : public CFormView {
    DECLARE_DYNCREATE(FormView)
public:
    FormView() : CFormView(IDD_UI_FORM) {}
    CListBox m_list;
    CString m_name = "preset name";
    int m_sizes = 0;

    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Control(pDX, IDC_UI_LIST, m_list);
        DDX_Text(pDX, IDC_UI_EDIT, m_name);
    }
    virtual void OnInitialUpdate()
    {
        CFormView::OnInitialUpdate();
        m_list.ResetContent();
        for (const char* name : {"alpha", "beta", "gamma"})
            m_list.AddString(name);
    }
    afx_msg void OnDblclkList()
    {
        int first = -1;
        m_list.GetSelItems(1, &first);
        CString item;
        m_list.GetText(first, item);
        g_uiLog += "view-dblclk:" + std::string(item) + " ";
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CFormView::OnSize(nType, cx, cy);
        ++m_sizes;
    }
    afx_msg void OnRun() { g_uiLog += "frame-run "; }
    afx_msg void OnDelete() { g_uiLog += "frame-delete "; }
    afx_msg void OnRefresh() { g_uiLog += "frame-refresh "; }
    afx_msg void OnEnabled() { g_uiLog += "view-enabled "; }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point)
    {
        ++g_contextMenus;
        g_menuWindow = pWnd;
        g_menuPoint = point;
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_UI_POPUP));
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        CRect rect;
        GetClientRect(rect);
        ClientToScreen(rect);
        SetTimer(nullptr, 0, 100, &ReadPopupTimer);
        // The frame owns the pop-up, so its items take the frame's route.
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, rect.left + 5, rect.top + 5, GetParentFrame());
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(FormView, CFormView)

BEGIN_MESSAGE_MAP(FormView, CFormView)
    ON_LBN_DBLCLK(IDC_UI_LIST, OnDblclkList)
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_UI_RUN, OnRun)
    ON_COMMAND(ID_UI_DELETE, OnDelete)
    ON_COMMAND(ID_UI_REFRESH, OnRefresh)
    ON_COMMAND(ID_UI_POP_ENABLED, OnEnabled)
END_MESSAGE_MAP()

// The frame answers WM_INITMENUPOPUP as always; this one also notes the
// items' states once the update handlers have set them.
class FormFrame : public CFrameWnd {
    DECLARE_DYNCREATE(FormFrame)
public:
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = CFrameWnd::OnInitMenuPopup(wParam, lParam);
        HMENU hPopup = reinterpret_cast<HMENU>(wParam);
        g_popupStates.clear();
        for (int i = 0; i < GetMenuItemCount(hPopup); ++i)
            g_popupStates.push_back(GetMenuState(hPopup, static_cast<UINT>(i), MF_BYPOSITION));
        return result;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(FormFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(FormFrame, CFrameWnd)
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
END_MESSAGE_MAP()

struct Form : ::testing::Test {
    CFrameWnd* frame = nullptr;
    FormView* view = nullptr;
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        g_uiLog.clear();
        g_uiApp.m_pMainWnd = nullptr;
        g_uiApp.m_nCmdShow = SW_SHOWNORMAL;
        g_uiApp.AddDocTemplate(new CSingleDocTemplate(
            IDR_UI_FRAME, RUNTIME_CLASS(FormDoc), RUNTIME_CLASS(FormFrame), RUNTIME_CLASS(FormView)));
        g_uiApp.OnFileNew();
        frame = dynamic_cast<CFrameWnd*>(g_uiApp.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<FormView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override
    {
        if (g_uiApp.m_pMainWnd)
            g_uiApp.m_pMainWnd->SendMessage(WM_CLOSE);
        DrainQueue();
        g_uiApp.ClearTemplates();
    }
    // What the message loop does with a key that arrives for a window.
    BOOL Key(HWND hWnd, UINT message, WPARAM key)
    {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = message;
        msg.wParam = key;
        msg.lParam = 1;
        return g_uiApp.PreTranslateMessage(&msg);
    }
};

TEST_F(Form, FillsTheFrameAndIsFilledByDataExchange)
{
    EXPECT_EQ(view->GetParent(), frame);
    EXPECT_EQ(GetDlgCtrlID(view->m_hWnd), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(view->GetStyle() & WS_CHILD);
    EXPECT_FALSE(view->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(view->IsWindowVisible());
    for (int width : {0, 500, 320}) {
        if (width)
            frame->MoveWindow(10, 10, width, 300);
        CRect client;
        frame->GetClientRect(client);
        CRect placed;
        view->GetWindowRect(placed);
        frame->ScreenToClient(placed);
        EXPECT_EQ(placed, client) << width;
    }
    EXPECT_GT(view->m_sizes, 0);

    EXPECT_EQ(view->m_list.GetParent(), view);
    EXPECT_EQ(view->m_list.GetCount(), 3);
    char text[64] = "";
    GetDlgItemTextA(view->m_hWnd, IDC_UI_EDIT, text, sizeof(text));
    EXPECT_STREQ(text, "preset name");
    SetDlgItemTextA(view->m_hWnd, IDC_UI_EDIT, "typed");
    EXPECT_TRUE(view->UpdateData(TRUE));
    EXPECT_STREQ(view->m_name, "typed");
}

TEST_F(Form, ControlNotificationsReachTheViewThenTheDocument)
{
    view->m_list.SetSel(1);
    g_uiLog.clear();
    HWND hList = view->m_list.m_hWnd;
    view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UI_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(hList));
    view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UI_LIST, LBN_SETFOCUS), reinterpret_cast<LPARAM>(hList));
    EXPECT_EQ(g_uiLog, "view-dblclk:beta doc-setfocus ");
}

TEST_F(Form, FrameAcceleratorsComeBeforeTheFormsDialogKeys)
{
    HWND hList = view->m_list.m_hWnd;
    const struct {
        WPARAM key;
        const char* log;
    } cases[] = {
        {VK_RETURN, "frame-run "},
        {VK_DELETE, "frame-delete "},
        {VK_F5, "frame-refresh "},
    };
    for (const auto& c : cases) {
        g_uiLog.clear();
        EXPECT_TRUE(Key(hList, WM_KEYDOWN, c.key)) << c.key;
        EXPECT_EQ(g_uiLog, c.log) << c.key;
    }
    // A key no accelerator takes is a dialog key of the form: Tab is used up
    // there rather than reaching the list.
    g_uiLog.clear();
    EXPECT_TRUE(Key(hList, WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(g_uiLog, "");
}

TEST_F(Form, ContextMenuKeysOpenThePopupWithItemsFromTheUpdateHandlers)
{
    HWND hList = view->m_list.m_hWnd;
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const struct {
        UINT message;
        WPARAM key;
        bool shift;
        int menus;
    } cases[] = {
        {WM_KEYDOWN, VK_APPS, false, 1},
        {WM_SYSKEYDOWN, VK_F10, true, 1},
        {WM_SYSKEYDOWN, VK_F10, false, 0},
        {WM_KEYDOWN, VK_F10, true, 1},
    };
    for (const auto& c : cases) {
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        g_contextMenus = 0;
        g_menuWindow = nullptr;
        g_popupStates.clear();
        g_checkPopupItem = !g_checkPopupItem;
        BOOL used = Key(hList, c.message, c.key);
        EXPECT_EQ(g_contextMenus, c.menus) << c.key << " shift " << c.shift;
        if (!c.menus)
            continue;
        EXPECT_TRUE(used);
        // From the keyboard: no point, and the list the key was for.
        EXPECT_EQ(g_menuPoint, CPoint(-1, -1));
        EXPECT_EQ(g_menuWindow, &view->m_list);
        ASSERT_EQ(g_popupStates.size(), 4u);
        EXPECT_FALSE(g_popupStates[0] & MF_GRAYED) << "handled by the view";
        EXPECT_TRUE(g_popupStates[1] & MF_GRAYED) << "nobody handles it";
        EXPECT_EQ((g_popupStates[3] & MF_CHECKED) != 0, g_checkPopupItem) << "the document's update handler";
        EXPECT_FALSE(g_popupStates[3] & MF_GRAYED);
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    // The menu key's release opens nothing more.
    g_contextMenus = 0;
    EXPECT_TRUE(Key(hList, WM_KEYUP, VK_APPS));
    EXPECT_EQ(g_contextMenus, 0);
}

}   // namespace
