// The tool application skeleton in every program that has an output view:
// the About box, View and Save As under the program's own command ids, and
// Exit. One table over the programs, since they share the code.
#include "skeleton_e2e.h"

#include <gtest/gtest.h>

#include "framework/afxres.h"

using namespace tamrel_auto;

Window AcceptToResults(const Process& process, const Window& dialog, const std::string& frameEnd)
{
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    return process.WaitFrame(frameEnd);
}

namespace {

class ToolSkeleton : public ::testing::TestWithParam<ToolUnderTest (*)()> {};

TEST_P(ToolSkeleton, AboutViewSaveAsAndExitAnswerUnderTheProgramsIds)
{
    const ToolUnderTest tool = GetParam()();
    SCOPED_TRACE(tool.program);
    TempDir dir("Skeleton");
    Process process;
    Window frame = tool.runToResults(process, dir);
    Window view = frame.ChildByClass("Edit");
    EXPECT_NE(view.Style() & ES_READONLY, 0);

    frame.MenuCommand(ID_APP_ABOUT);
    Window about = process.WaitDialog(tool.aboutCaption);
    bool versionShown = false;
    for (const Window& child : about.Children())
        versionShown = versionShown || child.Text() == tool.versionLine;
    EXPECT_TRUE(versionShown) << process.DescribeWindows();
    about.Child(IDOK).Click();
    about.WaitGone();

    // View with nothing selected has no name to hand to the pager.
    view.SetSelection(0, 0);
    frame.MenuCommand(tool.viewFileCommand);
    EXPECT_EQ(AnswerMessageBox(process), "Error: no filename selected!");

    frame.MenuCommand(tool.saveAsCommand);
    Window saveAs = process.WaitDialog("Save As");
    EXPECT_EQ(FileDialogName(saveAs), tool.saveAsName);
    saveAs.Child(IDCANCEL).Click();
    saveAs.WaitGone();

    frame.MenuCommand(ID_APP_EXIT);
    EXPECT_TRUE(process.WaitExit()) << process.DescribeWindows();
}

INSTANTIATE_TEST_SUITE_P(Programs, ToolSkeleton, ::testing::Values(&OmbrixUnderTest, &QuarnUnderTest, &DiffUnderTest));

}   // namespace
