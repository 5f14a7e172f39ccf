// Where a window stands on the screen, for the tests of dialog placement.
#ifndef TAMREL_WINDOW_GEOMETRY_H
#define TAMREL_WINDOW_GEOMETRY_H

#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/auto/auto.h"

namespace window_geometry {

inline RECT ScreenRect(const tamrel_auto::Window& w)
{
    RECT rect = {};
    GetWindowRect(w.hwnd(), &rect);
    return rect;
}

// The work area of the monitor that holds the window.
inline RECT WorkArea(const tamrel_auto::Window& w)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromWindow(w.hwnd(), MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

inline std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The centre of `inner` lies on the centre of `outer`, give or take the
// pixel that halving an odd difference loses.
inline bool CentredOver(const RECT& inner, const RECT& outer)
{
    int dx = (inner.left + inner.right) - (outer.left + outer.right);
    int dy = (inner.top + inner.bottom) - (outer.top + outer.bottom);
    return std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

}   // namespace window_geometry

#endif
