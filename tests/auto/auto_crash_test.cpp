// How the automation library meets a program that crashes: the test that
// waits on it fails at once, naming the program and the exception, instead
// of waiting out its timeout or for a person to close a crash dialog.
#include <gtest/gtest.h>

#include <string>

#include "auto.h"

using namespace tamrel_auto;

namespace {

Process StartCrashApp(const TempDir& temp, const std::string& how)
{
    return Process::Launch(ProgramPath("crash_app.exe"), how, temp.path());
}

// The message of the AutoError that `wait` throws; empty when none.
template <typename Wait>
std::string ErrorOf(Wait wait)
{
    try {
        wait();
    } catch (const AutoError& e) {
        return e.what();
    }
    return std::string();
}

struct CrashCase {
    const char* how;
    const char* report;
};

}   // namespace

TEST(AutoCrash, WaitingForTheEndReportsTheExceptionAndTheProgram)
{
    const CrashCase cases[] = {
        {"-access", "crash_app.exe crashed: exception 0xC0000005 (access violation)"},
        {"-trap", "crash_app.exe crashed: exception 0xC000001D (illegal instruction)"},
        {"-window -access", "crash_app.exe crashed: exception 0xC0000005 (access violation)"},
    };
    for (const CrashCase& c : cases) {
        SCOPED_TRACE(c.how);
        TempDir temp;
        Process p = StartCrashApp(temp, c.how);
        EXPECT_EQ(ErrorOf([&] { p.WaitExit(); }), c.report);
        EXPECT_TRUE(p.Crashed());
        EXPECT_EQ(p.CrashReport(), c.report);
    }
}

// A crash before the awaited window shows, or while a test waits for a
// dialog of a program whose window is up, ends the wait with the crash.
TEST(AutoCrash, AWindowWaitEndsWithTheCrash)
{
    const std::string crashed = "crash_app.exe crashed: exception 0xC0000005 (access violation)";
    {
        TempDir temp;
        Process p = StartCrashApp(temp, "-access");
        EXPECT_EQ(ErrorOf([&] { p.WaitFrame("Crash App"); }),
                  crashed + " while the test waited for main window ending in \"Crash App\"");
    }
    {
        TempDir temp;
        Process p = StartCrashApp(temp, "-window -access");
        p.WaitFrame("Crash App");
        EXPECT_EQ(ErrorOf([&] { p.WaitDialog("Never Shown"); }),
                  crashed + " while the test waited for dialog \"Never Shown\"");
    }
}

// Exit codes a program chooses itself are no crash, large ones included.
TEST(AutoCrash, AnOrdinaryEndIsNoCrash)
{
    for (DWORD code : {0x0u, 0x3u, 0xFFFFFFFFu, 0xE0000001u}) {
        SCOPED_TRACE(code);
        TempDir temp;
        Process p = StartCrashApp(temp, "-exit " + std::to_string(code));
        std::string error = ErrorOf([&] { EXPECT_TRUE(p.WaitExit()); });
        EXPECT_EQ(error, "");
        EXPECT_EQ(p.ExitCode(), code);
        EXPECT_FALSE(p.Crashed());
        EXPECT_EQ(p.CrashReport(), "");
    }
}

// Wine's crash dialog would hold the run until a person closes it: the
// prefix the tests run in has it turned off.
TEST(AutoCrash, ThePrefixShowsNoCrashDialog)
{
    DWORD show = 1, size = sizeof show, type = 0;
    LONG result = RegGetValueA(
        HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", "ShowCrashDialog", RRF_RT_REG_DWORD, &type, &show, &size);
    ASSERT_EQ(result, ERROR_SUCCESS) << "HKCU\\Software\\Wine\\WineDbg has no ShowCrashDialog";
    EXPECT_EQ(show, 0u);
}
