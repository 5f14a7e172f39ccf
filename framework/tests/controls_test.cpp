// List boxes of several selections and columns, and the header control.
#include <gtest/gtest.h>

#include <vector>

#include "ui_test_app.h"
#include "window_test_support.h"

namespace {

struct Lists : ::testing::Test {
    CListBox list;
    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        HWND hList = CreateWindowExA(0,
                                     "LISTBOX",
                                     "",
                                     WS_POPUP | LBS_EXTENDEDSEL | LBS_NOTIFY,
                                     0,
                                     0,
                                     200,
                                     200,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr);
        ASSERT_TRUE(list.Attach(hList));
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
            list.AddString(name);
    }
    void TearDown() override
    {
        if (HWND hList = list.Detach())
            DestroyWindow(hList);
    }
    std::vector<int> Selected() const
    {
        std::vector<int> indices(static_cast<size_t>(list.GetCount()));
        int n = list.GetSelItems(static_cast<int>(indices.size()), indices.data());
        indices.resize(static_cast<size_t>(n < 0 ? 0 : n));
        return indices;
    }
};

TEST_F(Lists, SeveralSelectionsAreSetReadAndClearedTogether)
{
    list.SetSel(3);
    list.SetSel(1);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.GetSelCount(), 2);
    EXPECT_GT(list.GetSel(3), 0);
    EXPECT_EQ(list.GetSel(2), 0);
    EXPECT_EQ(list.GetSel(9), LB_ERR);

    // -1 is every line at once.
    list.SetSel(-1, TRUE);
    EXPECT_EQ(list.GetSelCount(), 5);
    list.SetSel(-1, FALSE);
    EXPECT_EQ(list.GetSelCount(), 0);

    list.SelItemRange(TRUE, 1, 3);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
    list.SelItemRange(FALSE, 2, 2);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 3}));
    // Fewer room than selections: the first ones.
    int first = -1;
    EXPECT_EQ(list.GetSelItems(1, &first), 1);
    EXPECT_EQ(first, 1);
}

TEST_F(Lists, FindingAndSelectingByText)
{
    EXPECT_EQ(list.FindString(-1, "c"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "c"), LB_ERR);
    EXPECT_EQ(list.FindStringExact(-1, "C.TXT"), 2);
    list.SetItemData(4, 77);
    EXPECT_EQ(list.GetItemData(4), 77u);
    CString text;
    list.GetText(4, text);
    EXPECT_STREQ(text, "e.txt");
}

TEST(ListColumns, ColumnWidthSpreadsEntriesAcrossColumns)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    HWND hList = CreateWindowExA(0,
                                 "LISTBOX",
                                 "",
                                 WS_POPUP | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT,
                                 0,
                                 0,
                                 300,
                                 100,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr);
    CListBox list;
    ASSERT_TRUE(list.Attach(hList));
    const int rowHeight = list.GetItemHeight(0);
    const int rows = 100 / rowHeight;
    for (int i = 0; i < 3 * rows; ++i)
        list.AddString("name");
    for (int width : {40, 90}) {
        list.SetColumnWidth(width);
        CRect second;
        ASSERT_NE(list.GetItemRect(rows, second), LB_ERR);
        EXPECT_EQ(second.left, width) << width;
        EXPECT_EQ(second.top, 0) << width;
    }
    list.SetFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT))), FALSE);
    EXPECT_EQ(list.GetFont()->m_hObject, GetStockObject(ANSI_FIXED_FONT));
    list.Detach();
    DestroyWindow(hList);
}

TEST(Header, ColumnsAreInsertedAndResized)
{
    if (!WindowsAvailable())
        GTEST_SKIP() << "no window system";
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(
        WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NORESIZE, CRect(0, 0, 400, 20), CWnd::FromHandle(parent), 108));
    EXPECT_EQ(GetDlgCtrlID(header.m_hWnd), 108);
    EXPECT_EQ(CWnd::FromHandlePermanent(header.m_hWnd), &header);
    const struct {
        const char* text;
        int width;
        int format;
    } columns[] = {
        {"Mode", 49, HDF_CENTER},
        {"Size", 70, HDF_CENTER},
        {"Modified", 126, HDF_CENTER},
        {" Name", 155, HDF_LEFT},
    };
    int x = 0;
    int position = 0;
    for (const auto& c : columns) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<char*>(c.text);
        item.cxy = c.width;
        item.fmt = c.format | HDF_STRING;
        EXPECT_EQ(header.InsertItem(position, &item), position);
        ++position;
    }
    ASSERT_EQ(header.GetItemCount(), 4);
    for (int i = 0; i < 4; ++i) {
        char text[32] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ASSERT_TRUE(header.GetItem(i, &item));
        EXPECT_STREQ(text, columns[i].text);
        EXPECT_EQ(item.cxy, columns[i].width);
        EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, columns[i].format);
        CRect rect;
        ASSERT_TRUE(header.GetItemRect(i, rect));
        EXPECT_EQ(rect.left, x);
        x += columns[i].width;
    }
    // The last column takes what a wider window leaves.
    HDITEMA wider = {};
    wider.mask = HDI_WIDTH;
    wider.cxy = 255;
    ASSERT_TRUE(header.SetItem(3, &wider));
    CRect last;
    header.GetItemRect(3, last);
    EXPECT_EQ(last.Width(), 255);

    header.SetFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT))));
    EXPECT_EQ(header.GetFont()->m_hObject, GetStockObject(ANSI_FIXED_FONT));
    DestroyWindow(parent);
    EXPECT_EQ(header.m_hWnd, nullptr);
    DrainQueue();
}

}   // namespace
