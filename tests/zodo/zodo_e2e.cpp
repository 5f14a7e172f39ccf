// End-to-end tests of zodo: the real pager started with real command lines,
// driven through its menus, keys and scroll bar, and read back through what
// it offers: its windows, the Go To dialog's preset (the top line), the
// toolbar, the files it saves and the pages it prints.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "auto.h"
#include "print_e2e_support.h"
#include "zodo/resource.h"

using namespace tamrel_auto;
using print_support::PsDocument;
using print_support::RowTexts;
using print_support::TestPrinter;
using print_support::WaitSpooled;

namespace {

::testing::Environment* const g_printer = ::testing::AddGlobalTestEnvironment(new print_support::PrinterEnvironment);

// Lines "line 1" to "line n", CR LF ended.
std::string NumberedLines(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

struct Zodo {
    Process process;

    Zodo(const std::string& directory, const std::string& tail)
        : process(Process::Launch(ProgramPath("zodo.exe"), tail, directory))
    {
    }
    // Exactly this command line (for blanks right after the program name).
    static Zodo Raw(const std::string& directory, const std::string& afterName)
    {
        return Zodo(Process::Start("\"" + ProgramPath("zodo.exe") + "\"" + afterName, directory));
    }

    Window Frame() const
    {
        return process.WaitWindow(
            [](const Window& w) { return w.ClassName() != "#32770" && w.FindChildByClass("MDIClient"); },
            "the pager's frame");
    }
    static Window Client(const Window& frame) { return frame.ChildByClass("MDIClient"); }
    // The document windows, visible ones only.
    static std::vector<Window> Children(const Window& frame)
    {
        std::vector<Window> shown;
        for (const Window& w : Client(frame).Children())
            if (w.Visible())
                shown.push_back(w);
        return shown;
    }
    static std::vector<Window> WaitChildren(const Window& frame, size_t count)
    {
        std::vector<Window> shown;
        WaitUntil([&] { return (shown = Children(frame)).size() == count; },
                  std::to_string(count) + " document windows");
        return shown;
    }
    // The view inside a document window.
    static Window ViewOf(const Window& child)
    {
        for (const Window& w : child.Children())
            if (w.Visible() && w.ClassName() != "ScrollBar")
                return w;
        throw AutoError("no view in " + child.Describe());
    }

    // The active view's top line, as the Go To dialog presets it.
    long TopLine(const Window& frame) const
    {
        frame.MenuCommand(ID_GOTO_LINE);
        Window dialog = process.WaitDialog("Go To");
        std::string text = dialog.Child(IDC_GOTO_LINE).Text();
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
        return std::stol(text);
    }
    void GoTo(const Window& frame, long line) const
    {
        frame.MenuCommand(ID_GOTO_LINE);
        Window dialog = process.WaitDialog("Go To");
        dialog.Child(IDC_GOTO_LINE).SetText(std::to_string(line));
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
    }

    std::string Message() const { return AnswerMessageBox(process); }

private:
    explicit Zodo(Process p) : process(std::move(p)) {}
};

// ---------------------------------------------------------------- start-up

struct StartCase {
    const char* name;
    const char* fileName;   // made in the fixture directory
    bool quoted;            // the command line quotes the path
    bool relative;          // the command line names the file alone
};

class StartWithPath : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartWithPath, OpensTheFileInOneWindowAtLineOne)
{
    const StartCase& c = GetParam();
    TempDir temp;
    temp.Write(c.fileName, NumberedLines(5));
    std::string path = c.relative ? c.fileName : temp.path() + "\\" + c.fileName;
    if (c.quoted)
        path = "\"" + path + "\"";
    Zodo z(temp.path(), path);
    Window frame = z.Frame();
    std::vector<Window> children = Zodo::WaitChildren(frame, 1);
    // The document window is titled with the file's name.
    EXPECT_EQ(Lower(WaitText(children[0], c.fileName)), Lower(c.fileName));
    EXPECT_EQ(z.TopLine(frame), 1);
}

INSTANTIATE_TEST_SUITE_P(Pager, StartWithPath,
                         ::testing::Values(StartCase{"full_path", "Plain.txt", false, false},
                                           StartCase{"blanks_quoted", "My File.txt", true, false},
                                           StartCase{"blanks_unquoted", "My File.txt", false, false},
                                           StartCase{"relative", "Rel.txt", false, true}),
                         [](const ::testing::TestParamInfo<StartCase>& i) { return std::string(i.param.name); });

TEST(PagerStart, EmptyCommandLineShowsOpenDialogAndCancelLeavesAnEmptyFrame)
{
    TempDir temp;
    temp.Write("later.txt", NumberedLines(3));
    // A launcher without a file leaves a blank after the program name.
    Zodo z = Zodo::Raw(temp.path(), " ");
    Window open = z.process.WaitDialog("Open");
    open.Child(IDCANCEL).Click();
    open.WaitGone();
    Window frame = z.Frame();
    EXPECT_TRUE(Zodo::Children(frame).empty());
    EXPECT_TRUE(z.process.Running());

    // The empty frame opens files from its own File Open.
    frame.MenuCommand(ID_FILE_OPEN);
    ChooseFile(z.process.WaitDialog("Open"), temp.path() + "\\later.txt");
    Zodo::WaitChildren(frame, 1);
    EXPECT_EQ(z.TopLine(frame), 1);
}

// A saved position places the main window; with all four values 0 the
// system places it.
TEST(PagerStart, SavedPositionPlacesTheFrame)
{
    TempDir temp;
    temp.Write("p.txt", NumberedLines(2));
    ProfileOverride left(WindowsIniPath("zodo.ini"), "Position", "left", "0");
    ProfileOverride right(WindowsIniPath("zodo.ini"), "Position", "right", "640");
    Zodo z(temp.path(), temp.path() + "\\p.txt");
    Window frame = z.Frame();
    RECT rect = {};
    GetWindowRect(frame.hwnd(), &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 640);
}

struct FailedOpenCase {
    const char* name;
    bool exists;   // an empty file, else no file at all
    const char* expectedStart;
    const char* prefix;   // before the path on the command line
};

class FailedOpen : public ::testing::TestWithParam<FailedOpenCase> {};

TEST_P(FailedOpen, TellsWhyAndTheEmptyFrameStays)
{
    const FailedOpenCase& c = GetParam();
    TempDir temp;
    std::string path = temp.path() + "\\Missing.txt";
    if (c.exists)
        temp.Write("Missing.txt", "");
    Zodo z(temp.path(), c.prefix + path);
    std::string expected = c.expectedStart;
    if (!c.exists)
        expected += path;
    EXPECT_EQ(z.Message(), expected);
    Window frame = z.Frame();
    // The window made for the document goes with it.
    Zodo::WaitChildren(frame, 0);
    EXPECT_TRUE(z.process.Running());
}

INSTANTIATE_TEST_SUITE_P(Pager, FailedOpen,
                         ::testing::Values(FailedOpenCase{"missing", false, "cant open ", ""},
                                           FailedOpenCase{"empty", true, "Zero length file!", ""},
                                           // Nothing to print: the program stays.
                                           FailedOpenCase{"missing_print", false, "cant open ", "/p "}),
                         [](const ::testing::TestParamInfo<FailedOpenCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- windows

TEST(PagerWindows, TwoFilesNewWindowAndClosingBackToNoDocument)
{
    TempDir temp;
    temp.Write("a.txt", NumberedLines(50));
    temp.Write("b.txt", NumberedLines(50));
    Zodo z(temp.path(), temp.path() + "\\a.txt");
    Window frame = z.Frame();
    Zodo::WaitChildren(frame, 1);
    frame.MenuCommand(ID_FILE_OPEN);
    ChooseFile(z.process.WaitDialog("Open"), temp.path() + "\\b.txt");
    Zodo::WaitChildren(frame, 2);
    // A file that is open already is not loaded twice; its window comes up.
    frame.MenuCommand(ID_FILE_OPEN);
    ChooseFile(z.process.WaitDialog("Open"), temp.path() + "\\A.TXT");
    EXPECT_FALSE(PollUntil([&] { return Zodo::Children(frame).size() > 2; }, 1500));
    Zodo::WaitChildren(frame, 2);
    frame.MenuCommand(ID_WINDOW_TILE_HORZ);

    // Each window keeps its own position.
    z.GoTo(frame, 20);
    EXPECT_EQ(z.TopLine(frame), 20);
    frame.MenuCommand(ID_WINDOW_NEW);
    std::vector<Window> three = Zodo::WaitChildren(frame, 3);
    EXPECT_EQ(z.TopLine(frame), 1);
    std::vector<std::string> captions;
    for (const Window& w : three)
        captions.push_back(w.Caption());
    int numbered = 0;
    for (const std::string& c : captions)
        if (c.size() > 2 && (c.substr(c.size() - 2) == ":1" || c.substr(c.size() - 2) == ":2"))
            ++numbered;
    EXPECT_EQ(numbered, 2) << captions[0] << " | " << captions[1] << " | " << captions[2];

    // Close takes the active document with both its windows.
    frame.MenuCommand(ID_FILE_CLOSE);
    Zodo::WaitChildren(frame, 1);
    frame.MenuCommand(ID_FILE_CLOSE);
    Zodo::WaitChildren(frame, 0);
    EXPECT_TRUE(z.process.Running());
}

// ---------------------------------------------------------------- scrolling

class PagerScroll : public ::testing::Test {
protected:
    void Open(int lines)
    {
        temp_.Write("s.txt", NumberedLines(lines));
        z_.reset(new Zodo(temp_.path(), temp_.path() + "\\s.txt"));
        frame_ = z_->Frame();
        view_ = Zodo::ViewOf(Zodo::WaitChildren(frame_, 1)[0]);
    }
    long Top() const { return z_->TopLine(frame_); }
    void Command(int id) const { frame_.MenuCommand(id); }
    void Key(WPARAM vk) const
    {
        PostMessageA(view_.hwnd(), WM_KEYDOWN, vk, 1);
        PostMessageA(view_.hwnd(), WM_KEYUP, vk, 0xC0000001);
    }
    void Scroll(int code, int pos = 0) const { PostMessageA(view_.hwnd(), WM_VSCROLL, MAKEWPARAM(code, pos), 0); }

    TempDir temp_;
    std::unique_ptr<Zodo> z_;
    Window frame_;
    Window view_;
};

TEST_F(PagerScroll, CommandsMoveTheTopLineAndStopAtEitherEnd)
{
    Open(300);
    Command(ID_LINE_BACKWARD);
    EXPECT_EQ(Top(), 1);
    Command(ID_LINE_FORWARD);
    Command(ID_LINE_FORWARD);
    EXPECT_EQ(Top(), 3);
    Command(ID_LINE_BACKWARD);
    EXPECT_EQ(Top(), 2);
    Command(ID_START_OF_FILE);
    EXPECT_EQ(Top(), 1);

    Command(ID_PAGE_FORWARD);
    long page = Top();
    EXPECT_GT(page, 2);
    Command(ID_HALF_PAGE_BACKWARD);
    long half = Top();
    EXPECT_GT(half, 1);
    EXPECT_LT(half, page);
    Command(ID_HALF_PAGE_FORWARD);
    EXPECT_EQ(Top(), page);
    Command(ID_PAGE_BACKWARD);
    EXPECT_LT(Top(), page);

    Command(ID_END_OF_FILE);
    EXPECT_EQ(Top(), 300);
    Command(ID_LINE_FORWARD);
    EXPECT_EQ(Top(), 300);
    Command(ID_PAGE_FORWARD);
    EXPECT_EQ(Top(), 300);
    Command(ID_PAGE_BACKWARD);
    // A window less one row goes back one line less than a page holds.
    EXPECT_EQ(Top(), 300 - (page - 1));
}

TEST_F(PagerScroll, KeysOfTheAcceleratorTable)
{
    Open(200);
    struct {
        WPARAM key;
        long top;
    } steps[] = {{'J', 2}, {VK_DOWN, 3}, {VK_RETURN, 4}, {'K', 3}, {VK_UP, 2}, {VK_END, 200}, {VK_HOME, 1}};
    for (auto& s : steps) {
        Key(s.key);
        EXPECT_EQ(Top(), s.top) << "key " << s.key;
    }
    Key('F');
    long page = Top();
    EXPECT_GT(page, 2);
    Key('B');
    EXPECT_LT(Top(), page);
    Key(VK_NEXT);
    Key(VK_PRIOR);
    EXPECT_LT(Top(), page);
}

// Commands that reach a new view before its first paint scroll as they do
// later: the view knows its rows from the start.
TEST_F(PagerScroll, HalfPageBeforeTheFirstPaintScrollsAsAfterIt)
{
    temp_.Write("s.txt", NumberedLines(300));
    z_.reset(new Zodo(temp_.path(), temp_.path() + "\\s.txt"));
    frame_ = z_->process.WaitWindow([](const Window& w) { return w.ClassName() != "#32770"; }, "the frame");
    // Queued ahead of the start-up's own tiling, so the window has its final
    // size but has not been painted when the half page runs.
    frame_.MenuCommand(ID_WINDOW_TILE_HORZ);
    frame_.MenuCommand(ID_HALF_PAGE_FORWARD);
    view_ = Zodo::ViewOf(Zodo::WaitChildren(frame_, 1)[0]);
    long early = Top();
    Command(ID_START_OF_FILE);
    EXPECT_EQ(Top(), 1);
    Command(ID_HALF_PAGE_FORWARD);
    long later = Top();
    EXPECT_GT(later, 1);
    EXPECT_EQ(early, later);
}

TEST_F(PagerScroll, ScrollBarInTheLineModel)
{
    Open(100);
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(Top(), 2);
    Scroll(SB_LINEUP);
    EXPECT_EQ(Top(), 1);
    // Tracking moves nothing; the drop does.
    Scroll(SB_THUMBTRACK, 40);
    EXPECT_EQ(Top(), 1);
    Scroll(SB_THUMBPOSITION, 40);
    EXPECT_EQ(Top(), 40);
    Scroll(SB_BOTTOM);
    EXPECT_EQ(Top(), 100);
    Scroll(SB_TOP);
    EXPECT_EQ(Top(), 1);
}

TEST_F(PagerScroll, ScrollBarInThePercentModel)
{
    Open(1000);
    Scroll(SB_THUMBPOSITION, 50);
    EXPECT_EQ(Top(), 500);
    Scroll(SB_THUMBPOSITION, 0);
    EXPECT_EQ(Top(), 1);
}

TEST_F(PagerScroll, GoToBeyondTheLastLineSaysSoAndStays)
{
    Open(30);
    z_->GoTo(frame_, 12);
    frame_.MenuCommand(ID_GOTO_LINE);
    Window dialog = z_->process.WaitDialog("Go To");
    dialog.Child(IDC_GOTO_LINE).SetText("31");
    dialog.Child(IDOK).Click();
    EXPECT_EQ(z_->Message(), "Specified line number out-of-range");
    EXPECT_EQ(Top(), 12);
}

// ---------------------------------------------------------------- toggles

bool ToolbarChecked(const Window& frame, int id)
{
    Window bar = frame.ChildByClass("ToolbarWindow32");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(bar.hwnd(), TB_ISBUTTONCHECKED, id, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return result != 0;
}

TEST(PagerToggles, ToolbarButtonsCarryTheChecksOfTheActiveView)
{
    TempDir temp;
    temp.Write("t.txt", "A\tB\r\n");
    Zodo z(temp.path(), temp.path() + "\\t.txt");
    Window frame = z.Frame();
    Zodo::WaitChildren(frame, 1);
    for (int id : {ID_TOGGLE_LINE_NUMBERS, ID_TOGGLE_HEX}) {
        EXPECT_FALSE(ToolbarChecked(frame, id));
        frame.MenuCommand(id);
        EXPECT_TRUE(PollUntil([&] { return ToolbarChecked(frame, id); }, 10000)) << id;
        frame.MenuCommand(id);
        EXPECT_TRUE(PollUntil([&] { return !ToolbarChecked(frame, id); }, 10000)) << id;
    }
}

// ---------------------------------------------------------------- Save As

TEST(PagerSaveAs, WritesTheFileBackByteForByte)
{
    TempDir temp;
    std::string bytes("nul\0in\0line\r\nbare\rcr\r\n", 23);
    bytes += std::string(1200, 'x');   // cut into lines of 512, 512 and 176
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    temp.Write("in.bin", bytes);
    Zodo z(temp.path(), temp.path() + "\\in.bin");
    Window frame = z.Frame();
    Zodo::WaitChildren(frame, 1);
    frame.MenuCommand(ID_FILE_SAVE_AS);
    ChooseFile(z.process.WaitDialog("Save As"), temp.path() + "\\out.bin");
    std::string saved;
    ASSERT_TRUE(PollUntil(
        [&] { return TryReadFileBytes(temp.path() + "\\out.bin", &saved) && saved.size() == bytes.size(); }, 10000));
    EXPECT_EQ(saved, bytes);
    EXPECT_TRUE(Zodo::Children(frame).size() == 1);
}

// ---------------------------------------------------------------- printing

// Lines per printed page and pages of a job, read from what was spooled: a
// header row, then the file's lines in order, every line once.
struct PrintedJob {
    std::vector<std::vector<std::string>> pages;   // rows of each page
};

PrintedJob ReadJob(const PsDocument& doc)
{
    PrintedJob job;
    for (const auto& page : doc.pages) {
        std::vector<std::string> rows;
        for (const auto& row : page.Rows())
            rows.push_back(row.text);
        job.pages.push_back(rows);
    }
    return job;
}

void ExpectWholeFilePrinted(const PrintedJob& job, const std::string& lowerPath, int lines)
{
    ASSERT_FALSE(job.pages.empty());
    static const std::string days = "SunMonTueWedThuFriSat";
    std::vector<std::string> body;
    size_t perPage = job.pages[0].size() - 1;
    for (size_t p = 0; p < job.pages.size(); ++p) {
        const auto& rows = job.pages[p];
        ASSERT_FALSE(rows.empty()) << "page " << p + 1;
        std::string tail = "  " + lowerPath + "  Page " + std::to_string(p + 1);
        ASSERT_GE(rows[0].size(), tail.size());
        EXPECT_EQ(rows[0].substr(rows[0].size() - tail.size()), tail);
        // "Tue Jun 04 10:15:00 1996" before the path: 24 characters.
        EXPECT_EQ(rows[0].size(), 24 + tail.size()) << rows[0];
        size_t day = days.find(rows[0].substr(0, 3));
        EXPECT_TRUE(day != std::string::npos && day % 3 == 0) << rows[0];
        if (p + 1 < job.pages.size()) {
            EXPECT_EQ(rows.size() - 1, perPage) << "page " << p + 1;
        }
        body.insert(body.end(), rows.begin() + 1, rows.end());
    }
    std::vector<std::string> expected;
    for (int i = 1; i <= lines; ++i)
        expected.push_back("line " + std::to_string(i));
    EXPECT_EQ(body, expected);
    EXPECT_EQ(job.pages.size(), (static_cast<size_t>(lines) + perPage - 1) / perPage);
}

TEST(PagerPrint, SlashPPrintsTheFileAndQuits)
{
    TempDir temp;
    const int lines = 150;
    temp.Write("Print Me.txt", NumberedLines(lines));
    std::string path = temp.path() + "\\Print Me.txt";
    std::string spool = temp.path() + "\\job.ps";
    ASSERT_TRUE(TestPrinter::SpoolTo(spool));
    Zodo z(temp.path(), "/P   " + path);
    Window dialog = z.process.WaitDialog("Print");
    dialog.Child(IDOK).Click();
    PsDocument doc = WaitSpooled(spool);
    EXPECT_TRUE(z.process.WaitExit());
    ExpectWholeFilePrinted(ReadJob(doc), Lower(path), lines);
}

// The printout carries the display text of each line: the settings and
// the view's toggles show in it.
struct RenderedPrintCase {
    const char* name;
    const char* tabLength;   // in zodo.ini; null: not set
    int toggle;              // a toggle command given before printing, or 0
    std::string expected;    // the printed row of "A\tB\r\n"
};

class PrintedRendering : public ::testing::TestWithParam<RenderedPrintCase> {};

TEST_P(PrintedRendering, ShowsTheLineAsRendered)
{
    const RenderedPrintCase& c = GetParam();
    TempDir temp;
    temp.Write("r.txt", "A\tB\r\n");
    std::unique_ptr<ProfileOverride> tab;
    if (c.tabLength)
        tab.reset(new ProfileOverride(WindowsIniPath("zodo.ini"), "tabbing", "length", c.tabLength));
    std::string spool = temp.path() + "\\job.ps";
    ASSERT_TRUE(TestPrinter::SpoolTo(spool));
    Zodo z(temp.path(), temp.path() + "\\r.txt");
    Window frame = z.Frame();
    Zodo::WaitChildren(frame, 1);
    if (c.toggle)
        frame.MenuCommand(c.toggle);
    frame.MenuCommand(ID_FILE_PRINT);
    Window dialog = z.process.WaitDialog("Print");
    dialog.Child(IDOK).Click();
    PrintedJob job = ReadJob(WaitSpooled(spool));
    ASSERT_EQ(job.pages.size(), 1u);
    ASSERT_EQ(job.pages[0].size(), 2u);
    EXPECT_EQ(job.pages[0][1], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pager, PrintedRendering,
    ::testing::Values(RenderedPrintCase{"default_tab", nullptr, 0, "A       B"},
                      RenderedPrintCase{"tab_of_3", "3", 0, "A  B"},
                      // A stored tab length below 1 renders as 8.
                      RenderedPrintCase{"tab_of_0", "0", 0, "A       B"},
                      RenderedPrintCase{"tab_negative", "-2", 0, "A       B"},
                      RenderedPrintCase{"line_numbers", nullptr, ID_TOGGLE_LINE_NUMBERS, "     1  A       B"},
                      RenderedPrintCase{"hexadecimal", nullptr, ID_TOGGLE_HEX, "(Offset = 0, Size = 5) 4109420d0a"}),
    [](const ::testing::TestParamInfo<RenderedPrintCase>& i) { return std::string(i.param.name); });

// A printer font too tall for a single line below the header still ends
// the job: one line a page.
TEST(PagerPrint, AFontTallerThanThePagePrintsOneLineAPage)
{
    TempDir temp;
    temp.Write("tall.txt", "1\r\n2\r\n3\r\n");   // short enough for the page's width
    ProfileOverride height(WindowsIniPath("zodo.ini"), "lpfont", "Height", "-2000");
    ProfileOverride face(WindowsIniPath("zodo.ini"), "lpfont", "FaceName", "Courier New");
    std::string spool = temp.path() + "\\job.ps";
    ASSERT_TRUE(TestPrinter::SpoolTo(spool));
    Zodo z(temp.path(), "/p " + temp.path() + "\\tall.txt");
    Window dialog = z.process.WaitDialog("Print");
    dialog.Child(IDOK).Click();
    PsDocument doc = WaitSpooled(spool);
    EXPECT_TRUE(z.process.WaitExit());
    ASSERT_EQ(doc.pages.size(), 3u);
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        std::vector<std::string> rows;
        for (const auto& row : doc.pages[p].Rows())
            rows.push_back(row.text);
        ASSERT_EQ(rows.size(), 2u) << "page " << p + 1;
        EXPECT_EQ(rows[1], std::to_string(p + 1));
    }
}

TEST(PagerPrint, SlashPCancelledQuitsAtOnce)
{
    TempDir temp;
    temp.Write("c.txt", NumberedLines(3));
    Zodo z(temp.path(), "/p" + temp.path() + "\\c.txt");
    Window dialog = z.process.WaitDialog("Print");
    dialog.Child(IDCANCEL).Click();
    EXPECT_TRUE(z.process.WaitExit());
}

TEST(PagerPrint, PreviewShowsAsManyPagesAsThePrintout)
{
    TempDir temp;
    const int lines = 150;
    temp.Write("p.txt", NumberedLines(lines));
    std::string spool = temp.path() + "\\job.ps";
    ASSERT_TRUE(TestPrinter::SpoolTo(spool));
    Zodo z(temp.path(), temp.path() + "\\p.txt");
    Window frame = z.Frame();
    Zodo::WaitChildren(frame, 1);
    frame.MenuCommand(ID_FILE_PRINT);
    Window dialog = z.process.WaitDialog("Print");
    dialog.Child(IDOK).Click();
    PrintedJob job = ReadJob(WaitSpooled(spool));
    ExpectWholeFilePrinted(job, Lower(temp.path() + "\\p.txt"), lines);

    frame.MenuCommand(ID_FILE_PRINT_PREVIEW);
    // The preview and its bar of buttons take the place of the view, inside
    // the document's window.
    Window preview, bar;
    WaitUntil(
        [&] {
            for (const Window& w : frame.Descendants()) {
                if (w.Id() == AFX_IDW_PREVIEW)
                    preview = w;
                if (w.Id() == AFX_IDW_PREVIEW_BAR)
                    bar = w;
            }
            return preview && preview.Visible() && bar && bar.FindChild(AFX_IDC_PREVIEW_PAGES).Text() != "";
        },
        "the print preview");
    int pages = 1;
    while (bar.Child(AFX_ID_PREVIEW_NEXT).Enabled() && pages < 50) {
        std::string before = bar.Child(AFX_IDC_PREVIEW_PAGES).Text();
        bar.Child(AFX_ID_PREVIEW_NEXT).Click();
        PollUntil([&] { return bar.Child(AFX_IDC_PREVIEW_PAGES).Text() != before; }, 5000);
        ++pages;
    }
    EXPECT_EQ(static_cast<size_t>(pages), job.pages.size());
}

}   // namespace
