// Times olmet as a user would wait for it: the program is started on a
// file, End of File is asked for as soon as its window is up, and the clock
// stops when the window shows the last row alone at its top (ink in the
// first row, none in the second).
//
//   olmet_bench.exe FILE
//
// Prints "start to last row shown: S s". Not a test: nothing here fails on
// a figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "olmet/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

namespace {

// The height of a row: the display font's, the stock fixed font.
int RowHeight()
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return tm.tmHeight;
}

// Pixels of a band of the window's client area, rows top to bottom, that
// differ from the band's first pixel (the background at the left edge).
size_t InkIn(HWND view, int top, int height)
{
    RECT client;
    GetClientRect(view, &client);
    POINT origin = {0, top};
    ClientToScreen(view, &origin);
    const int width = client.right < 600 ? client.right : 600;
    if (width <= 0 || height <= 0)
        return 0;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    size_t ink = 0;
    for (int i = 0; i < width * height; ++i)
        ink += (pixels[i] & 0xffffff) != (pixels[0] & 0xffffff);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ink;
}

}   // namespace

int main(int argc, char** argv)
{
    if (!CheckUsage(argc, 1, "olmet_bench FILE"))
        return 2;
    std::string file = FullPath(argv[1]);
    return Run("olmet_bench", [&] {
        const int rowHeight = RowHeight();
        double started = Now();
        Process process = Process::Launch(ProgramPath("olmet.exe"), file, ExeDirectory());
        Window frame = process.WaitFrame(" - OLMET for Windows", kLongWaitMs);
        double shown = Now();
        frame.MenuCommand(ID_END_OF_FILE);
        HWND view = frame.Child(0xE900).hwnd();
        WaitUntil([&] { return InkIn(view, 0, rowHeight) > 0 && InkIn(view, rowHeight, rowHeight) == 0; },
                  "the last row alone at the top",
                  kLongWaitMs);
        double finished = Now();
        std::printf("start to window shown: %.3f s\n", shown - started);
        std::printf("start to last row shown: %.3f s\n", finished - started);
        frame.PostClose();
        process.WaitExit(kLongWaitMs);
        return 0;
    });
}
