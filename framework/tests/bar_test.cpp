// Tests of the toolbar and the status bar in a real frame: button states
// from the commands' update handlers, tool tips from the prompt strings,
// the status bar's message pane around a menu and its key indicators.
#include <gtest/gtest.h>

#include <string>

#include "afxwin.h"
#include "framework_test.h"
#include "window_test_support.h"

namespace {

BOOL g_oneEnabled = TRUE;
int g_oneCheck = 0;

class ToolFrame : public CFrameWnd {
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

    afx_msg void OnOne() {}
    afx_msg void OnTwo() {}
    afx_msg void OnUpdateOne(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(g_oneEnabled);
        pCmdUI->SetCheck(g_oneCheck);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
    ON_COMMAND(ID_TB_ONE, OnOne)
    ON_UPDATE_COMMAND_UI(ID_TB_ONE, OnUpdateOne)
    ON_COMMAND(ID_TB_TWO, OnTwo)
END_MESSAGE_MAP()

const UINT kButtons[] = {ID_TB_ONE, ID_SEPARATOR, ID_TB_TWO, ID_TB_THREE, ID_SEPARATOR};
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

struct Toolbars : ::testing::Test {
    ToolFrame* frame = nullptr;
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        g_oneEnabled = TRUE;
        g_oneCheck = 0;
        frame = new ToolFrame;   // deletes itself when destroyed
        ASSERT_TRUE(
            frame->CreateEx(0, AFX_WNDFRAME_CLASS, "tools", WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr, nullptr));
        ASSERT_TRUE(frame->m_wndToolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
        ASSERT_TRUE(frame->m_wndToolBar.LoadBitmap(IDB_TEST_TOOLBAR));
        ASSERT_TRUE(frame->m_wndToolBar.SetButtons(kButtons, 5));
        ASSERT_TRUE(frame->m_wndStatusBar.Create(frame));
        ASSERT_TRUE(frame->m_wndStatusBar.SetIndicators(kIndicators, 4));
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        DrainQueue();
    }
    LRESULT ButtonState(UINT id) const { return frame->m_wndToolBar.SendMessage(TB_GETSTATE, id, 0); }
    std::string Pane(int index) const
    {
        char text[128] = "";
        LRESULT length =
            frame->m_wndStatusBar.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return std::string(text, LOWORD(length));
    }
};

TEST_F(Toolbars, ButtonsAndGapsKeepTheirOrder)
{
    CToolBar& bar = frame->m_wndToolBar;
    ASSERT_EQ(bar.GetCount(), 5);
    const UINT expected[] = {ID_TB_ONE, ID_SEPARATOR, ID_TB_TWO, ID_TB_THREE, ID_SEPARATOR};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(bar.GetItemID(i), expected[i]) << i;
    EXPECT_EQ(bar.CommandToIndex(ID_TB_THREE), 3);
    EXPECT_EQ(bar.CommandToIndex(ID_TB_FOUR), -1);
    // Gaps take no image: the button after the first gap has the second.
    TBBUTTON button = {};
    bar.SendMessage(TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.iBitmap, 1);
}

TEST_F(Toolbars, ButtonStatesFollowTheUpdateHandlerAtIdleTime)
{
    const struct {
        BOOL enabled;
        int check;
        LRESULT state;
    } cases[] = {
        {TRUE, 0, TBSTATE_ENABLED},
        {FALSE, 0, 0},
        {TRUE, 1, TBSTATE_ENABLED | TBSTATE_CHECKED},
        {FALSE, 1, TBSTATE_CHECKED},
        {TRUE, 0, TBSTATE_ENABLED},
    };
    for (const auto& c : cases) {
        g_oneEnabled = c.enabled;
        g_oneCheck = c.check;
        frame->OnIdleUpdateCmdUI();
        EXPECT_EQ(ButtonState(ID_TB_ONE) & (TBSTATE_ENABLED | TBSTATE_CHECKED), c.state) << c.enabled << "/" << c.check;
    }
    // A handled command without an update handler is enabled, one nobody
    // handles is disabled.
    EXPECT_TRUE(ButtonState(ID_TB_TWO) & TBSTATE_ENABLED);
    EXPECT_FALSE(ButtonState(ID_TB_THREE) & TBSTATE_ENABLED);
}

TEST_F(Toolbars, ToolTipIsThePromptAfterTheNewline)
{
    const struct {
        UINT id;
        const char* tip;
    } cases[] = {{ID_TB_ONE, "First"}, {ID_TB_TWO, ""}, {ID_TB_THREE, ""}};
    for (const auto& c : cases) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = nullptr;
        info.hdr.idFrom = c.id;
        info.hdr.code = TTN_GETDISPINFOA;
        lstrcpyA(info.szText, "stale");
        frame->SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.lpszText, c.tip) << c.id;

        NMTTDISPINFOW wide = {};
        wide.hdr.idFrom = c.id;
        wide.hdr.code = TTN_GETDISPINFOW;
        frame->SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&wide));
        char narrow[80] = "";
        WideCharToMultiByte(
            CP_ACP, 0, wide.lpszText ? wide.lpszText : L"", -1, narrow, sizeof(narrow), nullptr, nullptr);
        EXPECT_STREQ(narrow, c.tip) << c.id;
    }
}

TEST_F(Toolbars, MessagePaneShowsThePromptWhileAMenuItemIsSelected)
{
    EXPECT_EQ(Pane(0), "Ready");
    HMENU menu = CreatePopupMenu();
    const struct {
        UINT id;
        UINT flags;
        const char* text;
    } cases[] = {
        {ID_TB_ONE, MF_HILITE, "Do the first thing"},
        {ID_TB_TWO, MF_HILITE, "Do the second thing"},
        {ID_TB_THREE, MF_HILITE, ""},
        {0, MF_POPUP | MF_HILITE, ""},
    };
    for (const auto& c : cases) {
        frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(c.id, c.flags), reinterpret_cast<LPARAM>(menu));
        EXPECT_EQ(Pane(0), c.text) << c.id;
    }
    // The menu closes.
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Pane(0), "Ready");
    DestroyMenu(menu);
}

TEST_F(Toolbars, KeyIndicatorsFollowTheKeyboard)
{
    BYTE saved[256];
    GetKeyboardState(saved);
    const struct {
        bool caps, num, scroll;
        const char* capsText;
        const char* numText;
        const char* scrollText;
    } cases[] = {
        {true, false, false, "CAP", "", ""},
        {false, true, true, "", "NUM", "SCRL"},
        {false, false, false, "", "", ""},
    };
    for (const auto& c : cases) {
        BYTE keys[256];
        memcpy(keys, saved, sizeof(keys));
        keys[VK_CAPITAL] = c.caps ? 1 : 0;
        keys[VK_NUMLOCK] = c.num ? 1 : 0;
        keys[VK_SCROLL] = c.scroll ? 1 : 0;
        SetKeyboardState(keys);
        frame->OnIdleUpdateCmdUI();
        EXPECT_EQ(Pane(1), c.capsText);
        EXPECT_EQ(Pane(2), c.numText);
        EXPECT_EQ(Pane(3), c.scrollText);
    }
    SetKeyboardState(saved);
}

TEST_F(Toolbars, ViewToolbarHidesItAndTheViewTakesItsRoom)
{
    HWND hPane = CreateWindowExA(0,
                                 "STATIC",
                                 "",
                                 WS_CHILD | WS_VISIBLE,
                                 0,
                                 0,
                                 1,
                                 1,
                                 frame->m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                 nullptr,
                                 nullptr);
    frame->RecalcLayout();
    RECT bar, pane;
    GetWindowRect(frame->m_wndToolBar.m_hWnd, &bar);
    GetWindowRect(hPane, &pane);
    EXPECT_EQ(pane.top, bar.bottom);
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR, 0);
    EXPECT_FALSE(GetWindowLongPtrA(frame->m_wndToolBar.m_hWnd, GWL_STYLE) & WS_VISIBLE);
    RECT moved;
    GetWindowRect(hPane, &moved);
    EXPECT_EQ(moved.top, bar.top);
    // The status bar stays below the view.
    RECT status;
    GetWindowRect(frame->m_wndStatusBar.m_hWnd, &status);
    EXPECT_EQ(moved.bottom, status.top);
}

}   // namespace
