// End-to-end tests of the pager's marks and its row band: the real program
// driven through its menu commands and a real mouse, read back through its
// dialogs (Show all Marks, Go To's preset of the top line, Copy's preset of
// the band) and the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "auto_input.h"
#include "zodo_session.h"

using namespace zodo_e2e;

namespace {

TEST(PagerMarks, ShowAllMarksListsThemInLetterOrderAndClearAllEmptiesIt)
{
    PagerSession z(NumberedLines(60));
    EXPECT_EQ(z.ShowMarks(), "");
    z.GoTo(12);
    z.Mark(ID_SET_MARK, "b");
    z.GoTo(40);
    z.Mark(ID_SET_MARK, "a");
    EXPECT_EQ(z.ShowMarks(), "a\tLine 40\r\nb\tLine 12\r\n");
    // A mark set again moves.
    z.GoTo(41);
    z.Mark(ID_SET_MARK, "a");
    EXPECT_EQ(z.ShowMarks(IDC_CLEAR_ALL), "a\tLine 41\r\nb\tLine 12\r\n");
    EXPECT_EQ(z.ShowMarks(), "");
    EXPECT_EQ(z.TopLine(), 41);
}

TEST(PagerMarks, SkipToMarkJumpsAndAnUnsetMarkDoesNothing)
{
    PagerSession z(NumberedLines(60));
    z.GoTo(25);
    z.Mark(ID_SET_MARK, "q");
    z.GoTo(3);
    z.Mark(ID_SKIP_TO_MARK, "q");
    EXPECT_EQ(z.TopLine(), 25);
    z.GoTo(50);
    z.Mark(ID_SKIP_TO_MARK, "r");
    EXPECT_EQ(z.TopLine(), 50);
    EXPECT_TRUE(z.NoMessageBox());
    // Cancel neither marks nor moves.
    Window dialog = z.Dialog(ID_SET_MARK, "Set Mark");
    dialog.Child(IDC_MARK_LETTER).SetText("c");
    PagerSession::Press(dialog, IDCANCEL);
    EXPECT_EQ(z.ShowMarks(), "q\tLine 25\r\n");
}

TEST(PagerMarks, OnlyLowerCaseLettersAreMarks)
{
    PagerSession z(NumberedLines(20));
    z.GoTo(5);
    for (int command : {ID_SET_MARK, ID_SKIP_TO_MARK}) {
        for (const char* letter : {"A", "", "1", "."}) {
            z.Mark(command, letter);
            EXPECT_EQ(z.Message(), "Marks must be in the range a-z") << command << " \"" << letter << '"';
        }
    }
    EXPECT_EQ(z.ShowMarks(), "");
    EXPECT_EQ(z.TopLine(), 5);
}

TEST(PagerMarks, EachWindowOfAFileHasItsOwnMarks)
{
    PagerSession z(NumberedLines(30));
    z.GoTo(7);
    z.Mark(ID_SET_MARK, "m");
    Window first = z.view();
    z.Command(ID_WINDOW_NEW);
    WaitUntil([&] { return !(z.WaitView() == first); }, "the new window's view");
    EXPECT_EQ(z.ShowMarks(), "");
    EXPECT_EQ(z.TopLine(), 1);
}

// The keys of the accelerator table and the toolbar buttons reach the
// commands of marks and Copy.
TEST(PagerMarks, KeysAndToolbarButtonsOpenTheDialogs)
{
    PagerSession z(NumberedLines(10));
    ASSERT_EQ(z.TopLine(), 1);
    const struct {
        WORD key;
        int modifiers;
        const char* caption;
        int close;
    } keys[] = {
        {'M', kNoModifier, "Set Mark", IDCANCEL},
        {VK_OEM_7, kNoModifier, "Skip to Mark", IDCANCEL},
        {'S', kNoModifier, "Show all Marks", IDOK},
        {'C', kCtrl, "Copy", IDCANCEL},
        {VK_INSERT, kCtrl, "Copy", IDCANCEL},
    };
    for (const auto& k : keys) {
        PressKey(z.view(), k.key, k.modifiers);
        PagerSession::Press(z.process().WaitDialog(k.caption), k.close);
    }
    Window bar = z.frame().ChildByClass("ToolbarWindow32");
    for (int id : {ID_EDIT_COPY, ID_SET_MARK, ID_SKIP_TO_MARK, ID_SHOW_MARKS}) {
        WaitUntil([&] { return bar.ToolbarButtonEnabled(id); }, "toolbar button " + std::to_string(id) + " enabled");
    }
    bar.ClickToolbarButton(ID_SET_MARK);
    Window mark = z.process().WaitDialog("Set Mark");
    mark.Child(IDC_MARK_LETTER).SetText("p");
    PagerSession::Press(mark, IDOK);
    EXPECT_EQ(z.ShowMarks(), "p\tLine 1\r\n");
}

// The row band, made with the mouse. Rows are as high as the display font
// (the stock fixed font while zodo.ini names none).
class PagerBand : public ::testing::Test {
protected:
    void SetUp() override
    {
        session_.reset(new PagerSession(NumberedLines(80)));
        // The window is tiled by a command the program posts to itself at
        // start; a command of ours, posted later, runs after it.
        ASSERT_EQ(session_->TopLine(), 1);
        row_ = StockFontMetrics(ANSI_FIXED_FONT).tmHeight;
        const Window& view = session_->view();
        RECT client;
        GetClientRect(view.hwnd(), &client);
        width_ = client.right;
        height_ = client.bottom;
        ASSERT_GT(height_, 10 * row_) << "the window is too small for the test";
        BringToForeground(view);
        // The right end of each row holds no text: its colour is the
        // background's, or the inverse of it while the row is in the band.
        WaitUntil(
            [&] {
                return ScreenPixel(view, RightEdge(), RowMiddle(0)) == ScreenPixel(view, RightEdge(), RowMiddle(8));
            },
            "the view drawn");
        background_ = ScreenPixel(view, RightEdge(), RowMiddle(8));
    }

    int RowMiddle(int row) const { return row * row_ + row_ / 2; }
    int RightEdge() const { return width_ - 3; }
    bool Inverted(int row) const
    {
        return ScreenPixel(session_->view(), RightEdge(), RowMiddle(row)) == (background_ ^ 0xFFFFFF);
    }
    void WaitInverted(int row) const
    {
        WaitUntil([&] { return Inverted(row); }, "row " + std::to_string(row) + " inverted");
    }
    std::string BandRows(int count) const
    {
        std::string rows;
        for (int r = 0; r < count; ++r)
            rows += Inverted(r) ? '#' : '.';
        return rows;
    }
    // A jump or a closed dialog leaves the view to repaint, and a repaint
    // drops the band: the press waits for that paint. The system may still
    // deliver the exposure a closed dialog left a moment later; a band
    // dropped by it before it was ever shown is pressed again. A view that
    // never shows its band fails every time.
    void Press(int row) const
    {
        for (int attempt = 0;; ++attempt) {
            WaitPainted(session_->view());
            PressMouseAt(session_->view(), 10, RowMiddle(row));
            WaitUntil([&] { return CaptureOf(session_->view()) == session_->view(); }, "the view to capture the mouse");
            if (attempt == 2 || PollUntil([&] { return Inverted(row); }, 2000))
                break;
            Release(RowMiddle(row));
        }
        WaitInverted(row);
    }
    void Release(int y) const
    {
        ReleaseMouseAt(session_->view(), 10, y);
        WaitUntil([&] { return !CaptureOf(session_->view()); }, "the view to let the mouse go");
    }
    // Copy's From and To as the band presets them; the dialog is cancelled.
    std::pair<std::string, std::string> CopyPreset() const
    {
        Window dialog = session_->Dialog(ID_EDIT_COPY, "Copy");
        std::pair<std::string, std::string> preset(dialog.Child(IDC_COPY_FROM).Text(),
                                                   dialog.Child(IDC_COPY_TO).Text());
        PagerSession::Press(dialog, IDCANCEL);
        return preset;
    }

    std::unique_ptr<PagerSession> session_;
    int row_ = 0, width_ = 0, height_ = 0;
    COLORREF background_ = 0;
};

TEST_F(PagerBand, ADragDownThenUpGrowsTheBandAndPresetsCopy)
{
    session_->GoTo(11);
    Press(3);
    EXPECT_EQ(BandRows(8), "...#....");
    DragMouseTo(session_->view(), 10, RowMiddle(6));
    WaitInverted(5);
    EXPECT_EQ(BandRows(8), "...###..");
    // Back up inside the band: it never shrinks.
    DragMouseTo(session_->view(), 10, RowMiddle(4));
    DragMouseTo(session_->view(), 10, RowMiddle(1));
    WaitInverted(1);
    EXPECT_EQ(BandRows(8), ".#####..");
    Release(RowMiddle(1));
    EXPECT_EQ(BandRows(8), ".#####..");
    // Rows 1 to 5 below line 11 at the top.
    EXPECT_EQ(CopyPreset(), std::make_pair(std::string("12"), std::string("16")));
}

TEST_F(PagerBand, DraggingBelowTheWindowReachesItsBottomEdge)
{
    Press(2);
    DragMouseTo(session_->view(), 10, height_ + 3 * row_);
    WaitUntil([&] { return Inverted((height_ - 1) / row_ - 1); }, "the band down to the bottom");
    Release(height_ + 3 * row_);
    // The last row begins one row above the client's bottom edge.
    EXPECT_EQ(CopyPreset(), std::make_pair(std::string("3"), std::to_string((height_ - row_) / row_ + 1)));
}

TEST_F(PagerBand, SetMarkTakesTheLineAtTheBandsTopAndAPressStartsANewBand)
{
    session_->GoTo(21);
    Press(4);
    Release(RowMiddle(4));
    WaitInverted(4);
    session_->Mark(ID_SET_MARK, "k");
    // A new press starts a band of its own; nothing of the earlier one is
    // left inverted.
    Press(2);
    Release(RowMiddle(2));
    EXPECT_EQ(BandRows(6), "..#...");
    session_->Mark(ID_SET_MARK, "j");
    EXPECT_EQ(session_->ShowMarks(), "j\tLine 23\r\nk\tLine 25\r\n");
    // A jump drops the band: Set Mark takes the top line, Copy opens empty.
    session_->GoTo(21);
    EXPECT_EQ(CopyPreset(), std::make_pair(std::string(), std::string()));
    session_->Mark(ID_SET_MARK, "t");
    EXPECT_EQ(session_->ShowMarks(), "j\tLine 23\r\nk\tLine 25\r\nt\tLine 21\r\n");
}

}   // namespace
