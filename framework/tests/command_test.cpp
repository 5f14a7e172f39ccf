// Tests of message-map dispatch beyond plain commands: notifications by id
// and code, notifications reflected to the control that sent them, command
// ranges, message kinds whose arguments are unpacked by their entry, and
// the frame's control bars (layout and idle-time update).
#include <gtest/gtest.h>

#include <string>

#include "afxwin.h"
#include "window_test_support.h"

namespace {

std::string g_log;

const UINT ID_CHILD = 41001;
const UINT ID_OTHER_CHILD = 41002;
const UINT NM_TEST_PARENT = static_cast<UINT>(-900);    // taken by the parent
const UINT NM_TEST_REFLECT = static_cast<UINT>(-901);   // taken by the control itself
const UINT NM_TEST_NOBODY = static_cast<UINT>(-902);

class ReflectingControl : public CWnd {
public:
    afx_msg void OnReflected(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_log += "control:" + std::to_string(pNMHDR->idFrom) + " ";
        *pResult = 77;
    }
    afx_msg void OnReflectedClick() { g_log += "control-click "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingControl, CWnd)
    ON_NOTIFY_REFLECT(NM_TEST_REFLECT, OnReflected)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

class NotifyParent : public CWnd {
public:
    afx_msg void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_log += "parent:" + std::to_string(pNMHDR->idFrom) + " ";
        *pResult = 55;
    }
    afx_msg void OnReflectNotify(NMHDR*, LRESULT*) { g_log += "parent-saw-reflected "; }
    afx_msg void OnClicked() { g_log += "parent-click "; }
    afx_msg void OnRange(UINT nID) { g_log += "range:" + std::to_string(nID) + " "; }
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu)
    {
        g_log += "select:" + std::to_string(nItemID) + "/" + std::to_string(nFlags) + (hMenu ? "/menu " : "/none ");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifyParent, CWnd)
    ON_NOTIFY(NM_TEST_PARENT, ID_CHILD, OnChildNotify)
    ON_NOTIFY(NM_TEST_REFLECT, ID_CHILD, OnReflectNotify)
    ON_BN_CLICKED(ID_CHILD, OnClicked)
    ON_BN_CLICKED(ID_OTHER_CHILD, OnClicked)
    ON_COMMAND_RANGE(42000, 42009, OnRange)
    ON_WM_MENUSELECT()
END_MESSAGE_MAP()

struct Notify : ::testing::Test {
    NotifyParent parent;
    ReflectingControl control;
    HWND hOther = nullptr;
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        g_log.clear();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(control.Create(nullptr, "control", WS_CHILD, CRect(0, 0, 10, 10), &parent, ID_CHILD));
        // A control nobody bound: its notifications go to the parent only.
        hOther = CreateWindowExA(0,
                                 "BUTTON",
                                 "other",
                                 WS_CHILD,
                                 0,
                                 0,
                                 10,
                                 10,
                                 parent.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_OTHER_CHILD)),
                                 nullptr,
                                 nullptr);
    }
    LRESULT SendNotify(HWND from, UINT id, UINT code)
    {
        NMHDR hdr = {from, id, code};
        return parent.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&hdr));
    }
};

TEST_F(Notify, NotificationsReachTheControlFirstThenTheParentById)
{
    const struct {
        UINT code;
        LRESULT result;
        const char* log;
    } cases[] = {
        {NM_TEST_PARENT, 55, "parent:41001 "},
        // Taken by the control: the parent's entry for the same code never runs.
        {NM_TEST_REFLECT, 77, "control:41001 "},
        {NM_TEST_NOBODY, 0, ""},
    };
    for (const auto& c : cases) {
        g_log.clear();
        EXPECT_EQ(SendNotify(control.m_hWnd, ID_CHILD, c.code), c.result) << static_cast<int>(c.code);
        EXPECT_EQ(g_log, c.log) << static_cast<int>(c.code);
    }
    // Another id does not match the parent's entries.
    g_log.clear();
    SendNotify(hOther, ID_OTHER_CHILD, NM_TEST_PARENT);
    EXPECT_EQ(g_log, "");
}

TEST_F(Notify, ControlCommandsAreReflectedToBoundControlsOnly)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
    EXPECT_EQ(g_log, "control-click ");
    g_log.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_OTHER_CHILD, BN_CLICKED), reinterpret_cast<LPARAM>(hOther));
    EXPECT_EQ(g_log, "parent-click ");
}

TEST_F(Notify, RangeHandlerIsToldTheIdAndUnpackedMessagesTheirArguments)
{
    for (UINT id : {41999u, 42000u, 42009u, 42010u})
        parent.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(g_log, "range:42000 range:42009 ");
    g_log.clear();
    HMENU menu = CreatePopupMenu();
    parent.SendMessage(WM_MENUSELECT, MAKEWPARAM(123, MF_HILITE), reinterpret_cast<LPARAM>(menu));
    parent.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    DestroyMenu(menu);
    EXPECT_EQ(g_log, "select:123/" + std::to_string(MF_HILITE) + "/menu select:0/65535/none ");
}

// ------------------------------------------------------------ control bars

const UINT ID_BAR_CMD = 41100;

// A bar of fixed height whose idle update asks one command.
class TestBar : public CControlBar {
public:
    int height = 0;
    BOOL lastEnabled = -1;
    int lastCheck = -1;
    int updates = 0;
    virtual int CalcHeight(int) { return height; }
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
    {
        ++updates;
        CCmdUI state;
        state.m_nID = ID_BAR_CMD;
        state.m_pOther = this;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
        lastEnabled = state.m_bEnabled;
        lastCheck = state.m_nCheck;
    }
    BOOL Make(CFrameWnd* pFrame, int h, DWORD edge, UINT id)
    {
        height = h;
        m_dwStyle = edge;
        if (!Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, id))
            return FALSE;
        AttachToFrame(pFrame);
        return TRUE;
    }
};

BOOL g_barCmdEnabled = TRUE;

class BarFrame : public CFrameWnd {
public:
    afx_msg void OnUpdateBarCmd(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(g_barCmdEnabled);
        pCmdUI->SetCheck(!g_barCmdEnabled);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_BAR_CMD, OnUpdateBarCmd)
END_MESSAGE_MAP()

struct Bars : ::testing::Test {
    BarFrame* frame = nullptr;
    TestBar top1, top2, bottom;
    HWND hPane = nullptr;
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        frame = new BarFrame;   // deletes itself when destroyed
        ASSERT_TRUE(
            frame->CreateEx(0, AFX_WNDFRAME_CLASS, "bars", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
        hPane = CreateWindowExA(0,
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
        ASSERT_TRUE(top1.Make(frame, 20, CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(bottom.Make(frame, 15, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(top2.Make(frame, 30, CBRS_TOP, 0xE810));
    }
    void TearDown() override
    {
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        DrainQueue();
    }
    RECT ChildRect(HWND hChild) const
    {
        RECT rect;
        ::GetWindowRect(hChild, &rect);
        MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

TEST_F(Bars, LayoutStacksBarsOnTheirEdgesAndGivesTheViewTheRest)
{
    frame->RecalcLayout();
    RECT client;
    frame->GetClientRect(&client);
    EXPECT_EQ(ChildRect(top1.m_hWnd).top, 0);
    EXPECT_EQ(ChildRect(top1.m_hWnd).bottom, 20);
    EXPECT_EQ(ChildRect(top2.m_hWnd).top, 20);
    EXPECT_EQ(ChildRect(top2.m_hWnd).bottom, 50);
    EXPECT_EQ(ChildRect(bottom.m_hWnd).bottom, client.bottom);
    EXPECT_EQ(ChildRect(bottom.m_hWnd).top, client.bottom - 15);
    RECT pane = ChildRect(hPane);
    EXPECT_EQ(pane.top, 50);
    EXPECT_EQ(pane.bottom, client.bottom - 15);
    EXPECT_EQ(pane.right - pane.left, client.right);

    // Hiding a bar through its View command gives its room to the view.
    frame->OnBarCheck(AFX_IDW_TOOLBAR);
    EXPECT_FALSE(GetWindowLongPtrA(top1.m_hWnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(ChildRect(top2.m_hWnd).top, 0);
    EXPECT_EQ(ChildRect(hPane).top, 30);
    frame->OnBarCheck(AFX_IDW_TOOLBAR);
    EXPECT_EQ(ChildRect(hPane).top, 50);
}

TEST_F(Bars, ViewCommandsAreCheckedWhileTheirBarShows)
{
    const struct {
        UINT id;
        bool present;
    } cases[] = {{ID_VIEW_TOOLBAR, true}, {ID_VIEW_STATUS_BAR, true}};
    for (const auto& c : cases) {
        CCmdUI state;
        state.m_nID = c.id;
        state.DoUpdate(frame, TRUE);
        EXPECT_TRUE(state.m_bEnabled) << c.id;
        EXPECT_EQ(state.m_nCheck, 1) << c.id;
        frame->OnBarCheck(c.id);
        state.DoUpdate(frame, TRUE);
        EXPECT_EQ(state.m_nCheck, 0) << c.id;
    }
    // Without such a bar the command is disabled.
    bottom.DestroyWindow();
    CCmdUI state;
    state.m_nID = ID_VIEW_STATUS_BAR;
    state.DoUpdate(frame, TRUE);
    EXPECT_FALSE(state.m_bEnabled);
}

TEST_F(Bars, IdleUpdateAsksVisibleBarsThroughTheUpdateHandlers)
{
    g_barCmdEnabled = FALSE;
    frame->OnIdleUpdateCmdUI();
    EXPECT_EQ(top1.lastEnabled, FALSE);
    EXPECT_EQ(top1.lastCheck, 1);
    g_barCmdEnabled = TRUE;
    frame->ShowControlBar(&top2, FALSE);
    int hiddenUpdates = top2.updates;
    frame->OnIdleUpdateCmdUI();
    EXPECT_EQ(top1.lastEnabled, TRUE);
    EXPECT_EQ(top1.lastCheck, 0);
    EXPECT_EQ(bottom.lastEnabled, TRUE);
    EXPECT_EQ(top2.updates, hiddenUpdates);
}

TEST_F(Bars, DestroyedBarLeavesTheList)
{
    EXPECT_EQ(frame->GetControlBars().size(), 3u);
    top2.DestroyWindow();
    EXPECT_EQ(frame->GetControlBars().size(), 2u);
    EXPECT_EQ(frame->GetControlBar(0xE810), nullptr);
    frame->RecalcLayout();
    EXPECT_EQ(ChildRect(hPane).top, 20);
}

}   // namespace
