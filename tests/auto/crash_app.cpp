// A program that ends the way its command line says, for the tests of how
// the automation library meets a crash:
//   -access      writes through a bad pointer (an access violation)
//   -trap        runs an illegal instruction
//   -exit CODE   ends by ExitProcess(CODE), an ordinary end
// With -window first it shows a window and ends that way a moment later.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

const char* g_how = "";

void End()
{
    if (std::strncmp(g_how, "-exit ", 6) == 0)
        ExitProcess(static_cast<UINT>(std::strtoul(g_how + 6, nullptr, 0)));
    if (std::strcmp(g_how, "-trap") == 0)
        __builtin_trap();
    volatile INT_PTR address = 1;
    *reinterpret_cast<volatile int*>(address) = 5;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER)
        End();
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}   // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    g_how = commandLine;
    if (std::strncmp(g_how, "-window ", 8) != 0) {
        End();
        return 0;
    }
    g_how += 8;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "CrashApp";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA(
        "CrashApp", "Crash App", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr);
    SetTimer(hwnd, 1, 300, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
