// diff's output view prints like ombrix's (the test printer is installed by
// print_tools_e2e.cpp for the whole program).
#include <gtest/gtest.h>

#include <string>

#include "auto.h"
#include "diff/resource.h"
#include "print_e2e_support.h"

using namespace tamrel_auto;
using print_support::PrintAndCompare;

namespace {

TEST(ToolPrint, DiffPrintsItsResults)
{
    TempDir dir("DiffPrint");
    dir.Write("one.txt", "a\r\nb\r\nc\r\n");
    dir.Write("two.txt", "a\r\nB\r\nc\r\nd\r\n");
    Process diff = Process::Launch(ProgramPath("diff.exe"), "", dir.path());
    Window dialog = diff.WaitDialog("File Compare");
    dialog.Child(IDC_FILE1).SetText(dir.Path("one.txt"));
    dialog.Child(IDC_FILE2).SetText(dir.Path("two.txt"));
    dialog.Child(IDC_TYPE_TEXT).SelectRadio();
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    Window frame = diff.WaitFrame(" - DIFF for Windows");
    PrintAndCompare(diff, frame, dir.Path("diff.ps"));
}

}   // namespace
