// Where dialogs open: centred over their owner, over the work area when
// the owner is hidden or there is none, and where the template or the
// dialog itself puts them otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ui_test_app.h"
#include "ui_test_ids.h"
#include "window_test_support.h"

namespace {

const UINT WM_UI_MEASURE = WM_APP + 7;

// An in-memory template without controls, in the classic or the extended form.
std::vector<WORD> Template(DWORD style, short x, short y, bool extended = false)
{
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    if (extended) {
        t.push_back(1);
        t.push_back(0xFFFF);
        dword(0);   // help id
        dword(0);   // extended style
        dword(style);
    } else {
        dword(style);
        dword(0);
    }
    t.push_back(0);   // no controls
    t.push_back(static_cast<WORD>(x));
    t.push_back(static_cast<WORD>(y));
    t.push_back(150);
    t.push_back(60);
    t.push_back(0);   // no menu
    t.push_back(0);   // the dialog class
    t.push_back(0);   // no caption
    return t;
}

RECT WorkAreaOf(HWND hWnd)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromWindow(hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

::testing::AssertionResult CentredOver(HWND inner, const RECT& outer)
{
    RECT r;
    GetWindowRect(inner, &r);
    int dx = (r.left + r.right) - (outer.left + outer.right);
    int dy = (r.top + r.bottom) - (outer.top + outer.bottom);
    if (std::abs(dx) <= 1 && std::abs(dy) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "dialog at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
                                         << ", off centre by " << dx / 2 << "," << dy / 2;
}

RECT RectOf(HWND hWnd)
{
    RECT r;
    GetWindowRect(hWnd, &r);
    return r;
}

struct Owner {
    HWND hWnd;
    explicit Owner(bool visible = true)
    {
        hWnd = CreateWindowExA(0,
                               "STATIC",
                               "owner",
                               WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                               200,
                               150,
                               500,
                               400,
                               nullptr,
                               nullptr,
                               nullptr,
                               nullptr);
    }
    ~Owner()
    {
        DestroyWindow(hWnd);
        DrainQueue();
    }
    CWnd* Wnd() const { return CWnd::FromHandle(hWnd); }
};

// Moves itself during OnInitDialog, as a dialog that knows its place does.
class SelfPlacedDlg : public CDialog {
public:
    SelfPlacedDlg() : CDialog(0) {}
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        ::SetWindowPos(m_hWnd, nullptr, 17, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
};

// A modal dialog that measures itself once its modal loop runs.
class MeasuredDlg : public CDialog {
public:
    MeasuredDlg(UINT nID, CWnd* pParent) : CDialog(nID, pParent) {}
    RECT m_rect = {};
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        PostMessage(WM_UI_MEASURE);
        return TRUE;
    }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_UI_MEASURE) {
            ::GetWindowRect(m_hWnd, &m_rect);
            EndDialog(IDOK);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(DialogPlacement, ModelessDialogsAreCentredOverTheirOwnerUnlessTheTemplatePlacesThem)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    const DWORD popup = DS_MODALFRAME | WS_POPUP | WS_CAPTION;
    struct Case {
        const char* what;
        DWORD style;
        short x, y;
        bool extended;
        bool centred;
    } cases[] = {
        {"at 0, 0", popup, 0, 0, false, true},
        {"extended, at 0, 0", popup, 0, 0, true, true},
        {"at 30, 20", popup, 30, 20, false, false},
        {"extended, at 30, 20", popup, 30, 20, true, false},
        {"on the screen at 40, 30", popup | DS_ABSALIGN, 40, 30, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Owner owner;
        std::vector<WORD> tmpl = Template(c.style, c.x, c.y, c.extended);
        CDialog dlg(0);
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.data(), owner.Wnd()));
        if (c.centred) {
            EXPECT_TRUE(CentredOver(dlg.m_hWnd, RectOf(owner.hWnd)));
            continue;
        }
        // Where the system put it from the template: its client area x, y
        // dialog units from the owner's client area, or from the screen's
        // corner.
        CRect place(c.x, c.y, 0, 0);
        dlg.MapDialogRect(place);
        POINT origin = {0, 0};
        if (!(c.style & DS_ABSALIGN))
            ClientToScreen(owner.hWnd, &origin);
        POINT client = {0, 0};
        ClientToScreen(dlg.m_hWnd, &client);
        EXPECT_EQ(client.x, origin.x + place.left);
        EXPECT_EQ(client.y, origin.y + place.top);
        dlg.DestroyWindow();
    }
}

TEST(DialogPlacement, ADialogThatPlacedItselfStaysThere)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    Owner owner;
    std::vector<WORD> tmpl = Template(DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0);
    SelfPlacedDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.data(), owner.Wnd()));
    RECT r = RectOf(dlg.m_hWnd);
    EXPECT_EQ(r.left, 17);
    EXPECT_EQ(r.top, 23);
}

TEST(DialogPlacement, WithoutAVisibleOwnerTheWorkAreaIsTheCentre)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    std::vector<WORD> tmpl = Template(DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0);
    {
        Owner hidden(false);
        CDialog dlg(0);
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.data(), hidden.Wnd()));
        EXPECT_TRUE(CentredOver(dlg.m_hWnd, WorkAreaOf(dlg.m_hWnd)));
    }
    CDialog alone(0);
    ASSERT_TRUE(alone.CreateIndirect(tmpl.data(), nullptr));
    EXPECT_TRUE(CentredOver(alone.m_hWnd, WorkAreaOf(alone.m_hWnd)));
}

TEST(DialogPlacement, ModalDialogsFromResourcesFollowTheSameRule)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    Owner owner;
    MeasuredDlg plain(IDD_UI_PLAIN, owner.Wnd());
    ASSERT_EQ(plain.DoModal(), IDOK);
    RECT ownerRect = RectOf(owner.hWnd);
    int dx = (plain.m_rect.left + plain.m_rect.right) - (ownerRect.left + ownerRect.right);
    int dy = (plain.m_rect.top + plain.m_rect.bottom) - (ownerRect.top + ownerRect.bottom);
    EXPECT_LE(std::abs(dx), 1);
    EXPECT_LE(std::abs(dy), 1);

    // A template with a position keeps it, counted from the owner's client area.
    MeasuredDlg placed(IDD_UI_PLACED, owner.Wnd());
    ASSERT_EQ(placed.DoModal(), IDOK);
    POINT origin = {0, 0};
    ClientToScreen(owner.hWnd, &origin);
    EXPECT_GT(placed.m_rect.left, origin.x);
    EXPECT_GT(placed.m_rect.top, origin.y);
    EXPECT_LT(placed.m_rect.left, origin.x + 100);
    EXPECT_LT(placed.m_rect.top, origin.y + 100);
}

// Near the screen's edge a centred dialog would stick out: it is kept whole
// inside the work area.
TEST(DialogPlacement, ACentredDialogStaysInsideTheWorkArea)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    HWND owner = CreateWindowExA(
        0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, -80, -60, 120, 90, nullptr, nullptr, nullptr, nullptr);
    std::vector<WORD> tmpl = Template(DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0);
    CDialog dlg(0);
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.data(), CWnd::FromHandle(owner)));
    RECT r = RectOf(dlg.m_hWnd);
    RECT area = WorkAreaOf(dlg.m_hWnd);
    EXPECT_EQ(r.left, area.left);
    EXPECT_EQ(r.top, area.top);
    dlg.DestroyWindow();
    DestroyWindow(owner);
    DrainQueue();
}

}   // namespace
