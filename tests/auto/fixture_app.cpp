// A small raw Win32 program for the tests of the automation library: a frame
// whose read-only edit logs what happens, a menu with an accelerator, a modal
// dialog with every kind of control the suite's dialogs use, and a message
// box. Started with the tail "-dialog-first" it shows the dialog before any
// window, as the suite's tools do, and ends when it is cancelled; with
// "-old-dialogs" its Save As dialog has the older layout.
#include <windows.h>
#include <commdlg.h>

#include <cstdlib>
#include <string>

#include "fixture_ids.h"

namespace {

HINSTANCE g_instance;
HWND g_view;
bool g_oldDialogs;   // "-old-dialogs": the common dialogs without the explorer layout
std::string g_log;
std::string g_dialogResult;

void Log(const std::string& line)
{
    g_log += line + "\r\n";
    if (g_view)
        SetWindowTextA(g_view, g_log.c_str());
}

const char* CommandTail(const char* line)
{
    const char* p = line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            ++p;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

std::string ItemText(HWND dlg, int id)
{
    char buf[512];
    GetDlgItemTextA(dlg, id, buf, sizeof buf);
    return buf;
}

bool IsInteger(const std::string& s)
{
    if (s.empty())
        return true;   // an empty field means "no number"
    size_t i = (s[0] == '-') ? 1 : 0;
    if (i == s.size())
        return false;
    for (; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dlg, IDC_FIX_LIST);
        for (const char* item : {"alpha", "beta", "gamma", "[..]"})
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SetDlgItemTextA(dlg, IDC_FIX_NAME, "preset");
        CheckRadioButton(dlg, IDC_FIX_RADIO1, IDC_FIX_RADIO3, IDC_FIX_RADIO1);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FIX_LIST:
            if (HIWORD(wParam) == LBN_DBLCLK) {
                HWND list = reinterpret_cast<HWND>(lParam);
                LRESULT i = SendMessageA(list, LB_GETCURSEL, 0, 0);
                char item[256] = "";
                if (i != LB_ERR)
                    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
                SetDlgItemTextA(dlg, IDC_FIX_NAME, (std::string("dblclk:") + item).c_str());
            }
            return TRUE;
        case IDOK: {
            std::string number = ItemText(dlg, IDC_FIX_NUMBER);
            if (!IsInteger(number)) {
                // The dialog stays open, as data exchange keeps it on a bad field.
                MessageBoxA(dlg, "Please enter an integer.", "Fixture", MB_OK | MB_ICONEXCLAMATION);
                SetFocus(GetDlgItem(dlg, IDC_FIX_NUMBER));
                return TRUE;
            }
            int radio = 0;
            for (int id = IDC_FIX_RADIO1; id <= IDC_FIX_RADIO3; ++id)
                if (IsDlgButtonChecked(dlg, id) == BST_CHECKED)
                    radio = radio * 10 + (id - IDC_FIX_RADIO1 + 1);
            HWND list = GetDlgItem(dlg, IDC_FIX_LIST);
            LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
            char item[256] = "";
            if (sel != LB_ERR)
                SendMessageA(list, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(item));
            g_dialogResult = "name=" + ItemText(dlg, IDC_FIX_NAME) + " number=" + number +
                             " check=" + std::to_string(IsDlgButtonChecked(dlg, IDC_FIX_CHECK)) +
                             " radio=" + std::to_string(radio) + " list=" + item;
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

bool RunDialog(HWND owner)
{
    INT_PTR r = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_FIXTURE), owner, DialogProc, 0);
    if (r == IDOK)
        Log("dialog ok: " + g_dialogResult);
    else
        Log("dialog cancelled");
    return r == IDOK;
}

void CopyLog(HWND owner)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, g_log.size() + 1);
    if (mem) {
        memcpy(GlobalLock(mem), g_log.c_str(), g_log.size() + 1);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_TEXT, mem))
            GlobalFree(mem);
    }
    CloseClipboard();
}

// Saves the log where the user says, through the common Save As dialog set
// up as the suite's tools set it up.
void SaveLog(HWND owner)
{
    char file[MAX_PATH] = "*.*";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = (g_oldDialogs ? 0 : OFN_EXPLORER) | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&ofn)) {
        Log("save cancelled");
        return;
    }
    HANDLE f = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(f, g_log.data(), static_cast<DWORD>(g_log.size()), &written, nullptr);
    CloseHandle(f);
    Log(std::string("saved ") + file);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        if (g_view)
            MoveWindow(g_view, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_FIX_DIALOG:
            Log(HIWORD(wParam) == 1 ? "dialog by accelerator" : "dialog by menu");
            RunDialog(hwnd);
            return 0;
        case IDM_FIX_MESSAGE: {
            int r = MessageBoxA(hwnd, "Fixture message\r\nsecond line", "Fixture", MB_OKCANCEL);
            Log("message answer " + std::to_string(r));
            return 0;
        }
        case IDM_FIX_COPY:
            CopyLog(hwnd);
            return 0;
        case IDM_FIX_SAVE:
            SaveLog(hwnd);
            return 0;
        case IDM_FIX_EXIT:
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}   // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    g_instance = instance;
    std::string tail = CommandTail(GetCommandLineA());
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, cwd);
    Log("cmdline=[" + tail + "]");
    Log(std::string("cwd=[") + cwd + "]");

    g_oldDialogs = tail == "-old-dialogs";
    if (tail == "-dialog-first" && !RunDialog(nullptr))
        return 0;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TamrelFixtureFrame";
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_FIXTURE);
    if (!RegisterClassA(&wc))
        return 1;
    HWND frame = CreateWindowA("TamrelFixtureFrame",
                               "Fixture Frame",
                               WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT,
                               CW_USEDEFAULT,
                               600,
                               400,
                               nullptr,
                               nullptr,
                               instance,
                               nullptr);
    if (!frame)
        return 1;
    g_view = CreateWindowA("EDIT",
                           g_log.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                           0,
                           0,
                           10,
                           10,
                           frame,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FIX_VIEW)),
                           instance,
                           nullptr);
    RECT rc;
    GetClientRect(frame, &rc);
    MoveWindow(g_view, 0, 0, rc.right, rc.bottom, FALSE);
    ShowWindow(frame, show);
    UpdateWindow(frame);

    HACCEL accel = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_FIXTURE));
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(frame, accel, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    return static_cast<int>(m.wParam);
}
