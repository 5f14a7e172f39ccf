#include "afxcomdlg.h"

namespace {

bool g_loadFailed = false;

// The address of a comdlg32 function, loading the library on first use.
FARPROC CommDlgProc(const char* name)
{
    static HMODULE library = nullptr;
    if (!library && !g_loadFailed) {
        library = LoadLibraryA("comdlg32.dll");
        g_loadFailed = library == nullptr;
    }
    return library ? GetProcAddress(library, name) : nullptr;
}

template <typename Function>
Function Lookup(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(CommDlgProc(name)));
}

}   // namespace

BOOL AfxGetOpenFileName(OPENFILENAMEA* ofn)
{
    auto function = Lookup<BOOL(WINAPI*)(OPENFILENAMEA*)>("GetOpenFileNameA");
    return function ? function(ofn) : FALSE;
}

BOOL AfxGetSaveFileName(OPENFILENAMEA* ofn)
{
    auto function = Lookup<BOOL(WINAPI*)(OPENFILENAMEA*)>("GetSaveFileNameA");
    return function ? function(ofn) : FALSE;
}

BOOL AfxPrintDlg(PRINTDLGA* pd)
{
    auto function = Lookup<BOOL(WINAPI*)(PRINTDLGA*)>("PrintDlgA");
    return function ? function(pd) : FALSE;
}

BOOL AfxChooseFont(CHOOSEFONTA* cf)
{
    auto function = Lookup<BOOL(WINAPI*)(CHOOSEFONTA*)>("ChooseFontA");
    return function ? function(cf) : FALSE;
}

DWORD AfxCommDlgExtendedError()
{
    auto function = Lookup<DWORD(WINAPI*)()>("CommDlgExtendedError");
    if (function)
        return function();
    return g_loadFailed ? CDERR_INITIALIZATION : 0;
}
