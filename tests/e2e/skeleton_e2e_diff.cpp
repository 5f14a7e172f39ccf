// diff's row of the skeleton test: a text comparison of two files.
#include "diff/resource.h"
#include "skeleton_e2e.h"

using namespace tamrel_auto;

namespace {
Window RunToResults(Process& process, const TempDir& directory)
{
    directory.Write("a.txt", "one\r\n");
    directory.Write("b.txt", "two\r\n");
    process = Process::Launch(ProgramPath("diff.exe"), "-u", directory.path());
    Window dialog = process.WaitDialog("File Compare");
    dialog.Child(IDC_FILE1).SetText(directory.Path("a.txt"));
    dialog.Child(IDC_FILE2).SetText(directory.Path("b.txt"));
    return AcceptToResults(process, dialog, " - DIFF for Windows");
}
}   // namespace

ToolUnderTest DiffUnderTest()
{
    return {"diff.exe",
            "About DIFF",
            "DIFF Application Version 1.5",
            "diff.out",
            ID_VIEW_FILE,
            ID_FILE_SAVE_AS,
            &RunToResults};
}
