// ombrix's row of the skeleton test: a word count.
#include "ombrix/resource.h"
#include "skeleton_e2e.h"

using namespace tamrel_auto;

namespace {
Window RunToResults(Process& process, const TempDir& directory)
{
    directory.Write("f.txt", "one two\r\n");
    process = Process::Launch(ProgramPath("ombrix.exe"), "-w", directory.path());
    Window dialog = process.WaitDialog("WC for Windows");
    dialog.Child(IDC_WC_FILENAMES).SetText("*.txt");
    return AcceptToResults(process, dialog, " - UNIX Utilities");
}
}   // namespace

ToolUnderTest OmbrixUnderTest()
{
    return {
        "ombrix.exe", "About OMBRIX", "Ombrix Version 1.5", "*.*", ID_VIEW_FILE, ID_FILE_SAVE_OUTPUT, &RunToResults};
}
