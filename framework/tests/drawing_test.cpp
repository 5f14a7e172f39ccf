// The drawing, scrolling, capture and font calls that views which draw for
// themselves use, on real windows of this process, and the font dialog.
#include <gtest/gtest.h>

#include "ui_test_app.h"
#include "window_test_support.h"

namespace {

TEST(Geometry, PointsFromMouseMessagesKeepTheirSign)
{
    const struct {
        LPARAM packed;
        int x;
        int y;
    } cases[] = {
        {MAKELPARAM(10, 20), 10, 20},
        {MAKELPARAM(static_cast<WORD>(-5), 7), -5, 7},
        {MAKELPARAM(3, static_cast<WORD>(-32768)), 3, -32768},
        {MAKELPARAM(65535, 65535), -1, -1},
    };
    for (const auto& c : cases) {
        CPoint point(c.packed);
        EXPECT_EQ(point.x, c.x) << c.packed;
        EXPECT_EQ(point.y, c.y) << c.packed;
    }
}

TEST(Geometry, RectangleContainsItsTopLeftButNotItsBottomRight)
{
    CRect rect(10, 20, 30, 40);
    const struct {
        int x;
        int y;
        bool inside;
    } cases[] = {
        {10, 20, true},
        {29, 39, true},
        {30, 39, false},
        {29, 40, false},
        {9, 25, false},
        {15, 19, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rect.PtInRect(CPoint(c.x, c.y)), c.inside) << c.x << "," << c.y;
    CRect band(50, 80, 0, 10);   // dragged upwards and to the left
    band.NormalizeRect();
    EXPECT_EQ(band, CRect(0, 10, 50, 80));
}

// A plain window of our view class on the screen, white inside.
class PaintWnd : public CWnd {
public:
    BOOL Make(int x, int y, int cx, int cy, DWORD extraStyle = 0)
    {
        AfxRegisterFrameworkClasses();
        return CreateEx(
            0, AFX_WNDVIEW_CLASS, "drawing", WS_POPUP | WS_VISIBLE | extraStyle, x, y, cx, cy, nullptr, nullptr);
    }
};

struct Drawing : ::testing::Test {
    PaintWnd wnd;
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        ASSERT_TRUE(wnd.Make(40, 50, 200, 150, WS_VSCROLL));
        wnd.UpdateWindow();
    }
    void TearDown() override
    {
        if (wnd.m_hWnd)
            wnd.DestroyWindow();
        DrainQueue();
    }
};

TEST_F(Drawing, ScrollBarCallsReachTheWindowsOwnBar)
{
    wnd.SetScrollRange(SB_VERT, 1, 100, FALSE);
    EXPECT_EQ(wnd.SetScrollPos(SB_VERT, 40), 1);
    EXPECT_EQ(wnd.SetScrollPos(SB_VERT, 60, FALSE), 40);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 60);
    // A position past the range stops at its end.
    wnd.SetScrollPos(SB_VERT, 500);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 100);
    int low = -1;
    int high = -1;
    wnd.GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 100);
    SCROLLINFO info = {};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(info.nPos, 100);
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nMax, 100);
    // The other bar is untouched.
    EXPECT_EQ(wnd.GetScrollPos(SB_HORZ), 0);
    wnd.ShowScrollBar(SB_VERT, FALSE);
    EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);
    wnd.ShowScrollBar(SB_VERT, TRUE);
    EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
}

TEST_F(Drawing, InvertedBandTogglesAndScrollingMovesPixels)
{
    CRect client;
    wnd.GetClientRect(client);
    {
        CClientDC dc(&wnd);
        ASSERT_NE(dc.m_hDC, nullptr);
        dc.FillSolidRect(client, RGB(255, 255, 255));
        CRect band(0, 20, client.right, 40);
        dc.InvertRect(band);
        EXPECT_EQ(dc.GetPixel(5, 25), RGB(0, 0, 0));
        EXPECT_EQ(dc.GetPixel(5, 45), RGB(255, 255, 255));
        dc.InvertRect(band);
        EXPECT_EQ(dc.GetPixel(5, 25), RGB(255, 255, 255));
        dc.FillSolidRect(CRect(0, 60, 10, 70), RGB(255, 0, 0));
    }
    wnd.ValidateRect(nullptr);
    // Forward by 30 pixels: what was at 60 is now at 30, and the band that
    // came into view waits to be painted.
    wnd.ScrollWindow(0, -30);
    {
        CClientDC dc(&wnd);
        EXPECT_EQ(dc.GetPixel(5, 35), RGB(255, 0, 0));
    }
    CRect update;
    ASSERT_TRUE(GetUpdateRect(wnd.m_hWnd, update, FALSE));
    EXPECT_EQ(update.top, client.bottom - 30);
    EXPECT_EQ(update.bottom, client.bottom);
}

TEST_F(Drawing, CaptureAndCoordinatesBelongToTheWindow)
{
    EXPECT_EQ(wnd.SetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), &wnd);
    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    CRect client;
    wnd.GetClientRect(client);
    CRect onScreen = client;
    wnd.ClientToScreen(onScreen);
    CPoint corner(0, 0);
    wnd.ClientToScreen(corner);
    EXPECT_EQ(onScreen.TopLeft(), corner);
    EXPECT_EQ(onScreen.Width(), client.Width());
    wnd.ScreenToClient(onScreen);
    EXPECT_EQ(onScreen, client);
}

TEST_F(Drawing, PointFontHasTheAskedCharacterHeightOnTheDevice)
{
    CClientDC dc(&wnd);
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    for (int tenths : {80, 100, 240}) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(tenths, "Courier New", &dc));
        CFont* old = dc.SelectObject(&font);
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(old);
        EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, MulDiv(tenths, dpi, 720), 1) << tenths;
    }
}

// Answers the font dialog of this thread, once it shows, with OK or Cancel.
UINT g_fontAnswer = IDOK;
bool g_fontDialogSeen = false;
BOOL CALLBACK AnswerFontDialog(HWND hWnd, LPARAM)
{
    char cls[16] = "";
    char caption[64] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    GetWindowTextA(hWnd, caption, sizeof(caption));
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hWnd) || lstrcmpA(caption, "Font") != 0)
        return TRUE;
    g_fontDialogSeen = true;
    PostMessageA(hWnd, WM_COMMAND, g_fontAnswer, 0);
    return FALSE;
}
void CALLBACK FontTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &AnswerFontDialog, 0);
    if (g_fontDialogSeen)
        KillTimer(nullptr, id);
}

TEST_F(Drawing, FontDialogReturnsThePresetFontAndColourOnOk)
{
    // The stock fixed font, under the face this system really draws it
    // with, so the dialog's list holds it.
    LOGFONTA preset = {};
    GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof(preset), &preset);
    {
        CClientDC dc(&wnd);
        HGDIOBJ old = dc.SelectStockObject(ANSI_FIXED_FONT);
        dc.GetTextFace(LF_FACESIZE, preset.lfFaceName);
        dc.SelectObject(old);
    }
    for (UINT answer : {IDOK, IDCANCEL}) {
        CFontDialog dlg(&preset, CF_SCREENFONTS | CF_EFFECTS, nullptr, &wnd);
        EXPECT_TRUE(dlg.m_cf.Flags & CF_INITTOLOGFONTSTRUCT);
        dlg.m_cf.rgbColors = RGB(0, 0, 255);
        g_fontAnswer = answer;
        g_fontDialogSeen = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, &FontTimer);
        INT_PTR result = dlg.DoModal();
        KillTimer(nullptr, timer);
        EXPECT_TRUE(g_fontDialogSeen);
        EXPECT_EQ(result, static_cast<INT_PTR>(answer));
        if (answer == IDOK) {
            EXPECT_STREQ(dlg.GetFaceName(), preset.lfFaceName);
            EXPECT_EQ(dlg.GetColor(), RGB(0, 0, 255));
            LOGFONTA chosen = {};
            dlg.GetCurrentFont(&chosen);
            EXPECT_STREQ(chosen.lfFaceName, preset.lfFaceName);
            EXPECT_FALSE(dlg.IsUnderline());
            EXPECT_GT(dlg.GetSize(), 0);
        }
    }
}

TEST(FontDialog, PrinterContextListsPrinterFonts)
{
    CDC printer;
    printer.m_hDC = reinterpret_cast<HDC>(static_cast<INT_PTR>(0x1234));   // never drawn on
    CFontDialog withFlag(nullptr, CF_PRINTERFONTS, &printer);
    EXPECT_EQ(withFlag.m_cf.hDC, printer.m_hDC);
    EXPECT_EQ(withFlag.m_cf.Flags & (CF_PRINTERFONTS | CF_SCREENFONTS | CF_EFFECTS),
              static_cast<DWORD>(CF_PRINTERFONTS));
    CFontDialog bare(nullptr, 0, &printer);
    EXPECT_TRUE(bare.m_cf.Flags & CF_PRINTERFONTS);
    EXPECT_FALSE(bare.m_cf.Flags & CF_INITTOLOGFONTSTRUCT);
    printer.m_hDC = nullptr;
}

}   // namespace

namespace {

// A program makes the new font itself and hands it over only once it
// exists, so a failed creation leaves the font in use.
TEST(FontObject, AttachTakesOverAndNullKeepsTheFontInUse)
{
    LOGFONTA description = {};
    description.lfHeight = -17;
    lstrcpynA(description.lfFaceName, "Courier New", LF_FACESIZE);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    HFONT first = font;

    EXPECT_FALSE(font.Attach(nullptr));
    EXPECT_EQ(static_cast<HFONT>(font), first);

    description.lfHeight = -23;
    HFONT second = CreateFontIndirectA(&description);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(font.Attach(second));
    EXPECT_EQ(static_cast<HFONT>(font), second);
    LOGFONTA held = {};
    ASSERT_NE(font.GetLogFont(&held), 0);
    EXPECT_EQ(held.lfHeight, -23);

    // Detached, the font is the caller's again and outlives the object.
    HFONT back = font.Detach();
    EXPECT_EQ(back, second);
    EXPECT_EQ(static_cast<HFONT>(font), nullptr);
    EXPECT_NE(GetObjectA(back, sizeof held, &held), 0);
    DeleteObject(back);
}

}   // namespace
