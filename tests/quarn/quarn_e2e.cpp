// End-to-end tests of quarn: the real program, started with a real command
// line, driven through its search dialog and read back from its windows and
// the files it writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "auto.h"
#include "quarn/resource.h"

using namespace tamrel_auto;

namespace {

const char kFrameEnd[] = " - Quarn for Windows";
const char kDialogCaption[] = "Quarn for Windows";

const char kResults[] =
    "====> a.c <====\r\n\r\n     2:  foo();\r\n\r\n"
    "====> b.c <====\r\n\r\n     1:  foo\r\n\r\n";

// The fixture of most tests: two C files and a header, all holding "foo".
std::string MakeFixture(const TempDir& temp, const std::string& name = "Search Dir")
{
    std::string d = temp.MakeDir(name);
    temp.Write(name + "\\a.c", "int x;\r\nfoo();\r\n");
    temp.Write(name + "\\b.c", "foo\r\n");
    temp.Write(name + "\\c.h", "foo\r\n");
    return d;
}

struct Quarn {
    Process process;

    Quarn(const std::string& directory, const std::string& tail)
        : process(Process::Launch(ProgramPath("quarn.exe"), tail, directory))
    {
    }

    // The search dialog shares its caption with the program's message boxes,
    // so a message box must not pass for it.
    Window WaitSearch() const
    {
        return process.WaitWindow(
            [](const Window& w) {
                return w.ClassName() == "#32770" && w.Caption() == kDialogCaption && !IsMessageBox(w);
            },
            "search dialog");
    }
    Window WaitFrame() const { return process.WaitFrame(kFrameEnd); }
    Window View(const Window& frame) const { return frame.ChildByClass("Edit"); }

    static void Fill(const Window& dialog, const std::string& masks, const std::string& patterns,
                     bool lineNumbers = false, bool descend = false)
    {
        dialog.Child(IDC_FILENAMES).SetText(masks);
        dialog.Child(IDC_PATTERNS).SetText(patterns);
        dialog.Child(IDC_LINE_NUMBERS).SetChecked(lineNumbers);
        dialog.Child(IDC_DESCEND).SetChecked(descend);
    }

    // Fills the dialog, presses OK and returns the main window once the
    // dialog is gone.
    Window Search(const Window& dialog, const std::string& masks, const std::string& patterns, bool lineNumbers = false,
                  bool descend = false) const
    {
        Fill(dialog, masks, patterns, lineNumbers, descend);
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        return WaitFrame();
    }

    void ExpectMessage(const std::string& text) const { EXPECT_EQ(AnswerMessageBox(process), text); }
};

// The spill file's name in a notice, or empty when `text` is not the notice.
std::string SpillFileNamed(const std::string& text)
{
    const std::string head = "****\r\n**** Too much output (>32kb)\r\n**** Results written to file: ";
    const std::string tail = "\r\n**** Use Zodo to display this file\r\n****\r\n";
    if (text.size() <= head.size() + tail.size() || text.compare(0, head.size(), head) != 0 ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return "";
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

// The file name field of the system's Save As dialog.
Window FileNameField(const Window& dialog)
{
    for (int id : {0x47c, 0x480}) {
        Window field = dialog.FindChild(id);
        if (!field)
            continue;
        if (field.ClassName() == "Edit")
            return field;
        for (const Window& inner : field.Descendants()) {
            if (inner.ClassName() == "Edit")
                return inner;
        }
    }
    throw AutoError("no file name field in " + dialog.Describe());
}

}   // namespace

// ---------------------------------------------------------------- start-up

TEST(QuarnStart, CommandLinePresetsTheMaskAndTheDirectory)
{
    struct Case {
        const char* tail;
        const char* masks;
    } cases[] = {
        {"", "*.*"},
        {"c:\\src\\main.c", "*.c"},
        {"x.TXT", "*.txt"},
        {"c:\\my.dir\\readme", "*.*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        TempDir temp;
        std::string d = temp.MakeDir("Start Dir");
        Quarn q(d, c.tail);
        Window dialog = q.WaitSearch();
        EXPECT_EQ(dialog.Child(IDC_FILENAMES).Text(), c.masks);
        EXPECT_EQ(dialog.Child(IDC_DIRECTORY).Text(), Lower(d));
        EXPECT_EQ(dialog.Child(IDC_PATTERNS).Text(), "");
        for (int id : {IDC_IGNORE_CASE, IDC_LINE_NUMBERS, IDC_DESCEND, IDC_UNMATCHED})
            EXPECT_FALSE(dialog.Child(id).Checked()) << "check box " << id;
        dialog.Child(IDCANCEL).Click();
        EXPECT_TRUE(q.process.WaitExit()) << q.process.DescribeWindows();
        EXPECT_TRUE(q.process.Windows().empty());
    }
}

TEST(QuarnStart, PatternErrorAtStartUpEndsTheProgram)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "");
    Window dialog = q.WaitSearch();
    Quarn::Fill(dialog, "*.c", "\\(a\\)\\2");
    dialog.Child(IDOK).Click();
    q.ExpectMessage("Error in pattern");
    EXPECT_TRUE(q.process.WaitExit()) << q.process.DescribeWindows();
}

TEST(QuarnStart, NoMatchingFileEndsTheProgram)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "");
    Window dialog = q.WaitSearch();
    Quarn::Fill(dialog, "*.txt", "foo");
    dialog.Child(IDOK).Click();
    q.ExpectMessage("cant find file");
    EXPECT_TRUE(q.process.WaitExit()) << q.process.DescribeWindows();
}

// ---------------------------------------------------------------- search

TEST(QuarnSearch, ResultsShowUnderTheLowerCasedDirectory)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "c:\\src\\main.c");
    Window frame = q.Search(q.WaitSearch(), "*.c", "foo", true);
    Window view = q.View(frame);
    EXPECT_EQ(WaitText(view, kResults), kResults);
    EXPECT_EQ(frame.Caption(), Lower(d) + kFrameEnd);
    EXPECT_NE(view.Style() & ES_READONLY, 0) << "the results can be edited";

    // Descending shows the path in every header, the subdirectory's lower-cased.
    temp.MakeDir("Search Dir\\Deeper");
    temp.Write("Search Dir\\Deeper\\D.C", "x\r\nfoo bar\r\n");
    frame.AcceleratorCommand(ID_FILE_NEW);
    Window dialog = q.WaitSearch();
    EXPECT_EQ(dialog.Child(IDC_FILENAMES).Text(), "*.c");
    q.Search(dialog, "*.c", "bar", false, true);
    // Every file opened gets its header, lines or none.
    const std::string deeper = "====> " + Lower(d) + "\\a.c <====\r\n\r\n" + "====> " + Lower(d) +
                               "\\b.c <====\r\n\r\n" + "====> " + Lower(d) +
                               "\\deeper\\d.c <====\r\n\r\nfoo bar\r\n\r\n";
    EXPECT_EQ(WaitText(view, deeper), deeper);
}

TEST(QuarnSearch, MissingDirectoryOrPatternsKeepTheDialogOpen)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "");
    Window dialog = q.WaitSearch();
    // The directory is asked for first.
    dialog.Child(IDC_DIRECTORY).SetText("");
    Quarn::Fill(dialog, "*.c", "", true);
    dialog.Child(IDOK).Click();
    q.ExpectMessage("Directory not specified");
    ASSERT_TRUE(dialog.Visible());
    dialog.Child(IDC_DIRECTORY).SetText(Lower(d));
    dialog.Child(IDOK).Click();
    q.ExpectMessage("Search pattern not specified");
    ASSERT_TRUE(dialog.Visible());
    Window frame = q.Search(dialog, "*.c", "foo", true);
    EXPECT_EQ(WaitText(q.View(frame), kResults), kResults);
}

TEST(QuarnSearch, FileNewThenCancelKeepsThePreviousResults)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "");
    Window frame = q.Search(q.WaitSearch(), "*.c", "foo", true);
    Window view = q.View(frame);
    ASSERT_EQ(WaitText(view, kResults), kResults);

    frame.AcceleratorCommand(ID_FILE_NEW);
    Window dialog = q.WaitSearch();
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    EXPECT_TRUE(frame.Visible());
    EXPECT_EQ(view.Text(), kResults);

    // A pattern error in a later run leaves them too.
    frame.MenuCommand(ID_FILE_NEW);
    dialog = q.WaitSearch();
    Quarn::Fill(dialog, "*.c", "[foo");
    dialog.Child(IDOK).Click();
    q.ExpectMessage("Error in pattern");
    EXPECT_TRUE(frame.Visible());
    EXPECT_EQ(view.Text(), kResults);
}

TEST(QuarnSearch, DirectoryListMovesWhereTheSearchStarts)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    std::string sub = temp.MakeDir("Search Dir\\Sub Dir");
    Quarn q(sub, "");
    Window dialog = q.WaitSearch();
    ASSERT_EQ(dialog.Child(IDC_DIRECTORY).Text(), Lower(sub));
    dialog.Child(IDC_DIRLIST).DoubleClick("[..]");
    EXPECT_EQ(dialog.Child(IDC_DIRECTORY).Text(), Lower(d));
    Window frame = q.Search(dialog, "*.c", "foo", true);
    EXPECT_EQ(WaitText(q.View(frame), kResults), kResults);
    EXPECT_EQ(frame.Caption(), Lower(d) + kFrameEnd);
}

// ---------------------------------------------------------------- results

TEST(QuarnResults, ViewOnTheSpillNameStartsThePagerOnIt)
{
    TempDir temp;
    PagerStandIn pager(temp);
    std::string d = temp.MakeDir("Spill Dir");
    std::string big;
    for (int i = 0; i < 4000; ++i)   // about 60000 characters of results
        big += "foo line " + std::to_string(i) + "\r\n";
    temp.Write("Spill Dir\\big.txt", big);

    Quarn q(d, "");
    Window frame = q.Search(q.WaitSearch(), "*.txt", "foo");
    Window view = q.View(frame);
    std::string text, name;
    PollUntil(
        [&] {
            text = view.Text();
            name = SpillFileNamed(text);
            return !name.empty();
        },
        10000);
    ASSERT_FALSE(name.empty()) << "not a spill notice:\n" << text.substr(0, 400);
    // Not descending, the name is bare and the file lies in the searched
    // directory.
    EXPECT_EQ(name.substr(0, 2), "tm");
    EXPECT_EQ(name.size(), 8u) << name;
    std::string spilled;
    ASSERT_TRUE(TryReadFileBytes(d + "\\" + name, &spilled)) << name;
    EXPECT_TRUE(spilled == "====> big.txt <====\r\n\r\n" + big + "\r\n") << spilled.size() << " bytes";

    view.SetSelection(0, 0);
    frame.MenuCommand(ID_VIEW_FILE);
    q.ExpectMessage("Error: no filename selected!");
    EXPECT_TRUE(ReadRecorderLog(pager.Log()).empty());

    size_t at = text.find(name);
    view.SetSelection(static_cast<int>(at), static_cast<int>(at + name.size()));
    frame.MenuCommand(ID_VIEW_FILE);
    std::vector<RecorderEntry> started = WaitRecorderEntries(pager.Log());
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, pager.dir + "\\zodo.exe " + name);
    EXPECT_EQ(Lower(started[0].directory), Lower(d));
}

TEST(QuarnResults, SaveAsOffersQuarnOutAndWritesTheResults)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "");
    Window frame = q.Search(q.WaitSearch(), "*.c", "foo", true);
    ASSERT_EQ(WaitText(q.View(frame), kResults), kResults);

    std::string target = temp.Path("Saved Results.out");
    frame.MenuCommand(ID_FILE_SAVE_AS);
    Window dialog = q.process.WaitDialog("Save As");
    Window field = FileNameField(dialog);
    EXPECT_EQ(field.Text(), "quarn.out");
    field.SetText(target);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    std::string saved;
    PollUntil([&] { return TryReadFileBytes(target, &saved) && saved == kResults; }, 10000);
    EXPECT_EQ(saved, kResults);
}

TEST(QuarnResults, AboutBoxNamesTheProgramAndItsVersion)
{
    TempDir temp;
    std::string d = MakeFixture(temp);
    Quarn q(d, "");
    Window frame = q.Search(q.WaitSearch(), "*.c", "foo");
    frame.MenuCommand(ID_APP_ABOUT);
    Window about = q.process.WaitDialog("About Quarn");
    bool versionShown = false;
    for (const Window& child : about.Children())
        versionShown = versionShown || child.Text() == "Quarn for Windows Version 1.5";
    EXPECT_TRUE(versionShown);
    about.Child(IDOK).Click();
    about.WaitGone();
    frame.MenuCommand(ID_APP_EXIT);
    EXPECT_TRUE(q.process.WaitExit()) << q.process.DescribeWindows();
}
