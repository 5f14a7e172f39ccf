// End-to-end tests of ombrix's word count: the real program, started with a
// real command line, driven through its dialogs and read back from its
// windows and the files it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "auto.h"
#include "ombrix/resource.h"

using namespace tamrel_auto;

namespace {

const char kFrameEnd[] = " - UNIX Utilities";
const char kWcCaption[] = "WC for Windows";
const char kSelectCaption[] = "Ombrix";

// Files of the word-count runs, written byte for byte.
const char kFText[] = "one two\r\nthree\r\n";
const char kFCounts[] = "       2        3       16    f.txt\r\n       2        3       16    total\r\n";

// One ombrix process and the ways to reach its windows.
struct Ombrix {
    Process process;

    Ombrix(const std::string& directory, const std::string& tail)
        : process(Process::Launch(ProgramPath("ombrix.exe"), tail, directory))
    {
    }

    // The selection dialog shares its caption with the program's message
    // boxes, so a message box must not pass for it.
    Window WaitSelection() const
    {
        return process.WaitWindow(
            [](const Window& w) {
                return w.ClassName() == "#32770" && w.Caption() == kSelectCaption && !IsMessageBox(w);
            },
            "utility selection dialog");
    }
    Window WaitWc() const { return process.WaitDialog(kWcCaption); }
    Window WaitFrame() const { return process.WaitFrame(kFrameEnd); }
    Window View(const Window& frame) const { return frame.ChildByClass("Edit"); }

    // Fills the word-count dialog and presses OK; returns the main window once
    // the dialog is gone and the results show.
    Window RunWc(const Window& dialog, const std::string& files, bool lines = true, bool words = true,
                 bool bytes = true) const
    {
        dialog.Child(IDC_WC_FILENAMES).SetText(files);
        dialog.Child(IDC_WC_LINES).SetChecked(lines);
        dialog.Child(IDC_WC_WORDS).SetChecked(words);
        dialog.Child(IDC_WC_BYTES).SetChecked(bytes);
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        return WaitFrame();
    }

    // Answers a message box that must say `text`.
    void ExpectMessage(const std::string& text) const { EXPECT_EQ(AnswerMessageBox(process), text); }
};

// The name of the file a spill notice points at, or empty when `text` is not
// exactly the (lower-cased) notice.
std::string SpillFileNamed(const std::string& text)
{
    const std::string head = "****\r\n**** too much output (>32kb)\r\n**** results written to file: ";
    const std::string tail = "\r\n**** use zodo to display this file\r\n****\r\n";
    if (text.size() <= head.size() + tail.size())
        return "";
    if (text.compare(0, head.size(), head) != 0)
        return "";
    if (text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return "";
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

}   // namespace

// ---------------------------------------------------------------- start-up

TEST(OmbrixStart, FlagWPresetsTheWordCountDialog)
{
    struct Case {
        const char* tail;
        const char* filenames;
    } cases[] = {
        {"-w c:\\src\\main.c", "*.c"},
        {"-w", "*.*"},
        {"-w c:\\src\\makefile", "*.*"},
        {"-w c:\\Src\\MAIN.C", "*.c"},        // the argument is lower-cased
        {"-w c:\\a.b\\readme", "*.*"},        // only the part after the last backslash counts
        {"-w c:\\src\\ver.1.TXT", "*.txt"},   // the text after the last dot
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        TempDir temp;
        std::string d = temp.MakeDir("Start Dir");
        Ombrix o(d, c.tail);
        Window dialog = o.WaitWc();
        EXPECT_EQ(dialog.Child(IDC_WC_FILENAMES).Text(), c.filenames);
        EXPECT_EQ(dialog.Child(IDC_WC_DIRECTORY).Text(), Lower(d));
        EXPECT_TRUE(dialog.Child(IDC_WC_LINES).Checked());
        EXPECT_TRUE(dialog.Child(IDC_WC_WORDS).Checked());
        EXPECT_TRUE(dialog.Child(IDC_WC_BYTES).Checked());
        dialog.Child(IDCANCEL).Click();
        EXPECT_TRUE(o.process.WaitExit()) << o.process.DescribeWindows();
    }
}

TEST(OmbrixStart, OtherLinesShowTheSelectionDialogWithTheArgumentKept)
{
    struct Case {
        const char* tail;
        const char* filenames;   // of the word-count dialog chosen from the selection
    } cases[] = {
        {"-D x", "*.*"},
        {"-x", "*.*"},
        {"", "*.*"},
        {"-W c:\\src\\main.c", "*.c"},   // flags are lower case only
        {"c:\\docs\\Notes.TXT", "*.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("tail \"") + c.tail + "\"");
        TempDir temp;
        std::string d = temp.MakeDir("Start Dir");
        Ombrix o(d, c.tail);
        Window select = o.WaitSelection();
        EXPECT_TRUE(select.Child(IDC_UTIL_CSPLIT).Checked());
        for (int id : {IDC_UTIL_DU, IDC_UTIL_FILE, IDC_UTIL_SPLIT, IDC_UTIL_STRINGS, IDC_UTIL_TAIL, IDC_UTIL_WC})
            EXPECT_FALSE(select.Child(id).Checked()) << "radio " << id;
        select.Child(IDC_UTIL_WC).SelectRadio();
        select.Child(IDOK).Click();
        Window dialog = o.WaitWc();
        EXPECT_EQ(dialog.Child(IDC_WC_FILENAMES).Text(), c.filenames);
        EXPECT_EQ(dialog.Child(IDC_WC_DIRECTORY).Text(), Lower(d));
        dialog.Child(IDCANCEL).Click();
        EXPECT_TRUE(o.process.WaitExit()) << o.process.DescribeWindows();
    }
}

TEST(OmbrixStart, CancelInTheFirstDialogEndsTheProgramWithoutAWindow)
{
    for (const char* tail : {"-w", "-x"}) {
        SCOPED_TRACE(tail);
        TempDir temp;
        Ombrix o(temp.path(), tail);
        Window dialog = std::string(tail) == "-w" ? o.WaitWc() : o.WaitSelection();
        dialog.Child(IDCANCEL).Click();
        // Watched until the end: no main window may show on the way out.
        std::string shown;
        bool ended = PollUntil([&] {
            for (const Window& w : o.process.Windows())
                if (w.ClassName() != "#32770")
                    shown += w.Describe() + "; ";
            return !o.process.Running();
        });
        ASSERT_TRUE(ended) << o.process.DescribeWindows();
        EXPECT_EQ(shown, "");
    }
}

// ---------------------------------------------------------------- word count

TEST(OmbrixWordCount, ResultsShowInTheOutputViewUnderTheDirectoryCaption)
{
    TempDir temp;
    std::string d = temp.MakeDir("Count Dir");
    temp.Write("Count Dir\\F.txt", kFText);
    temp.Write("Count Dir\\b.txt", "alpha\tbeta  gamma\n");
    temp.Write("Count Dir\\C.TXT", "");
    temp.Write("Count Dir\\e.txt", "no newline");
    temp.Write("Count Dir\\other.c", "not counted\r\n");
    temp.MakeDir("Count Dir\\sub.txt");

    Ombrix o(d, "-w c:\\src\\main.c");
    Window frame = o.RunWc(o.WaitWc(), "f.TXT");
    Window view = o.View(frame);
    EXPECT_EQ(WaitText(view, kFCounts), kFCounts);
    EXPECT_EQ(frame.Caption(), d + kFrameEnd);

    // File New runs word count again with fresh presets (the command line was
    // used up by the first run); each run replaces the text.
    struct Case {
        const char* files;
        bool lines, words, bytes;
        const char* output;
    } cases[] = {
        {"f.txt", false, true, false, "       3    f.txt\r\n       3    total\r\n"},
        {"f.txt", true, false, true, "       2       16    f.txt\r\n       2       16    total\r\n"},
        {"f.txt", false, false, false, "   f.txt\r\n   total\r\n"},
        {"*.txt",
         true,
         true,
         true,
         "       1        3       18    b.txt\r\n"
         "       0        0        0    c.txt\r\n"
         "       1        2       10    e.txt\r\n"
         "       2        3       16    f.txt\r\n"
         "       4        8       44    total\r\n"},
        {"f.txt e.txt f.txt",
         true,
         true,
         true,
         "       2        3       16    f.txt\r\n"
         "       1        2       10    e.txt\r\n"
         "       2        3       16    f.txt\r\n"
         "       5        8       42    total\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        frame.AcceleratorCommand(ID_FILE_NEW);
        Window dialog = o.WaitWc();
        EXPECT_EQ(dialog.Child(IDC_WC_FILENAMES).Text(), "*.*");
        EXPECT_EQ(dialog.Child(IDC_WC_DIRECTORY).Text(), Lower(d));
        EXPECT_TRUE(dialog.Child(IDC_WC_LINES).Checked());
        o.RunWc(dialog, c.files, c.lines, c.words, c.bytes);
        EXPECT_EQ(WaitText(view, c.output), c.output);
    }
}

TEST(OmbrixWordCount, EmptyFilenamesAreRefusedAndTheDialogStays)
{
    TempDir temp;
    temp.Write("f.txt", kFText);
    Ombrix o(temp.path(), "-w");
    Window dialog = o.WaitWc();
    dialog.Child(IDC_WC_FILENAMES).SetText("");
    dialog.Child(IDOK).Click();
    o.ExpectMessage("No input file specified");
    ASSERT_TRUE(dialog.Visible());
    Window frame = o.RunWc(dialog, "f.txt");
    EXPECT_EQ(WaitText(o.View(frame), kFCounts), kFCounts);
}

TEST(OmbrixWordCount, SwitchToThenCancelKeepsResultsAndNewShowsTheSelection)
{
    TempDir temp;
    temp.Write("f.txt", kFText);
    Ombrix o(temp.path(), "-w");
    Window frame = o.RunWc(o.WaitWc(), "f.txt");
    Window view = o.View(frame);
    ASSERT_EQ(WaitText(view, kFCounts), kFCounts);

    // File New resets the document title before the dialog, so only the text
    // is sure to stay.
    frame.MenuCommand(ID_FILE_SWITCH_TO);
    Window select = o.WaitSelection();
    select.Child(IDCANCEL).Click();
    select.WaitGone();
    EXPECT_TRUE(frame.Visible());
    EXPECT_EQ(view.Text(), kFCounts);

    // The selection stays undone, so Ctrl+N asks again; choosing word count
    // there and running it replaces the results.
    frame.AcceleratorCommand(ID_FILE_NEW);
    select = o.WaitSelection();
    select.Child(IDC_UTIL_WC).SelectRadio();
    select.Child(IDOK).Click();
    Window dialog = o.WaitWc();
    EXPECT_EQ(dialog.Child(IDC_WC_FILENAMES).Text(), "*.*");
    o.RunWc(dialog, "f.txt", false, true, false);
    const char words[] = "       3    f.txt\r\n       3    total\r\n";
    EXPECT_EQ(WaitText(view, words), words);
}

// ---------------------------------------------------------------- spill

namespace {

// Writes empty files into `dir` whose word-count output with all three counts
// (one line of 32 characters plus the name per file, then a totals line of
// 37) is exactly `total` characters long, and returns that output.
std::string MakeFilesForOutputOf(const std::string& dir, size_t total)
{
    const size_t files = 200, perLine = 32, totalsLine = 37;
    size_t names = total - totalsLine - files * perLine;   // characters of all names together
    std::string output;
    for (size_t i = 0; i < files; ++i) {
        size_t length = names / files + (i < names % files ? 1 : 0);
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "w%03u", static_cast<unsigned>(i));
        std::string name = prefix + std::string(length - 4 - 4, 'x') + ".txt";
        WriteFileBytes(dir + "\\" + name, "");
        output += "       0        0        0    " + name + "\r\n";   // names sort as they are numbered
    }
    output += "       0        0        0    total\r\n";
    return output;
}

}   // namespace

TEST(OmbrixSpill, OutputPastTheCapGoesToAFileThatViewHandsToThePager)
{
    TempDir temp;
    PagerStandIn pager(temp);
    struct Case {
        size_t length;
        bool spills;
    } cases[] = {{32767, false}, {32768, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string d = temp.MakeDir("Spill" + std::to_string(c.length));
        std::string expected = MakeFilesForOutputOf(d, c.length);
        ASSERT_EQ(expected.size(), c.length);

        Ombrix o(d, "-w");
        Window frame = o.RunWc(o.WaitWc(), "*.txt");
        Window view = o.View(frame);
        if (!c.spills) {
            EXPECT_EQ(WaitText(view, expected), expected);
            EXPECT_TRUE(FilesMatching(d + "\\tm*").empty());
            continue;
        }
        std::string text;
        std::string name;
        PollUntil(
            [&] {
                text = view.Text();
                name = SpillFileNamed(text);
                return !name.empty();
            },
            10000);
        ASSERT_FALSE(name.empty()) << "not a spill notice:\n" << text.substr(0, 400);
        // The file lies in the run's directory, named from "tm" and six more
        // characters, and the notice names it in lower case.
        EXPECT_EQ(name.substr(0, d.size() + 3), Lower(d) + "\\tm");
        EXPECT_EQ(name.size(), d.size() + 9) << name;
        EXPECT_EQ(name, Lower(name));
        std::string spilled;
        ASSERT_TRUE(TryReadFileBytes(name, &spilled)) << name;
        EXPECT_TRUE(spilled == expected) << "the spill file holds " << spilled.size() << " bytes, expected "
                                         << expected.size();

        // Selecting the name in the notice and choosing View starts the pager
        // from the installation directory on it, in the tool's directory.
        size_t at = text.find(name);
        view.SetSelection(static_cast<int>(at), static_cast<int>(at + name.size()));
        frame.MenuCommand(ID_VIEW_FILE);
        std::vector<RecorderEntry> started = WaitRecorderEntries(pager.Log());
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].commandLine, pager.dir + "\\zodo.exe " + name);
        EXPECT_EQ(started[0].directory, d);
    }
}

// ---------------------------------------------------------------- view, save

TEST(OmbrixResults, ViewHandsTheSelectionToThePagerUnchanged)
{
    TempDir temp;
    PagerStandIn pager(temp);
    std::string d = temp.MakeDir("View Dir");
    temp.Write("View Dir\\f.txt", kFText);
    Ombrix o(d, "-w");
    Window frame = o.RunWc(o.WaitWc(), "f.txt");
    Window view = o.View(frame);
    ASSERT_EQ(WaitText(view, kFCounts), kFCounts);

    view.SetSelection(0, 0);
    frame.MenuCommand(ID_VIEW_FILE);
    o.ExpectMessage("Error: no filename selected!");
    EXPECT_TRUE(ReadRecorderLog(pager.Log()).empty());

    // A bare name, and words across a line break: both go to the pager as they
    // stand (the second starts with no blank, so the pager's own command-line
    // parsing keeps it whole too).
    const std::string text = kFCounts;
    std::vector<std::string> selections = {"f.txt", "2        3       16    f.txt\r\n       2"};
    for (size_t i = 0; i < selections.size(); ++i) {
        const std::string& sel = selections[i];
        SCOPED_TRACE(sel);
        size_t at = text.find(sel);
        ASSERT_NE(at, std::string::npos);
        view.SetSelection(static_cast<int>(at), static_cast<int>(at + sel.size()));
        frame.MenuCommand(ID_VIEW_FILE);
        std::vector<RecorderEntry> started = WaitRecorderEntries(pager.Log(), i + 1);
        ASSERT_EQ(started.size(), i + 1);
        EXPECT_EQ(started[i].commandLine, pager.dir + "\\zodo.exe " + sel);
        EXPECT_EQ(started[i].tail, sel);
        EXPECT_EQ(started[i].directory, d);
    }
}

TEST(OmbrixResults, SaveAsWritesTheOutputTextByteForByte)
{
    TempDir temp;
    std::string d = temp.MakeDir("Save Dir");
    temp.Write("Save Dir\\f.txt", kFText);
    Ombrix o(d, "-w");
    Window frame = o.RunWc(o.WaitWc(), "f.txt");
    ASSERT_EQ(WaitText(o.View(frame), kFCounts), kFCounts);

    std::string target = temp.Path("Saved Results.out");
    frame.MenuCommand(ID_FILE_SAVE_OUTPUT);
    Window dialog = o.process.WaitDialog("Save As");
    ChooseFile(dialog, target);
    dialog.WaitGone();
    std::string saved;
    PollUntil([&] { return TryReadFileBytes(target, &saved) && saved == kFCounts; }, 10000);
    EXPECT_EQ(saved, kFCounts);
}

// ---------------------------------------------------------------- picker

TEST(OmbrixPicker, DoubleClickOnParentGoesUpAndTheRunFollows)
{
    TempDir temp;
    std::string top = temp.MakeDir("Top Dir");
    std::string mid = temp.MakeDir("Top Dir\\Mid Dir");
    temp.MakeDir("Top Dir\\Side");
    temp.Write("Top Dir\\t.txt", "a b c\r\n");
    Ombrix o(mid, "-w");
    Window dialog = o.WaitWc();
    Window list = dialog.Child(IDC_WC_DIRLIST);
    ASSERT_EQ(dialog.Child(IDC_WC_DIRECTORY).Text(), Lower(mid));

    list.DoubleClick("[..]");
    EXPECT_EQ(dialog.Child(IDC_WC_DIRECTORY).Text(), top);
    std::vector<std::string> items = list.Items();
    bool sideListed = false;
    for (const std::string& item : items)
        sideListed = sideListed || Lower(item) == "[side]";
    EXPECT_TRUE(sideListed) << "the list was not refilled from the parent";

    // The run works in the directory chosen, and the caption names it.
    Window frame = o.RunWc(dialog, "t.txt");
    const char counts[] = "       1        3        7    t.txt\r\n       1        3        7    total\r\n";
    EXPECT_EQ(WaitText(o.View(frame), counts), counts);
    EXPECT_EQ(frame.Caption(), top + kFrameEnd);
}

TEST(OmbrixPicker, DoubleClickOnADriveChangesDrive)
{
    TempDir temp;
    Ombrix o(temp.path(), "-w");
    Window dialog = o.WaitWc();
    Window list = dialog.Child(IDC_WC_DIRLIST);
    Window directory = dialog.Child(IDC_WC_DIRECTORY);
    ASSERT_EQ(Lower(directory.Text()).substr(0, 2), "c:");
    // Wine always maps Z: to the root of the host.
    list.DoubleClick("[-z-]");
    EXPECT_EQ(Lower(directory.Text()).substr(0, 3), "z:\\");
    list.DoubleClick("[-c-]");
    EXPECT_EQ(Lower(directory.Text()).substr(0, 3), "c:\\");
    dialog.Child(IDCANCEL).Click();
    EXPECT_TRUE(o.process.WaitExit());
}
