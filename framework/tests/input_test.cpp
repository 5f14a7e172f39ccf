// The map entries of mouse, keyboard, scroll and context-menu messages hand
// each handler the message's own values, signs and all.
#include <gtest/gtest.h>

#include <string>

#include "ui_test_app.h"
#include "window_test_support.h"

namespace {

std::string g_seen;

class InputWnd : public CWnd {
public:
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        g_seen = "v " + std::to_string(code) + " " + std::to_string(pos) + (bar ? " bar" : " own");
    }
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        g_seen = "h " + std::to_string(code) + " " + std::to_string(pos) + (bar ? " bar" : " own");
    }
    afx_msg void OnLButtonDown(UINT flags, CPoint point) { Mouse("ldown", flags, point); }
    afx_msg void OnLButtonUp(UINT flags, CPoint point) { Mouse("lup", flags, point); }
    afx_msg void OnMouseMove(UINT flags, CPoint point) { Mouse("move", flags, point); }
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags)
    {
        g_seen = "key " + std::to_string(ch) + " " + std::to_string(repeat) + " " + std::to_string(flags);
    }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point)
    {
        g_seen = std::string("context ") + (pWnd == this ? "self " : "other ") + std::to_string(point.x) + "," +
                 std::to_string(point.y);
    }
    void Mouse(const char* what, UINT flags, CPoint point)
    {
        g_seen = std::string(what) + " " + std::to_string(flags) + " " + std::to_string(point.x) + "," +
                 std::to_string(point.y);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(InputWnd, CWnd)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

TEST(InputEntries, HandlersGetTheMessagesValues)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    InputWnd wnd;
    AfxRegisterFrameworkClasses();
    ASSERT_TRUE(wnd.CreateEx(0, AFX_WNDVIEW_CLASS, "input", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    HWND bar =
        CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 10, 50, wnd.m_hWnd, nullptr, nullptr, nullptr);
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string seen;
    } cases[] = {
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77), 0, "v 5 77 own"},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar), "v 1 0 bar"},
        {WM_HSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0, "h 2 0 own"},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(12, 34), "ldown 5 12,34"},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-3), static_cast<WORD>(-40)), "move 1 -3,-40"},
        {WM_LBUTTONUP, 0, MAKELPARAM(7, 8), "lup 0 7,8"},
        {WM_KEYDOWN, VK_NEXT, MAKELPARAM(3, 0x0151), "key 34 3 337"},
        {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(-1, -1), "context self -1,-1"},
        {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar), MAKELPARAM(300, 400), "context other 300,400"},
    };
    for (const auto& c : cases) {
        g_seen.clear();
        wnd.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(g_seen, c.seen) << c.message;
    }
    wnd.DestroyWindow();
    DrainQueue();
}

}   // namespace
