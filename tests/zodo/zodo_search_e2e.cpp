// End-to-end tests of the pager's search and Help Contents: the real zodo
// on a real file, driven by its commands and its Search dialog, read back
// through its message boxes and the Go To dialog's preset (the top line).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "auto.h"
#include "zodo/resource.h"

using namespace tamrel_auto;

namespace {

const std::string kNotFound = "Search string not found";

// Twelve lines; "needle" on lines 3, 6 and 9, "Needle" on line 11.
std::string NeedleFile()
{
    std::string text;
    for (int n = 1; n <= 12; ++n) {
        if (n % 3 == 0 && n < 12)
            text += "a needle on line " + std::to_string(n) + "\r\n";
        else if (n == 11)
            text += "Needle\r\n";
        else
            text += "hay " + std::to_string(n) + "\r\n";
    }
    return text;
}

struct Dialog {
    std::string expression;
    bool anchorStart = false;
    bool anchorEnd = false;
    bool ignoreCase = false;
    bool rendered = false;
};

class PagerSearch : public ::testing::Test {
protected:
    void Open(const std::string& text)
    {
        temp_.Write("s.txt", text);
        process_ = Process::Launch(ProgramPath("zodo.exe"), temp_.Path("s.txt"), temp_.path());
        frame_ = process_.WaitWindow(
            [](const Window& w) { return w.ClassName() != "#32770" && w.FindChildByClass("MDIClient"); },
            "the pager's frame");
        WaitUntil([&] { return frame_.MdiChildren().size() == 1; }, "the document window");
    }

    void Command(int id) const { frame_.MenuCommand(id); }
    long Top() const { return std::stol(ReadDialogField(process_, frame_, ID_GOTO_LINE, "Go To", IDC_GOTO_LINE)); }
    void GoTo(long line) const
    {
        Command(ID_GOTO_LINE);
        Window dialog = process_.WaitDialog("Go To");
        dialog.Child(IDC_GOTO_LINE).SetText(std::to_string(line));
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
    }
    std::string Message() const { return AnswerMessageBox(process_); }
    // The view of the active document window, where keys go.
    Window View() const
    {
        for (const Window& w : frame_.MdiActive().Children())
            if (w.Visible() && w.ClassName() != "ScrollBar")
                return w;
        throw AutoError("no view in the active document window");
    }

    // The Search dialog a command opens, filled in (OK not yet pressed).
    Window SearchDialog(int command, const Dialog& d) const
    {
        Command(command);
        Window dialog = process_.WaitDialog("Search");
        dialog.Child(IDC_SEARCH_EXPRESSION).SetText(d.expression);
        dialog.Child(IDC_SEARCH_ANCHOR_START).SetChecked(d.anchorStart);
        dialog.Child(IDC_SEARCH_ANCHOR_END).SetChecked(d.anchorEnd);
        dialog.Child(IDC_SEARCH_IGNORE_CASE).SetChecked(d.ignoreCase);
        dialog.Child(d.rendered ? IDC_SEARCH_RENDERED : IDC_SEARCH_ORIGINAL).SelectRadio();
        return dialog;
    }
    void Search(int command, const Dialog& d) const
    {
        Window dialog = SearchDialog(command, d);
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
    }
    // A message that comes without the Search dialog having been shown.
    std::string MessageWithoutDialog() const
    {
        Window box = process_.WaitMessageBox();
        for (const Window& w : process_.Windows(false))
            EXPECT_NE(w.Caption(), "Search") << "a dialog came first";
        std::string text = MessageText(box);
        box.Child(IDOK).Click();
        box.WaitGone();
        return text;
    }

    TempDir temp_;
    Process process_;
    Window frame_;
};

TEST_F(PagerSearch, ForwardThenRepeatStepsThroughMatchesAndStopsUnmoved)
{
    Open(NeedleFile());
    // The toolbar's search buttons work once a document is open.
    Window toolbar = frame_.ChildByClass("ToolbarWindow32");
    for (int id : {ID_SEARCH_FORWARD, ID_SEARCH_BACKWARD, ID_REPEAT_SEARCH, ID_HELP_CONTENTS})
        EXPECT_TRUE(PollUntil([&] { return toolbar.ToolbarButtonEnabled(id); }, 10000)) << id;
    toolbar.ClickToolbarButton(ID_SEARCH_FORWARD);
    Window dialog = process_.WaitDialog("Search");
    dialog.Child(IDC_SEARCH_EXPRESSION).SetText("needle");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    EXPECT_EQ(Top(), 3);
    // The key "n" repeats without the dialog.
    View().PressKey('N');
    EXPECT_EQ(Top(), 6);
    Command(ID_REPEAT_SEARCH);
    EXPECT_EQ(Top(), 9);
    Command(ID_REPEAT_SEARCH);
    EXPECT_EQ(MessageWithoutDialog(), kNotFound);
    EXPECT_EQ(Top(), 9);

    // The dialog comes back filled with the last search.
    dialog = SearchDialog(ID_SEARCH_FORWARD, Dialog{"needle", false, false, true});
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    Command(ID_SEARCH_FORWARD);
    dialog = process_.WaitDialog("Search");
    EXPECT_EQ(dialog.Child(IDC_SEARCH_EXPRESSION).Text(), "needle");
    // Cancel changed nothing: case is not ignored.
    EXPECT_FALSE(dialog.Child(IDC_SEARCH_IGNORE_CASE).Checked());
    dialog.Child(IDC_SEARCH_IGNORE_CASE).SetChecked(true);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    EXPECT_EQ(Top(), 11);
}

TEST_F(PagerSearch, InvalidPatternIsReportedAndKeptForRepeat)
{
    Open(NeedleFile());
    GoTo(2);
    Search(ID_SEARCH_FORWARD, Dialog{"[abc"});
    EXPECT_EQ(Message(), "Invalid search pattern\n\nConsult help");
    EXPECT_EQ(Top(), 2);
    // The expression stays: Repeat reports it again without asking.
    Command(ID_REPEAT_SEARCH);
    EXPECT_EQ(MessageWithoutDialog(), "Invalid search pattern\n\nConsult help");
    EXPECT_EQ(Top(), 2);
}

TEST_F(PagerSearch, RepeatFirstAsksAndNoLineBeyondTheTopGivesAMessageWithoutADialog)
{
    Open(NeedleFile());
    // Repeat before any search asks for the expression, and goes forward.
    Search(ID_REPEAT_SEARCH, Dialog{"needle"});
    EXPECT_EQ(Top(), 3);

    Command(ID_START_OF_FILE);
    Command(ID_SEARCH_BACKWARD);
    EXPECT_EQ(MessageWithoutDialog(), "At start-of-file");
    Command(ID_END_OF_FILE);
    Command(ID_SEARCH_FORWARD);
    EXPECT_EQ(MessageWithoutDialog(), "At end-of-file");
    EXPECT_EQ(Top(), 12);
}

TEST_F(PagerSearch, BackwardThenRepeatKeepsGoingBackward)
{
    Open(NeedleFile());
    Command(ID_END_OF_FILE);
    Search(ID_SEARCH_BACKWARD, Dialog{"needle"});
    EXPECT_EQ(Top(), 9);
    Command(ID_REPEAT_SEARCH);
    EXPECT_EQ(Top(), 6);
    // Search Forward sets the direction for Repeat.
    Search(ID_SEARCH_FORWARD, Dialog{"needle"});
    EXPECT_EQ(Top(), 9);
    Command(ID_REPEAT_SEARCH);
    EXPECT_EQ(MessageWithoutDialog(), kNotFound);
}

// The search and its direction belong to the program, not to one window.
TEST_F(PagerSearch, RepeatInAnotherWindowUsesTheLastSearch)
{
    Open(NeedleFile());
    Command(ID_END_OF_FILE);
    Search(ID_SEARCH_BACKWARD, Dialog{"needle"});
    EXPECT_EQ(Top(), 9);
    Command(ID_WINDOW_NEW);
    WaitUntil([&] { return frame_.MdiChildren().size() == 2; }, "the second window");
    Command(ID_END_OF_FILE);
    Command(ID_REPEAT_SEARCH);
    EXPECT_EQ(Top(), 9);
}

TEST_F(PagerSearch, ExpressionOfMoreThanFortyCharactersIsRefused)
{
    Open(NeedleFile());
    // Forty characters whose code fits the engine's buffer.
    std::string forty = "needle";
    while (forty.size() < 40)
        forty += ".*";
    ASSERT_EQ(forty.size(), 40u);
    Window dialog = SearchDialog(ID_SEARCH_FORWARD, Dialog{forty + "x"});
    dialog.Child(IDOK).Click();
    EXPECT_EQ(Message(), "Please enter no more than 40 characters.");
    // The dialog stays open for a shorter expression.
    ASSERT_TRUE(dialog.Visible());
    dialog.Child(IDC_SEARCH_EXPRESSION).SetText(forty);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    EXPECT_EQ(Top(), 3);
}

// What the radio buttons choose: with line numbers on, the rendered text of
// every line starts with its number, so an anchored "hay" finds nothing
// there, but finds line 2 in the original text.
TEST_F(PagerSearch, OriginalOrRenderedText)
{
    Open(NeedleFile());
    Command(ID_TOGGLE_LINE_NUMBERS);
    Search(ID_SEARCH_FORWARD, Dialog{"hay", true, false, false, true});
    EXPECT_EQ(Message(), kNotFound);
    Search(ID_SEARCH_FORWARD, Dialog{"hay", true});
    EXPECT_EQ(Top(), 2);
    Search(ID_SEARCH_FORWARD, Dialog{"7  hay", false, false, false, true});
    EXPECT_EQ(Top(), 7);
    // Anchored at the end, before the CR LF.
    Search(ID_SEARCH_FORWARD, Dialog{"line 9", false, true});
    EXPECT_EQ(Top(), 9);
}

// ---------------------------------------------------------------- help

// Help Contents asks the help viewer for the program's path ending ".HLP".
// No help file is installed, so Wine's viewer says it cannot find that
// file, asking while the pager waits for it; answering lets the pager go on.
TEST_F(PagerSearch, HelpContentsOpensTheProgramsHelpFile)
{
    Open(NeedleFile());
    GoTo(4);
    std::string exe = ProgramPath("zodo.exe");
    std::string helpFile = exe.substr(0, exe.size() - 4) + ".HLP";
    View().PressKey(VK_F1);
    Window box = WaitOtherProcessMessageBox(process_.Id(), helpFile);
    Window no = box.FindChild(IDNO);
    (no ? no : box.Child(IDOK)).Click();
    box.WaitGone();
    EndProcessOf(box);
    EXPECT_EQ(Top(), 4);
}

}   // namespace
