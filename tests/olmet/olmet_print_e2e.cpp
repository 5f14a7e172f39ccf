// olmet prints its rows on the test printer and previews the same pages.
// How many rows a page holds follows from the printer: its page height and
// the height on it of the font the framework prints the device's default
// font with, two rows for the header and two free at the bottom.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "afxprint.h"
#include "auto.h"
#include "olmet/resource.h"
#include "print_e2e_support.h"

using namespace tamrel_auto;
using namespace print_support;

namespace {

::testing::Environment* const g_printer = ::testing::AddGlobalTestEnvironment(new PrinterEnvironment);

const char kFrameEnd[] = " - OLMET for Windows";

int RowsPerPrintedPage()
{
    HDC dc = TestPrinter::OpenDC();
    EXPECT_NE(dc, nullptr);
    if (!dc)
        return 0;
    LOGFONTA description;
    GetObjectA(GetStockObject(DEVICE_DEFAULT_FONT), sizeof description, &description);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ old = SelectObject(dc, AfxLegiblePrinterFont(dc, font));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    int height = GetDeviceCaps(dc, VERTRES);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return (height - 4 * tm.tmHeight) / tm.tmHeight;
}

std::string Decimal7(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%07ld", value);
    return text;
}

TEST(OlmetPrint, PagesHoldWhatFitsAndPreviewShowsTheSamePages)
{
    const int perPage = RowsPerPrintedPage();
    ASSERT_GT(perPage, 0);
    TempDir temp("OlmetPrint");
    // One row more than a page: two pages, the second with one row of 5 bytes.
    const long size = static_cast<long>(perPage) * 16 + 5;
    temp.Write("Rows.BIN", std::string(static_cast<size_t>(size), 'r'));
    Process process = Process::Launch(ProgramPath("olmet.exe"), temp.Path("Rows.BIN"), temp.path());
    Window frame = process.WaitFrame(kFrameEnd);

    PsDocument doc = PrintFromMenu(process, frame, temp.Path("olmet.ps"));
    ASSERT_EQ(doc.pages.size(), 2u);

    std::vector<Row> first = doc.pages[0].Rows();
    std::vector<Row> second = doc.pages[1].Rows();
    ASSERT_EQ(first.size(), static_cast<size_t>(perPage) + 1);   // the header and a page of rows
    ASSERT_EQ(second.size(), 2u);
    const std::string path = Lower(temp.Path("Rows.BIN"));
    EXPECT_NE(first[0].text.find("  " + path + "  Page 1"), std::string::npos) << first[0].text;
    EXPECT_NE(second[0].text.find("  " + path + "  Page 2"), std::string::npos) << second[0].text;
    EXPECT_EQ(first[1].text.substr(0, 7), "0000000");
    EXPECT_EQ(first.back().text.substr(0, 7), Decimal7((perPage - 1) * 16L));
    EXPECT_EQ(second[1].text.substr(0, 7), Decimal7(perPage * 16L));
    EXPECT_EQ(second[1].text.substr(second[1].text.size() - 16), "rrrrr...........");

    Window view = frame.Child(0xE900);
    frame.MenuCommand(ID_FILE_PRINT_PREVIEW);
    Window bar;
    WaitUntil(
        [&] {
            bar = frame.FindChild(AFX_IDW_PREVIEW_BAR);
            return bar && bar.FindChild(AFX_IDC_PREVIEW_PAGES).Text() != "";
        },
        "the print preview");
    EXPECT_EQ(CountPreviewPages(bar), 2);
    bar.Child(AFX_ID_PREVIEW_CLOSE).Click();
    WaitUntil([&] { return !frame.FindChild(AFX_IDW_PREVIEW) && view.Visible(); }, "the view back after the preview");
}

}   // namespace
