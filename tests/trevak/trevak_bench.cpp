// Times trevak as a user would run it: the program is started with an
// archive on its command line, Write (create, ustar, every file, descending)
// or Read (every member) is chosen from the menu and its dialog filled, and
// the clock stops when the work is done: the member list shows every member
// after Write, the last member's file is in place after Read.
//
//   trevak_bench.exe write ARCHIVE SOURCE MEMBERS
//   trevak_bench.exe read ARCHIVE TARGET LASTFILE
//   trevak_bench.exe list ARCHIVE DIRECTORY MEMBERS   (start to the whole listing)
//
// ARCHIVE must exist (Write turns it into a ustar archive); MEMBERS is the
// number of headers the new archive holds, LASTFILE the path, below TARGET,
// of the last member. Prints the phases in seconds. Not a test: nothing
// here fails on a figure.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "trevak/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

namespace {

Window MemberList(const Window& frame)
{
    for (const Window& w : frame.Descendants()) {
        if (w.Id() == IDC_MEMBERS && w.ClassName() == "ListBox")
            return w;
    }
    throw AutoError("no member list");
}

long long ArchiveSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}   // namespace

int main(int argc, char** argv)
{
    if (!CheckUsage(argc, 4, "trevak_bench write|read|list ARCHIVE DIRECTORY MEMBERS|LASTFILE"))
        return 2;
    std::string mode = argv[1];
    std::string archive = FullPath(argv[2]);
    std::string directory = FullPath(argv[3]);
    std::string last = argv[4];
    return Run("trevak_bench", [&] {
        RunTimes times;
        double written = 0;
        long long startSize = ArchiveSize(archive);
        times.started = Now();
        Process process = Process::Launch(ProgramPath("trevak.exe"), archive, directory);
        Window frame = process.WaitFrame(" - Trevak for Windows", kLongWaitMs);
        Window list = MemberList(frame);
        if (mode == "list") {
            // Nothing to choose: the clock runs from the start to the last
            // member in the list.
            times.dialogShown = times.okPressed = times.started;
            LRESULT members = std::atol(last.c_str());
            WaitUntil([&] { return SendMessageA(list.hwnd(), LB_GETCOUNT, 0, 0) == members; },
                      "the archive listed",
                      kLongWaitMs);
        } else if (mode == "write") {
            frame.MenuCommand(ID_WRITE_ARCHIVE);
            Window dlg = process.WaitDialog("Write Archive", kLongWaitMs);
            times.dialogShown = Now();
            dlg.Child(IDC_DIRECTORY).SetText(directory);
            dlg.Child(IDC_FILES).SetText("*.*");
            dlg.Child(IDC_DESCEND).SetChecked(true);
            dlg.Child(IDC_USTAR).SelectRadio();
            dlg.Child(IDC_CREATE).SelectRadio();
            times.okPressed = Now();
            dlg.Child(IDOK).Click();
            LRESULT members = std::atol(last.c_str());
            // The count alone: reading every line back across processes at
            // each poll would cost more than the program's own listing.
            // The archive is put in place when it is whole, which parts the
            // writing from the listing.
            WaitUntil(
                [&] {
                    if (written == 0 && ArchiveSize(archive) != startSize)
                        written = Now();
                    return SendMessageA(list.hwnd(), LB_GETCOUNT, 0, 0) == members;
                },
                "the new archive listed",
                kLongWaitMs);
            if (written == 0)
                written = Now();
        } else {
            frame.MenuCommand(ID_READ_ARCHIVE);
            Window dlg = process.WaitDialog("Read Archive", kLongWaitMs);
            times.dialogShown = Now();
            dlg.Child(IDC_DIRECTORY).SetText(directory);
            dlg.Child(IDC_ALL_FILES).SelectRadio();
            times.okPressed = Now();
            dlg.Child(IDOK).Click();
            WaitUntil([&] { return FileExists(last); }, "the last member extracted", kLongWaitMs);
        }
        times.finished = Now();
        if (mode == "list")
            std::printf("start to archive listed: %.2f s\n", times.finished - times.started);
        else
            PrintPhases(times, mode == "write" ? "archive listed" : "last file extracted");
        if (mode == "write")
            std::printf("OK to archive in place: %.2f s\n", written - times.okPressed);
        frame.PostClose();
        process.WaitExit(kLongWaitMs);
        return 0;
    });
}
