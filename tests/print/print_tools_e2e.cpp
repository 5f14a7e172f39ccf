// quarn's and diff's output views print like ombrix's: Print from the menu
// spools every line of the results, in order. This file: quarn.
#include <gtest/gtest.h>

#include <string>

#include "auto.h"
#include "print_e2e_support.h"
#include "quarn/resource.h"

using namespace tamrel_auto;
using print_support::PrintAndCompare;

namespace {

::testing::Environment* const g_printer = ::testing::AddGlobalTestEnvironment(new print_support::PrinterEnvironment);

TEST(ToolPrint, QuarnPrintsItsResults)
{
    TempDir dir("QuarnPrint");
    dir.Write("a.c", "int x;\r\nfoo();\r\n");
    dir.Write("b.c", "foo\r\n");
    Process quarn = Process::Launch(ProgramPath("quarn.exe"), "", dir.path());
    Window dialog = quarn.WaitDialog("Quarn for Windows");
    dialog.Child(IDC_FILENAMES).SetText("*.c");
    dialog.Child(IDC_PATTERNS).SetText("foo");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    Window frame = quarn.WaitFrame(" - Quarn for Windows");
    PrintAndCompare(quarn, frame, dir.Path("quarn.ps"));
}

}   // namespace
