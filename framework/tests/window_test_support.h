// Helpers of the tests that make real windows in their own process.
#ifndef FRAMEWORK_WINDOW_TEST_SUPPORT_H
#define FRAMEWORK_WINDOW_TEST_SUPPORT_H

#include <windows.h>

// True when windows can be made here (a display is there); window tests
// skip otherwise.
inline bool WindowsAvailable()
{
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe)
        return false;
    DestroyWindow(probe);
    return true;
}

// Removes what a destroyed main window leaves in the queue (WM_QUIT), so one
// test does not end the next one's loops.
inline void DrainQueue()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
    }
}

#endif
