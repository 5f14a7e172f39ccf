// End-to-end tests of ombrix's utilities other than word count: the real
// program started with each utility's flag, its dialog's presets read back,
// a run through OK, and what it shows or writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "auto.h"
#include "ombrix/resource.h"

using namespace tamrel_auto;

namespace {

const char kFrameEnd[] = " - UNIX Utilities";

struct Ombrix {
    Process process;

    Ombrix(const std::string& directory, const std::string& tail)
        : process(Process::Launch(ProgramPath("ombrix.exe"), tail, directory))
    {
    }

    Window Frame() const { return process.WaitFrame(kFrameEnd); }
    Window View(const Window& frame) const { return frame.ChildByClass("Edit"); }

    // Presses OK and returns the main window once the dialog is gone.
    Window Ok(const Window& dialog) const
    {
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        return Frame();
    }

    void ExpectMessage(const std::string& text) const { EXPECT_EQ(AnswerMessageBox(process), text); }

    // The utilities that only write files leave no window: the program ends.
    void ExpectEndWithoutWindow()
    {
        ASSERT_TRUE(process.WaitExit()) << process.DescribeWindows();
        EXPECT_TRUE(process.Windows(false).empty());
    }
};

std::string Numbered(int first, int last, const char* end)
{
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "line " + std::to_string(i) + end;
    return text;
}

std::vector<std::string> FilesIn(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Lower(fd.cFileName));
    while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

}   // namespace

// ---------------------------------------------------------------- disk usage

TEST(OmbrixDiskUsage, PresetsThenTheTreeInClustersWithUtilization)
{
    TempDir temp;
    std::string d = temp.MakeDir("Du Root");
    temp.Write("Du Root\\a.txt", "x");
    temp.MakeDir("Du Root\\Sub");
    temp.Write("Du Root\\Sub\\b.bin", std::string(5000, 'b'));
    temp.Write("Du Root\\Sub\\empty.txt", "");

    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA(d.substr(0, 3).c_str(), &sectors, &bytes, &freeClusters, &clusters));
    const double cluster = static_cast<double>(sectors) * bytes;
    auto allocated = [&](double size) { return size == 0 ? 0.0 : std::ceil(size / cluster) * cluster; };
    auto line = [&](double alloc, double actual, const std::string& path) {
        char text[512];
        std::snprintf(text,
                      sizeof text,
                      "%8.0f  (%5.1f%%)  %s\r\n",
                      alloc / 1024,
                      alloc <= 0 ? 100.0 : actual / alloc * 100,
                      Lower(path).c_str());
        return std::string(text);
    };
    const double sub = allocated(5000);
    const std::string expected = line(sub, 5000, d + "\\Sub") + line(sub + allocated(1), 5001, d);

    Ombrix o(d, "-d c:\\some\\thing.txt");
    Window dialog = o.process.WaitDialog("Du for Windows");
    EXPECT_EQ(dialog.Child(IDC_DU_DIRECTORY).Text(), Lower(d));
    EXPECT_TRUE(dialog.Child(IDC_DU_UNITS_KB).Checked());
    EXPECT_FALSE(dialog.Child(IDC_DU_UNITS_512).Checked());
    for (int id : {IDC_DU_LISTALL, IDC_DU_EXCLUDE, IDC_DU_UTILIZATION})
        EXPECT_FALSE(dialog.Child(id).Checked()) << id;

    // The directory must not be empty.
    dialog.Child(IDC_DU_DIRECTORY).SetText("");
    dialog.Child(IDOK).Click();
    o.ExpectMessage("No directory specified");
    dialog.Child(IDC_DU_DIRECTORY).SetText(d);

    dialog.Child(IDC_DU_UTILIZATION).SetChecked(true);
    Window frame = o.Ok(dialog);
    EXPECT_EQ(WaitText(o.View(frame), expected), expected);
    EXPECT_EQ(frame.Caption(), d + kFrameEnd);

    // File New: the same utility again with fresh presets; 512-byte units and
    // every file listed.
    frame.AcceleratorCommand(ID_FILE_NEW);
    dialog = o.process.WaitDialog("Du for Windows");
    EXPECT_TRUE(dialog.Child(IDC_DU_UNITS_KB).Checked());
    EXPECT_FALSE(dialog.Child(IDC_DU_UTILIZATION).Checked());
    dialog.Child(IDC_DU_UNITS_512).SelectRadio();
    dialog.Child(IDC_DU_EXCLUDE).SetChecked(true);
    dialog.Child(IDC_DU_LISTALL).SetChecked(true);
    o.Ok(dialog);
    char root[512];
    std::snprintf(root, sizeof root, "%8.0f  %s\r\n", (sub + allocated(1)) / 512, Lower(d).c_str());
    EXPECT_EQ(WaitText(o.View(frame), root), root);
}

// ---------------------------------------------------------------- file type

TEST(OmbrixFileType, NamesEachFileAndListsTheMagicTable)
{
    TempDir temp;
    std::string d = temp.MakeDir("Kinds");
    temp.Write("Kinds\\prog.zq9", "MZ\x90");
    temp.Write("Kinds\\Notes.ZQ9", "just words\r\n");
    temp.Write("Kinds\\blob.zq9", "abc\x80\x81");
    temp.Write("Kinds\\noext", "");

    Ombrix o(d, "-f c:\\docs\\readme.txt");
    Window dialog = o.process.WaitDialog("File for Windows");
    EXPECT_EQ(dialog.Child(IDC_FILE_DIRECTORY).Text(), Lower(d));
    EXPECT_EQ(dialog.Child(IDC_FILE_FILES).Text(), "*.*");   // the argument is not used
    EXPECT_TRUE(dialog.Child(IDC_FILE_DEBUG_NONE).Checked());
    EXPECT_FALSE(dialog.Child(IDC_FILE_MAGICFIRST).Checked());

    dialog.Child(IDC_FILE_FILES).SetText("*.zq9 noext");
    Window frame = o.Ok(dialog);
    auto padded = [](std::string name) {
        name.resize(24, ' ');
        return name + " ";
    };
    const std::string expected = padded("blob.zq9") + "data file\r\n" + padded("notes.zq9") + "ASCII text file\r\n" +
                                 padded("prog.zq9") + "DOS executable (.exe)\r\n" + padded("noext") +
                                 "ASCII text file\r\n";
    EXPECT_EQ(WaitText(o.View(frame), expected), expected);

    frame.AcceleratorCommand(ID_FILE_NEW);
    dialog = o.process.WaitDialog("File for Windows");
    dialog.Child(IDC_FILE_DEBUG_MAGIC).SelectRadio();
    o.Ok(dialog);
    std::string text;
    PollUntil([&] {
        text = o.View(frame).Text();
        return text.size() > 500;
    });
    const std::string first = "0\t1\t0xe9            \tDOS executable (.com)\r\n";
    const std::string last = "369\t9\tMICROSOFT       \tWindows PIF file\r\n";
    EXPECT_EQ(text.substr(0, first.size()), first);
    EXPECT_NE(text.find("\r\n257\t5\tustar           \tUSTAR format tar archive\r\n"), std::string::npos);
    ASSERT_GT(text.size(), last.size());
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

// ---------------------------------------------------------------- split

TEST(OmbrixSplit, SplitsByLinesThenUnsplitsAndLeavesNoWindow)
{
    TempDir temp;
    std::string d = temp.MakeDir("Split Dir");
    const std::string text = Numbered(1, 25, "\r\n");
    temp.Write("Split Dir\\data.txt", text);

    {
        Ombrix o(d, "-p c:\\elsewhere\\DATA.TXT");
        Window dialog = o.process.WaitDialog("Split for Windows");
        EXPECT_EQ(dialog.Child(IDC_SPLIT_FILENAME).Text(), "data.txt");
        EXPECT_EQ(dialog.Child(IDC_SPLIT_EXTENSION).Text(), "xaa");
        EXPECT_EQ(dialog.Child(IDC_SPLIT_COUNT).Text(), "1000");
        EXPECT_TRUE(dialog.Child(IDC_SPLIT_SPLIT).Checked());
        EXPECT_TRUE(dialog.Child(IDC_SPLIT_LINES).Checked());

        dialog.Child(IDC_SPLIT_EXTENSION).SetText("xa");
        dialog.Child(IDOK).Click();
        o.ExpectMessage("Extension must be 3-characters!");
        dialog.Child(IDC_SPLIT_EXTENSION).SetText("XAA");
        dialog.Child(IDC_SPLIT_COUNT).SetText("10");
        dialog.Child(IDOK).Click();
        o.ExpectEndWithoutWindow();
    }
    EXPECT_EQ(FilesIn(d + "\\data.x*"), (std::vector<std::string>{"data.xaa", "data.xab", "data.xac"}));
    EXPECT_EQ(ReadFileBytes(d + "\\data.xaa"), Numbered(1, 10, "\r\n"));
    EXPECT_EQ(ReadFileBytes(d + "\\data.xac"), Numbered(21, 25, "\r\n"));

    // Unsplit into a file chosen with Browse: the parts are those of its
    // base name.
    {
        Ombrix o(d, "-p");
        Window dialog = o.process.WaitDialog("Split for Windows");
        EXPECT_EQ(dialog.Child(IDC_SPLIT_FILENAME).Text(), "");
        temp.Write("Split Dir\\Data.New", "old");
        dialog.Child(IDC_SPLIT_BROWSE).Click();
        Window open = o.process.WaitDialog("Open");
        ChooseFile(open, d + "\\Data.New");
        open.WaitGone();
        const std::string chosen = Lower(d + "\\data.new");
        EXPECT_EQ(WaitText(dialog.Child(IDC_SPLIT_FILENAME), chosen), chosen);
        dialog.Child(IDC_SPLIT_UNSPLIT).SelectRadio();
        dialog.Child(IDOK).Click();
        o.ExpectEndWithoutWindow();
    }
    EXPECT_EQ(ReadFileBytes(d + "\\data.new"), text);

    // A part that would replace the file being read is refused.
    {
        Ombrix o(d, "-p");
        Window dialog = o.process.WaitDialog("Split for Windows");
        dialog.Child(IDC_SPLIT_FILENAME).SetText("data.xaa");
        dialog.Child(IDC_SPLIT_UNSPLIT).SelectRadio();
        dialog.Child(IDOK).Click();
        o.ExpectMessage("output file would overwrite input file");
        o.ExpectEndWithoutWindow();
    }
    EXPECT_EQ(ReadFileBytes(d + "\\data.xaa"), Numbered(1, 10, "\r\n"));
}

// ---------------------------------------------------------------- strings

TEST(OmbrixStrings, ListsTheRunsWithDecimalOffsets)
{
    TempDir temp;
    std::string d = temp.MakeDir("Str Dir");
    temp.Write("Str Dir\\Sample.BIN", std::string("abc\0hello\n\x01\x02world wide\r\n", 24));
    temp.Write("Str Dir\\other.bin", "xyz\n");

    Ombrix o(d, "-s c:\\dir\\Sample.BIN");
    Window dialog = o.process.WaitDialog("Strings for Windows");
    EXPECT_EQ(dialog.Child(IDC_STRINGS_FILES).Text(), "sample.bin");
    EXPECT_EQ(dialog.Child(IDC_STRINGS_DIRECTORY).Text(), Lower(d));
    EXPECT_EQ(dialog.Child(IDC_STRINGS_LENGTH).Text(), "4");
    EXPECT_TRUE(dialog.Child(IDC_STRINGS_OFF_NONE).Checked());

    // A double click on a file adds its name to the field.
    dialog.Child(IDC_STRINGS_FILELIST).DoubleClick("other.bin");
    EXPECT_EQ(Lower(dialog.Child(IDC_STRINGS_FILES).Text()), "sample.bin other.bin");

    dialog.Child(IDC_STRINGS_LENGTH).SetText("3");
    dialog.Child(IDC_STRINGS_OFF_DEC).SelectRadio();
    Window frame = o.Ok(dialog);
    const std::string expected =
        "====> sample.bin <====\r\n\r\n"
        "       0: abc\r\n"
        "       4: hello\r\n"
        "      12: world wide\r\n\r\n"
        "====> other.bin <====\r\n\r\n"
        "       0: xyz\r\n\r\n";
    EXPECT_EQ(WaitText(o.View(frame), expected), expected);
}

// ---------------------------------------------------------------- context split

TEST(OmbrixContextSplit, CutsAtNumbersAndRepeatsAndLeavesNoWindow)
{
    TempDir temp;
    std::string d = temp.MakeDir("Csplit Dir");
    temp.Write("Csplit Dir\\in.txt", Numbered(1, 350, "\n"));

    Ombrix o(d, "-c c:\\x\\IN.TXT");
    Window dialog = o.process.WaitDialog("Csplit for Windows");
    EXPECT_EQ(dialog.Child(IDC_CSPLIT_FILENAME).Text(), "in.txt");
    EXPECT_EQ(dialog.Child(IDC_CSPLIT_PREFIX).Text(), "xx");
    EXPECT_EQ(dialog.Child(IDC_CSPLIT_DIGITS).Text(), "2");
    EXPECT_EQ(dialog.Child(IDC_CSPLIT_ARGUMENTS).Text(), "");

    dialog.Child(IDOK).Click();
    o.ExpectMessage("You must specify at least 1 argument");
    dialog.Child(IDC_CSPLIT_ARGUMENTS).SetText("100 {2}");
    dialog.Child(IDC_CSPLIT_DIGITS).SetText("9");
    dialog.Child(IDOK).Click();
    o.ExpectMessage("Please enter an integer between 1 and 8.");
    dialog.Child(IDC_CSPLIT_DIGITS).SetText("2");
    dialog.Child(IDOK).Click();
    o.ExpectEndWithoutWindow();

    EXPECT_EQ(FilesIn(d + "\\xx*"), (std::vector<std::string>{"xx00", "xx01", "xx02", "xx03"}));
    EXPECT_EQ(ReadFileBytes(d + "\\xx00"), Numbered(1, 99, "\r\n"));
    EXPECT_EQ(ReadFileBytes(d + "\\xx01"), Numbered(100, 199, "\r\n"));
    EXPECT_EQ(ReadFileBytes(d + "\\xx02"), Numbered(200, 299, "\r\n"));
    EXPECT_EQ(ReadFileBytes(d + "\\xx03"), Numbered(300, 350, "\r\n"));
}

// ---------------------------------------------------------------- head and tail

TEST(OmbrixTail, TailThenHeadWithSkip)
{
    TempDir temp;
    std::string d = temp.MakeDir("Tail Dir");
    temp.Write("Tail Dir\\f.txt", "a\nb\nc");
    temp.Write("Tail Dir\\g.txt", Numbered(1, 7, "\r\n"));

    Ombrix o(d, "-t c:\\docs\\F.TXT");
    Window dialog = o.process.WaitDialog("Tail for Windows");
    EXPECT_EQ(dialog.Child(IDC_TAIL_FILES).Text(), "f.txt");
    EXPECT_EQ(dialog.Child(IDC_TAIL_DIRECTORY).Text(), Lower(d));
    EXPECT_EQ(dialog.Child(IDC_TAIL_LINES).Text(), "10");
    EXPECT_EQ(dialog.Child(IDC_TAIL_SKIP).Text(), "0");
    EXPECT_TRUE(dialog.Child(IDC_TAIL_TAIL).Checked());
    EXPECT_FALSE(dialog.Child(IDC_TAIL_HEAD).Checked());

    dialog.Child(IDC_TAIL_LINES).SetText("1");
    Window frame = o.Ok(dialog);
    const std::string tail = "====> f.txt <====\r\n\r\nb\nc\r\n";
    EXPECT_EQ(WaitText(o.View(frame), tail), tail);

    frame.AcceleratorCommand(ID_FILE_NEW);
    dialog = o.process.WaitDialog("Tail for Windows");
    EXPECT_EQ(dialog.Child(IDC_TAIL_FILES).Text(), "");
    dialog.Child(IDOK).Click();
    o.ExpectMessage("No input file specified");
    dialog.Child(IDC_TAIL_FILES).SetText("g.txt");
    dialog.Child(IDC_TAIL_HEAD).SelectRadio();
    dialog.Child(IDC_TAIL_SKIP).SetText("2");
    dialog.Child(IDC_TAIL_LINES).SetText("3");
    o.Ok(dialog);
    const std::string head = "====> g.txt <====\r\n\r\n" + Numbered(3, 5, "\r\n") + "\r\n";
    EXPECT_EQ(WaitText(o.View(frame), head), head);
}
