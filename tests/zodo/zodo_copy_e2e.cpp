// End-to-end tests of the pager's line-range Copy: the real program's Copy
// dialog filled in, and what reaches the clipboard or the file chosen in
// the save dialog, byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "zodo_session.h"

using namespace zodo_e2e;

namespace {

// Fills the Copy dialog and presses OK.
struct CopyRequest {
    std::string from, to;
    bool toFile = false;
    bool rendered = false;
};

void RequestCopy(const PagerSession& z, const CopyRequest& r)
{
    Window dialog = z.Dialog(ID_EDIT_COPY, "Copy");
    // The dialog opens with the clipboard and the original text chosen.
    EXPECT_TRUE(dialog.Child(IDC_COPY_CLIPBOARD).Checked());
    EXPECT_FALSE(dialog.Child(IDC_COPY_FILESTORE).Checked());
    EXPECT_TRUE(dialog.Child(IDC_COPY_ORIGINAL).Checked());
    EXPECT_FALSE(dialog.Child(IDC_COPY_RENDERED).Checked());
    dialog.Child(IDC_COPY_FROM).SetText(r.from);
    dialog.Child(IDC_COPY_TO).SetText(r.to);
    if (r.toFile)
        dialog.Child(IDC_COPY_FILESTORE).SelectRadio();
    if (r.rendered)
        dialog.Child(IDC_COPY_RENDERED).SelectRadio();
    PagerSession::Press(dialog, IDOK);
}

// What the clipboard holds before a copy, so that a copy that leaves it
// alone (or empties it) shows.
const char kClipboardMarker[] = "held before the copy";
void WriteClipboardMarker()
{
    SetClipboardText(kClipboardMarker);
}

// The program copies after its dialog has gone: waits until the clipboard
// holds the expected text and returns what it last held.
std::string WaitClipboard(const std::string& expected)
{
    std::string text;
    PollUntil([&] { return (text = ClipboardText()) == expected; }, 10000);
    return text;
}

// CR LF lines, one ended by a bare LF, one with a tab, and a last line
// without a line end.
const std::string kMixed = "first\r\nsecond\r\nthird\tcolumn\nfourth\r\nfifth\r\nlast";

TEST(PagerCopy, LinesTwoToFourReachTheClipboardByteForByte)
{
    PagerSession z(kMixed);
    WriteClipboardMarker();
    RequestCopy(z, {"2", "4"});
    EXPECT_EQ(WaitClipboard("second\r\nthird\tcolumn\nfourth\r\n"), "second\r\nthird\tcolumn\nfourth\r\n");
    // Marks, "." and "$" name lines too; the last line keeps having no end.
    z.GoTo(3);
    z.Mark(ID_SET_MARK, "a");
    z.GoTo(5);
    RequestCopy(z, {"a", "."});
    EXPECT_EQ(WaitClipboard("third\tcolumn\nfourth\r\nfifth\r\n"), "third\tcolumn\nfourth\r\nfifth\r\n");
    RequestCopy(z, {"5", "$"});
    EXPECT_EQ(WaitClipboard("fifth\r\nlast"), "fifth\r\nlast");
    EXPECT_TRUE(z.NoMessageBox());
}

TEST(PagerCopy, LinesTwoToFourGoToTheFileChosen)
{
    PagerSession z(kMixed);
    std::string target = z.temp().Path("Copied.txt");
    RequestCopy(z, {"2", "4", true});
    ChooseFile(z.process().WaitDialog("Save As"), target);
    // The file appears whole, in one step.
    std::string copied;
    ASSERT_TRUE(PollUntil([&] { return TryReadFileBytes(target, &copied); }, 10000));
    EXPECT_EQ(copied, "second\r\nthird\tcolumn\nfourth\r\n");
    // Over the same file, rendered: it is replaced whole, and nothing else
    // is left in the directory.
    RequestCopy(z, {"1", "1", true, true});
    Window save = z.process().WaitDialog("Save As");
    ChooseFile(save, target);
    std::string prompt = AnswerMessageBox(z.process(), IDYES);   // replace it
    ASSERT_TRUE(PollUntil([&] { return TryReadFileBytes(target, &copied) && copied == "first\r\n"; }, 10000))
        << "the file holds: " << copied << "\nthe prompt answered: " << prompt
        << "\nafter it: " << (z.NoMessageBox() ? std::string("no message box") : z.Message());
    EXPECT_EQ(FilesIn(z.temp().path()), (std::vector<std::string>{"Copied.txt", "Text.txt"}));
}

TEST(PagerCopy, RenderedTextCarriesLineNumbersAndExpandsTabs)
{
    // A tab, a backspace, and a tab at the start of the text after the
    // line-number prefix.
    PagerSession z("a\tb\r\nab\tc\x08X\r\n\tend\n");
    z.Command(ID_TOGGLE_LINE_NUMBERS);
    WriteClipboardMarker();
    RequestCopy(z, {"1", "$", false, true});
    const std::string numbered =
        "     1  a       b\r\n"
        "     2  ab      X\r\n"
        "     3  " +
        std::string(8, ' ') + "end\r\n";
    EXPECT_EQ(WaitClipboard(numbered), numbered);
    z.Command(ID_TOGGLE_LINE_NUMBERS);
    z.Command(ID_TOGGLE_HEX);
    RequestCopy(z, {"3", "3", false, true});
    EXPECT_EQ(WaitClipboard("(Offset = d, Size = 5) 09656e640a\r\n"), "(Offset = d, Size = 5) 09656e640a\r\n");
}

TEST(PagerCopy, EveryRefusedRangeSaysWhyAndLeavesTheClipboardAlone)
{
    PagerSession z(NumberedLines(10));
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } cases[] = {
        {"0", "5", "Invalid line number specified"},
        {"2", "11", "Invalid line number specified"},
        {"4294967298", "5", "Invalid line number specified"},
        {"a", "5", "Specified mark not set"},
        {"A", "5", "Specified value is neither \na mark nor a valid line number"},
        {"", "5", "Specified value is neither \na mark nor a valid line number"},
        {" 5", "5", "Specified value is neither \na mark nor a valid line number"},
        {"$", "1", "Invalid line range specified"},
    };
    for (const auto& c : cases) {
        WriteClipboardMarker();
        RequestCopy(z, {c.from, c.to});
        EXPECT_EQ(z.Message(), c.message) << '"' << c.from << "\" to \"" << c.to << '"';
        EXPECT_EQ(ClipboardText(), kClipboardMarker) << c.from;
    }
}

// Lines of 100 bytes: 327 of them make 32700 characters, 328 would pass
// 32767.
TEST(PagerCopy, TheClipboardStopsAt32KWhileAFileTakesTheWholeRange)
{
    std::string bytes;
    for (int i = 1; i <= 400; ++i) {
        std::string number = std::to_string(i);
        bytes += number + std::string(98 - number.size(), '.') + "\r\n";
    }
    PagerSession z(bytes);
    WriteClipboardMarker();
    RequestCopy(z, {"1", "328"});
    EXPECT_EQ(z.Message(), "Copy action cannot be greater than 32k");
    EXPECT_EQ(ClipboardText(), "");
    RequestCopy(z, {"1", "327"});
    EXPECT_EQ(WaitClipboard(bytes.substr(0, 32700)), bytes.substr(0, 32700));
    EXPECT_TRUE(z.NoMessageBox());

    std::string target = z.temp().Path("all.txt");
    RequestCopy(z, {"1", "$", true});
    ChooseFile(z.process().WaitDialog("Save As"), target);
    std::string copied;
    ASSERT_TRUE(PollUntil([&] { return TryReadFileBytes(target, &copied); }, 10000));
    EXPECT_EQ(copied, bytes);
}

// A file that cannot be made (a read-only one in its place) is reported;
// the old file stays as it was.
TEST(PagerCopy, AFileThatCannotBeReplacedIsReportedAndKept)
{
    PagerSession z(NumberedLines(5));
    std::string target = z.temp().Path("locked.txt");
    z.temp().Write("locked.txt", "keep me\r\n");
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    RequestCopy(z, {"1", "5", true});
    ChooseFile(z.process().WaitDialog("Save As"), target);
    AnswerMessageBox(z.process(), IDYES);   // replace it
    EXPECT_EQ(z.Message(), "Cannot create output file");
    EXPECT_EQ(ReadFileBytes(target), "keep me\r\n");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FilesIn(z.temp().path()), (std::vector<std::string>{"Text.txt", "locked.txt"}));
}

}   // namespace
