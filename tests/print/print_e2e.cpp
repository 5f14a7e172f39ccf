// End-to-end tests of printing in ombrix's output view: Print, Print
// Preview and Print Setup from the menu, on a PostScript printer that this
// test program adds to the Wine prefix and whose port spools to a file. The
// spooled PostScript is read back: its pages, the text of every row and the
// font each row is set in.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "afxwin.h"
#include "auto.h"
#include "ombrix/resource.h"
#include "print_e2e_support.h"

using namespace tamrel_auto;
using print_support::CountPreviewPages;
using print_support::ParsePostScript;
using print_support::PressAndRead;
using print_support::PsDocument;
using print_support::PsPage;
using print_support::Row;
using print_support::RowTexts;
using print_support::SplitLines;
using print_support::TestPrinter;
using print_support::WaitSpooled;

namespace {

const char kFrameEnd[] = " - UNIX Utilities";
const char kNoPrinter[] = "No printer is installed.";

// Controls of the system's Print and Print Setup dialogs.
const int kPrintToFile = 0x410;   // check box
const int kRangePages = 0x422;    // radio "Pages"
const int kRangeFrom = 0x480;
const int kRangeTo = 0x481;
const int kLandscape = 0x421;   // radio in Print Setup

::testing::Environment* const g_printer = ::testing::AddGlobalTestEnvironment(new print_support::PrinterEnvironment);

// How the printer lays out the printer font: rows per page, and the
// PostScript name the font's face gets (its face without blanks).
//
// The views ask for the printer's default font. Where the printer makes it
// smaller than 6 points (a 16-dot font at 300 dots an inch) the framework
// prints in a fixed-pitch 10-point font instead; the layout is that of the
// font the framework picks, whose size and pitch are checked here.
struct PrinterLayout {
    int rowsPerPage = 0;
    std::string face;
    std::string screenFace;   // the view's screen font on the same printer
    int screenRowsPerPage = 0;
    double defaultPoints = 0;   // the printer's default font on this printer
    double points = 0;          // the font the pages are printed in
    bool fixedPitch = false;
    bool isDefault = false;   // printed in the printer's default font itself
};

double Points(const TEXTMETRICA& tm, HDC dc)
{
    return (tm.tmHeight - tm.tmInternalLeading) * 72.0 / GetDeviceCaps(dc, LOGPIXELSY);
}

PrinterLayout LayoutFor(short orientation)
{
    PrinterLayout layout;
    HANDLE printer = nullptr;
    std::vector<char> mode;
    if (OpenPrinterA(const_cast<char*>(TestPrinter::kName), &printer, nullptr)) {
        LONG size = DocumentPropertiesA(nullptr, printer, const_cast<char*>(TestPrinter::kName), nullptr, nullptr, 0);
        if (size > 0) {
            mode.resize(static_cast<size_t>(size));
            DocumentPropertiesA(nullptr,
                                printer,
                                const_cast<char*>(TestPrinter::kName),
                                reinterpret_cast<DEVMODEA*>(mode.data()),
                                nullptr,
                                DM_OUT_BUFFER);
            DEVMODEA* dm = reinterpret_cast<DEVMODEA*>(mode.data());
            dm->dmOrientation = orientation;
            dm->dmFields |= DM_ORIENTATION;
        }
        ClosePrinter(printer);
    }
    HDC dc = TestPrinter::OpenDC(mode.empty() ? nullptr : reinterpret_cast<DEVMODEA*>(mode.data()));
    if (!dc)
        return layout;
    char face[LF_FACESIZE] = "";
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    GetTextFaceA(dc, sizeof face, face);
    for (char c : std::string(face))
        if (c != ' ')
            layout.screenFace += c;
    TEXTMETRICA screen = {};
    GetTextMetricsA(dc, &screen);
    if (screen.tmHeight + screen.tmExternalLeading > 0)
        layout.screenRowsPerPage = GetDeviceCaps(dc, VERTRES) / (screen.tmHeight + screen.tmExternalLeading);
    HFONT deviceDefault = static_cast<HFONT>(GetStockObject(DEVICE_DEFAULT_FONT));
    SelectObject(dc, deviceDefault);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    layout.defaultPoints = Points(tm, dc);
    HFONT printed = AfxLegiblePrinterFont(dc, deviceDefault);
    layout.isDefault = printed == deviceDefault;
    SelectObject(dc, printed);
    GetTextFaceA(dc, sizeof face, face);
    for (char c : std::string(face))
        if (c != ' ')
            layout.face += c;
    GetTextMetricsA(dc, &tm);
    layout.points = Points(tm, dc);
    // The bit is set for a variable pitch.
    layout.fixedPitch = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
    SelectObject(dc, old);
    int rowHeight = tm.tmHeight + tm.tmExternalLeading;
    if (rowHeight > 0)
        layout.rowsPerPage = GetDeviceCaps(dc, VERTRES) / rowHeight;
    DeleteDC(dc);
    return layout;
}

size_t PagesFor(size_t lines, int rowsPerPage)
{
    return (lines + static_cast<size_t>(rowsPerPage) - 1) / static_cast<size_t>(rowsPerPage);
}

// The family part of a PostScript font name: "DejaVuSans" of "DejaVuSans-Bold".
std::string Family(const std::string& psName)
{
    return psName.substr(0, psName.find('-'));
}

// ombrix with word-count results long enough for several pages: one line
// per file and a total.
struct Ombrix {
    TempDir temp;
    std::string dir;
    Process process;
    Window frame;
    Window view;
    std::string title;
    std::vector<std::string> lines;

    explicit Ombrix(int files) : dir(temp.MakeDir("Print Dir"))
    {
        for (int i = 0; i < files; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "\\f%03d.txt", i);
            WriteFileBytes(dir + name, std::string(static_cast<size_t>(i % 7), 'w') + "\n");
        }
        process = Process::Launch(ProgramPath("ombrix.exe"), "-w", dir);
        Window dialog = process.WaitDialog("WC for Windows");
        dialog.Child(IDC_WC_FILENAMES).SetText("*.txt");
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        frame = process.WaitFrame(kFrameEnd);
        view = frame.ChildByClass("Edit");
        std::string text;
        WaitUntil(
            [&] {
                text = view.Text();
                return text.find("total\r\n") != std::string::npos;
            },
            "the results");
        lines = SplitLines(text);
        std::string caption = frame.Caption();
        title = caption.substr(0, caption.size() - std::string(kFrameEnd).size());
    }

    std::string Path(const std::string& name) const { return temp.Path(name); }

    // Print from the menu; the Print dialog is returned open.
    Window OpenPrintDialog() const
    {
        frame.MenuCommand(ID_FILE_PRINT);
        return process.WaitDialog("Print");
    }

    // The preview's bar, which holds its buttons and page text, once the
    // preview shows.
    Window Preview() const
    {
        frame.MenuCommand(ID_FILE_PRINT_PREVIEW);
        Window bar;
        WaitUntil(
            [&] {
                Window preview = frame.FindChild(AFX_IDW_PREVIEW);
                bar = frame.FindChild(AFX_IDW_PREVIEW_BAR);
                return preview && preview.Visible() && bar && bar.FindChild(AFX_IDC_PREVIEW_PAGES).Text() != "";
            },
            "the print preview");
        return bar;
    }
};

// A picture of the screen, kept as an artifact of the run beside the test
// results; TRUE once the preview shows a white page in it.
bool SaveScreenshot(const Window& window, const std::string& path)
{
    RECT rect;
    GetWindowRect(window.hwnd(), &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(stride) * static_cast<size_t>(height), '\0');
    GetDIBits(
        memory, bitmap, 0, static_cast<UINT>(height), &pixels[0], reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    size_t white = 0;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3)
        if (pixels[i] == '\xff' && pixels[i + 1] == '\xff' && pixels[i + 2] == '\xff')
            ++white;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    WriteFileBytes(path,
                   std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                       std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels);
    return white > static_cast<size_t>(width) * static_cast<size_t>(height) / 20;
}

// Callbacks of the font dialog test, named functions so that they have the
// system's calling convention in the 32-bit build too.
BOOL CALLBACK PressFontDialogOk(HWND h, LPARAM p)
{
    char caption[32] = "";
    GetWindowTextA(h, caption, sizeof caption);
    if (!IsWindowVisible(h) || lstrcmpA(caption, "Font") != 0)
        return TRUE;
    PostMessageA(h, WM_COMMAND, IDOK, 0);
    *reinterpret_cast<bool*>(p) = true;
    return FALSE;
}

int CALLBACK NoteListed(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM p)
{
    *reinterpret_cast<bool*>(p) = true;
    return 0;
}

}   // namespace

// ---------------------------------------------------------------- Print

TEST(OmbrixPrint, EveryLineIsPrintedOnceInOrderInThePrinterFont)
{
    PrinterLayout layout = LayoutFor(DMORIENT_PORTRAIT);
    ASSERT_GT(layout.rowsPerPage, 10);
    if (layout.defaultPoints < 6) {
        EXPECT_FALSE(layout.isDefault);
        EXPECT_TRUE(layout.fixedPitch);
        EXPECT_NEAR(layout.points, 10, 0.5);
    } else {
        EXPECT_TRUE(layout.isDefault);
    }
    // The font checks can tell the printer font from the screen font: by
    // face, or where both have the same face, by the rows a page holds.
    ASSERT_TRUE(layout.face != layout.screenFace || layout.rowsPerPage != layout.screenRowsPerPage)
        << layout.face << " " << layout.rowsPerPage;

    Ombrix o(320);
    ASSERT_EQ(o.lines.size(), 321u);
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("job.ps")));
    Window dialog = o.OpenPrintDialog();
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    PsDocument doc = WaitSpooled(o.Path("job.ps"));

    EXPECT_EQ(doc.title, o.title);
    EXPECT_EQ(doc.pages.size(), PagesFor(o.lines.size(), layout.rowsPerPage));
    EXPECT_GE(doc.pages.size(), 2u);
    EXPECT_EQ(RowTexts(doc), o.lines);
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        EXPECT_LE(doc.pages[p].Rows().size(), static_cast<size_t>(layout.rowsPerPage)) << "page " << p + 1;
        for (const auto& run : doc.pages[p].runs)
            EXPECT_EQ(Family(run.font), layout.face) << "page " << p + 1 << " '" << run.text << "'";
    }
    // The program is back to normal: the window takes commands again.
    EXPECT_TRUE(o.frame.Enabled());
    o.OpenPrintDialog().Child(IDCANCEL).Click();
}

TEST(OmbrixPrint, CancelInThePrintDialogPrintsNothing)
{
    Ombrix o(5);
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("cancelled.ps")));
    Window dialog = o.OpenPrintDialog();
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();

    // A job that follows spools elsewhere; once it is there, anything the
    // cancelled one would have printed would be there too.
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("printed.ps")));
    dialog = o.OpenPrintDialog();
    dialog.Child(IDOK).Click();
    PsDocument doc = WaitSpooled(o.Path("printed.ps"));
    EXPECT_EQ(RowTexts(doc), o.lines);
    EXPECT_FALSE(FileExists(o.Path("cancelled.ps")));
}

TEST(OmbrixPrint, ThePageRangeOfThePrintDialogLimitsThePages)
{
    PrinterLayout layout = LayoutFor(DMORIENT_PORTRAIT);
    // A total line and a page and a bit of files: two pages.
    Ombrix o(layout.rowsPerPage + 10);
    ASSERT_EQ(PagesFor(o.lines.size(), layout.rowsPerPage), 2u);
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("range.ps")));
    Window dialog = o.OpenPrintDialog();
    dialog.Child(kRangePages).SelectRadio();
    dialog.Child(kRangeFrom).SetText("2");
    dialog.Child(kRangeTo).SetText("2");
    dialog.Child(IDOK).Click();
    PsDocument doc = WaitSpooled(o.Path("range.ps"));
    ASSERT_EQ(doc.pages.size(), 1u);
    std::vector<std::string> second(o.lines.begin() + layout.rowsPerPage, o.lines.end());
    EXPECT_EQ(RowTexts(doc), second);
}

TEST(OmbrixPrint, PrintToFileWritesTheJobToTheFileChosen)
{
    Ombrix o(5);
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("spooled.ps")));
    Window dialog = o.OpenPrintDialog();
    dialog.Child(kPrintToFile).SetChecked(true);
    dialog.Child(IDOK).Click();
    Window save = o.process.WaitDialog("Print to File");
    ChooseFile(save, o.Path("Output.prn"));
    PsDocument doc = WaitSpooled(o.Path("Output.prn"));
    EXPECT_EQ(RowTexts(doc), o.lines);
    EXPECT_FALSE(FileExists(o.Path("spooled.ps")));
}

// ---------------------------------------------------------------- Print Setup

TEST(OmbrixPrintSetup, TheChosenOrientationHoldsForLaterJobsAndPreview)
{
    PrinterLayout portrait = LayoutFor(DMORIENT_PORTRAIT);
    PrinterLayout landscape = LayoutFor(DMORIENT_LANDSCAPE);
    Ombrix o(320);
    size_t portraitPages = PagesFor(o.lines.size(), portrait.rowsPerPage);
    size_t landscapePages = PagesFor(o.lines.size(), landscape.rowsPerPage);
    ASSERT_NE(portraitPages, landscapePages) << "the text does not tell the orientations apart";

    o.frame.MenuCommand(ID_FILE_PRINT_SETUP);
    Window setup = o.process.WaitDialog("Print Setup");
    setup.Child(kLandscape).SelectRadio();
    setup.Child(IDOK).Click();
    setup.WaitGone();

    for (const char* job : {"first.ps", "second.ps"}) {
        SCOPED_TRACE(job);
        ASSERT_TRUE(TestPrinter::SpoolTo(o.Path(job)));
        Window dialog = o.OpenPrintDialog();
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        PsDocument doc = WaitSpooled(o.Path(job));
        EXPECT_EQ(doc.orientation, "Landscape");
        EXPECT_EQ(doc.pages.size(), landscapePages);
        EXPECT_EQ(RowTexts(doc), o.lines);
    }

    Window preview = o.Preview();
    EXPECT_EQ(static_cast<size_t>(CountPreviewPages(preview)), landscapePages);
    preview.Child(AFX_ID_PREVIEW_CLOSE).Click();
    preview.WaitGone();
}

// ---------------------------------------------------------------- Print Preview

TEST(OmbrixPrintPreview, PreviewPagesAgreeWithPrintingAndItsPrintButtonPrints)
{
    Ombrix o(320);
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("printed.ps")));
    Window dialog = o.OpenPrintDialog();
    dialog.Child(IDOK).Click();
    PsDocument printed = WaitSpooled(o.Path("printed.ps"));
    ASSERT_GE(printed.pages.size(), 2u);

    Window preview = o.Preview();
    EXPECT_FALSE(o.view.Visible());
    EXPECT_EQ(static_cast<size_t>(CountPreviewPages(preview)), printed.pages.size());

    // Two pages side by side; the choice holds for the next preview.
    std::string before = preview.Child(AFX_IDC_PREVIEW_PAGES).Text();
    PressAndRead(preview, AFX_ID_PREVIEW_PREV, before);
    EXPECT_EQ(preview.Child(AFX_ID_PREVIEW_NUMPAGE).Text(), "Two Page");
    PressAndRead(preview, AFX_ID_PREVIEW_NUMPAGE, preview.Child(AFX_IDC_PREVIEW_PAGES).Text());
    EXPECT_EQ(preview.Child(AFX_ID_PREVIEW_NUMPAGE).Text(), "One Page");
    std::string shot = ExeDirectory() + "\\..\\artifacts";
    CreateDirectoryA(shot.c_str(), nullptr);
    shot += "\\print_preview.bmp";
    EXPECT_TRUE(PollUntil([&] { return SaveScreenshot(o.frame, shot); }, 10000)) << "the preview shows no page";
    preview.Child(AFX_ID_PREVIEW_CLOSE).Click();
    preview.WaitGone();
    EXPECT_TRUE(o.view.Visible());

    preview = o.Preview();
    EXPECT_EQ(preview.Child(AFX_IDC_PREVIEW_PAGES).Text(), "Pages 1-2");

    // Print in the preview closes it and prints with the dialog.
    ASSERT_TRUE(TestPrinter::SpoolTo(o.Path("from-preview.ps")));
    preview.Child(AFX_ID_PREVIEW_PRINT).Click();
    preview.WaitGone();
    dialog = o.process.WaitDialog("Print");
    dialog.Child(IDOK).Click();
    PsDocument again = WaitSpooled(o.Path("from-preview.ps"));
    EXPECT_EQ(RowTexts(again), o.lines);
    EXPECT_TRUE(o.view.Visible());
}

// ---------------------------------------------------------------- no printer

TEST(OmbrixPrint, WithoutAPrinterPrintAndPreviewSaySo)
{
    Ombrix o(3);
    TestPrinter::Remove();
    o.frame.MenuCommand(ID_FILE_PRINT);
    EXPECT_EQ(AnswerMessageBox(o.process), kNoPrinter);
    o.frame.MenuCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(AnswerMessageBox(o.process), kNoPrinter);
    EXPECT_TRUE(o.view.Visible());
    EXPECT_FALSE(o.frame.FindChild(AFX_IDW_PREVIEW));
    std::string error;
    ASSERT_TRUE(TestPrinter::Install(&error)) << error;
}

// ---------------------------------------------------------------- printer fonts

TEST(PrinterFont, OnlyTheDefaultFontTooSmallToReadIsReplaced)
{
    HDC dc = TestPrinter::OpenDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HFONT deviceDefault = static_cast<HFONT>(GetStockObject(DEVICE_DEFAULT_FONT));
    LOGFONTA description = {};
    ASSERT_TRUE(GetObjectA(deviceDefault, sizeof description, &description));
    HFONT copied = CreateFontIndirectA(&description);
    // A program's own choice, as small as the default: used as chosen.
    LOGFONTA chosenDescription = description;
    lstrcpynA(chosenDescription.lfFaceName, "Arial", LF_FACESIZE);
    HFONT chosen = CreateFontIndirectA(&chosenDescription);

    HGDIOBJ old = SelectObject(dc, deviceDefault);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    bool tooSmall = Points(tm, dc) < 6;

    HFONT forDefault = AfxLegiblePrinterFont(dc, deviceDefault);
    EXPECT_EQ(forDefault != deviceDefault, tooSmall);
    // A font made from the default's description is the default too.
    EXPECT_EQ(AfxLegiblePrinterFont(dc, copied), tooSmall ? forDefault : copied);
    EXPECT_EQ(AfxLegiblePrinterFont(dc, chosen), chosen);
    // On the screen the default font is readable and stays.
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(AfxLegiblePrinterFont(screen, deviceDefault), deviceDefault);
    ReleaseDC(nullptr, screen);

    DeleteObject(copied);
    DeleteObject(chosen);
    DeleteDC(dc);
}

// The font dialog for a printer lists the printer's fonts; OK hands back
// one of them.
TEST(PrinterFont, FontDialogOnThePrinterChoosesAPrinterFont)
{
    HDC dc = TestPrinter::OpenDC(nullptr);
    ASSERT_NE(dc, nullptr);
    // The dialog runs its own loop on this thread; another thread presses OK.
    DWORD self = GetCurrentThreadId();
    std::atomic<bool> stop(false);
    std::thread answer([&] {
        PollUntil([&] {
            bool found = false;
            EnumThreadWindows(self, PressFontDialogOk, reinterpret_cast<LPARAM>(&found));
            return found || stop;
        });
    });
    CFontDialog dlg(nullptr, CF_PRINTERFONTS, CDC::FromHandle(dc));
    INT_PTR result = dlg.DoModal();
    stop = true;
    answer.join();
    ASSERT_EQ(result, IDOK);
    LOGFONTA chosen = {};
    dlg.GetCurrentFont(&chosen);
    ASSERT_NE(chosen.lfFaceName[0], '\0');
    // The face is one the printer lists.
    bool listed = false;
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, chosen.lfFaceName, LF_FACESIZE);
    EnumFontFamiliesExA(dc, &wanted, NoteListed, reinterpret_cast<LPARAM>(&listed), 0);
    EXPECT_TRUE(listed) << chosen.lfFaceName;
    DeleteDC(dc);
}
