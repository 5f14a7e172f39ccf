// quarn's row of the skeleton test: a search with one match.
#include "quarn/resource.h"
#include "skeleton_e2e.h"

using namespace tamrel_auto;

namespace {
Window RunToResults(Process& process, const TempDir& directory)
{
    directory.Write("a.c", "foo\r\n");
    process = Process::Launch(ProgramPath("quarn.exe"), "", directory.path());
    // The search dialog shares its caption with the program's message boxes.
    Window dialog = process.WaitWindow(
        [](const Window& w) {
            return w.ClassName() == "#32770" && w.Caption() == "Quarn for Windows" && !IsMessageBox(w);
        },
        "search dialog");
    dialog.Child(IDC_FILENAMES).SetText("*.c");
    dialog.Child(IDC_PATTERNS).SetText("foo");
    return AcceptToResults(process, dialog, " - Quarn for Windows");
}
}   // namespace

ToolUnderTest QuarnUnderTest()
{
    return {"quarn.exe",
            "About Quarn",
            "Quarn for Windows Version 1.5",
            "quarn.out",
            ID_VIEW_FILE,
            ID_FILE_SAVE_AS,
            &RunToResults};
}
