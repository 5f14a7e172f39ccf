// Modeless dialogs: made from a resource without a modal loop, owned by the
// top-level window of their parent, kept painted by work that pumps no
// messages, and gone on OK or Cancel.
#include <gtest/gtest.h>

#include "ui_test_app.h"
#include "ui_test_ids.h"
#include "window_test_support.h"

namespace {

class ProgressDlg : public CDialog {
public:
    ProgressDlg() : CDialog(IDD_UI_PROGRESS) {}
    CString m_name;
    virtual void DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_UI_NAME, m_name); }
};

bool NothingLeftToPaint(HWND hWnd)
{
    if (GetUpdateRect(hWnd, nullptr, FALSE))
        return false;
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!NothingLeftToPaint(child))
            return false;
    }
    return true;
}

TEST(Modeless, ShowsAndRepaintsWithoutAMessageLoop)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    DrainQueue();
    HWND owner = CreateWindowExA(
        0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND child =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, owner, nullptr, nullptr, nullptr);
    ProgressDlg dlg;
    dlg.m_name = "first";
    ASSERT_TRUE(dlg.Create(IDD_UI_PROGRESS, CWnd::FromHandle(child)));
    ASSERT_NE(dlg.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    // Owned by the child's top-level window, not the child.
    EXPECT_EQ(GetWindow(dlg.m_hWnd, GW_OWNER), owner);
    // The initial exchange filled the field.
    char text[64] = "";
    GetDlgItemTextA(dlg.m_hWnd, IDC_UI_NAME, text, sizeof(text));
    EXPECT_STREQ(text, "first");

    dlg.ShowWindow(SW_SHOWNA);
    const char* names[] = {"alpha.txt", "beta/gamma.c", ""};
    for (const char* name : names) {
        dlg.SetDlgItemText(IDC_UI_NAME, name);
        dlg.UpdateWindow();
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(NothingLeftToPaint(dlg.m_hWnd)) << name;
        GetDlgItemTextA(dlg.m_hWnd, IDC_UI_NAME, text, sizeof(text));
        EXPECT_STREQ(text, name);
    }

    // Dialog units map by the dialog's own font, as the system sized the
    // window from its template.
    CRect rect(0, 0, 221, 13);
    dlg.MapDialogRect(rect);
    RECT client;
    GetClientRect(dlg.m_hWnd, &client);
    EXPECT_EQ(rect.Width(), client.right);
    EXPECT_EQ(rect.Height(), client.bottom);

    HWND hDlg = dlg.m_hWnd;
    dlg.EndDialog(IDCANCEL);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    DestroyWindow(owner);
    DrainQueue();
}

TEST(Modeless, ObjectThatGoesTakesItsWindow)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    HWND hDlg = nullptr;
    {
        ProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_UI_PROGRESS));
        hDlg = dlg.m_hWnd;
        EXPECT_TRUE(IsWindow(hDlg));
        // A second Create on a live dialog is refused.
        EXPECT_FALSE(dlg.Create(IDD_UI_PROGRESS));
    }
    EXPECT_FALSE(IsWindow(hDlg));
    DrainQueue();
}

}   // namespace
