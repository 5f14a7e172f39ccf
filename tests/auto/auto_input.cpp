#include "auto_input.h"

#include <algorithm>
#include <sstream>

namespace tamrel_auto {
namespace {

HWND TopLevel(const Window& window)
{
    HWND top = GetAncestor(window.hwnd(), GA_ROOT);
    return top ? top : window.hwnd();
}

// Keys that the keyboard sends with the extended flag; without it the
// system reads them as the keypad's keys.
bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_DELETE:
    case VK_INSERT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_APPS:
    case VK_RCONTROL:
    case VK_RMENU:
        return true;
    default:
        return false;
    }
}

INPUT Key(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

}   // namespace

void BringToForeground(const Window& window, DWORD timeoutMs)
{
    HWND top = TopLevel(window);
    WaitUntil(
        [&] {
            if (GetForegroundWindow() == top)
                return true;
            SetForegroundWindow(top);
            return GetForegroundWindow() == top;
        },
        "the foreground to be " + Window(top).Describe(),
        timeoutMs);
}

void PressKey(const Window& window, WORD vk, int modifiers)
{
    BringToForeground(window);
    std::vector<INPUT> inputs;
    const WORD mods[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (int i = 0; i < 3; ++i)
        if (modifiers & (1 << i))
            inputs.push_back(Key(mods[i], false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (int i = 2; i >= 0; --i)
        if (modifiers & (1 << i))
            inputs.push_back(Key(mods[i], true));
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        throw AutoError("SendInput sent " + std::to_string(sent) + " of " + std::to_string(inputs.size()) +
                        " key events");
}

POINT ClickMouse(const Window& window, int x, int y, WORD button)
{
    BringToForeground(window);
    POINT point = {x, y};
    ClientToScreen(window.hwnd(), &point);
    // Absolute positions run from 0 to 65535 across the primary screen.
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, width - 1);
        input.mi.dy = MulDiv(point.y, 65535, height - 1);
    }
    bool right = button == VK_RBUTTON;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    inputs[2].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    UINT sent = SendInput(3, inputs, sizeof(INPUT));
    if (sent != 3)
        throw AutoError("SendInput sent " + std::to_string(sent) + " of 3 mouse events");
    return point;
}

namespace {

// One absolute mouse event at a client point of window.
void SendMouse(const Window& window, int x, int y, DWORD flags)
{
    POINT point = {x, y};
    ClientToScreen(window.hwnd(), &point);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, width - 1);
    input.mi.dy = MulDiv(point.y, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    if (SendInput(1, &input, sizeof(INPUT)) != 1)
        throw AutoError("SendInput did not send a mouse event");
}

}   // namespace

void PressMouseAt(const Window& window, int x, int y)
{
    BringToForeground(window);
    SendMouse(window, x, y, 0);
    SendMouse(window, x, y, MOUSEEVENTF_LEFTDOWN);
}

void DragMouseTo(const Window& window, int x, int y)
{
    SendMouse(window, x, y, 0);
}

void ReleaseMouseAt(const Window& window, int x, int y)
{
    SendMouse(window, x, y, 0);
    SendMouse(window, x, y, MOUSEEVENTF_LEFTUP);
}

Window CaptureOf(const Window& window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window.hwnd(), nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info))
        return Window();
    return Window(info.hwndCapture);
}

void WaitPainted(const Window& window, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window.hwnd(), WM_PAINT, 0, 0, SMTO_NORMAL, timeoutMs, &result))
        throw AutoError("timed out waiting for " + window.Describe() + " to paint");
}

TEXTMETRICA StockFontMetrics(int stockObject)
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        throw AutoError("no screen device context");
    HGDIOBJ old = SelectObject(screen, GetStockObject(stockObject));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics;
}

COLORREF ScreenPixel(const Window& window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window.hwnd(), &point);
    HDC screen = GetDC(nullptr);
    if (!screen)
        throw AutoError("no screen device context");
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

Window FocusOf(const Window& window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window.hwnd(), nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info))
        return Window();
    return Window(info.hwndFocus);
}

void WaitFocus(const Window& expected, DWORD timeoutMs)
{
    WaitUntil([&] { return FocusOf(expected) == expected; }, "the focus on " + expected.Describe(), timeoutMs);
}

bool IsPopupMenu(const Window& window)
{
    return window.Visible() && window.ClassName() == "#32768";
}

Window WaitPopupMenu(const Process& process, DWORD timeoutMs)
{
    return process.WaitWindow(IsPopupMenu, "a pop-up menu", timeoutMs);
}

Window FindDescendant(const Window& window, int id)
{
    for (const Window& w : window.Descendants())
        if (w.Id() == id)
            return w;
    return Window();
}

Window WaitDescendant(const Window& window, int id, DWORD timeoutMs)
{
    Window found;
    WaitUntil([&] { return static_cast<bool>(found = FindDescendant(window, id)); },
              "a control with id " + std::to_string(id) + " in " + window.Describe(),
              timeoutMs);
    return found;
}

std::vector<int> SelectedIndices(const Window& list)
{
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(list.hwnd(), LB_GETSELCOUNT, 0, 0, SMTO_NORMAL, kTimeoutMs, &count))
        throw AutoError("no answer to LB_GETSELCOUNT from " + list.Describe());
    std::vector<int> indices;
    for (size_t i = 0; i < list.Items().size() && indices.size() < count; ++i) {
        DWORD_PTR selected = 0;
        SendMessageTimeoutA(list.hwnd(), LB_GETSEL, i, 0, SMTO_NORMAL, kTimeoutMs, &selected);
        if (selected > 0 && selected != static_cast<DWORD_PTR>(LB_ERR))
            indices.push_back(static_cast<int>(i));
    }
    return indices;
}

void SelectItems(const Window& list, const std::vector<std::string>& items)
{
    std::vector<std::string> all = list.Items();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(list.hwnd(), LB_SETSEL, FALSE, -1, SMTO_NORMAL, kTimeoutMs, &ignored);
    for (const std::string& item : items) {
        auto it = std::find(all.begin(), all.end(), item);
        if (it == all.end())
            throw AutoError("no entry \"" + item + "\" in " + list.Describe());
        SendMessageTimeoutA(list.hwnd(), LB_SETSEL, TRUE, it - all.begin(), SMTO_NORMAL, kTimeoutMs, &ignored);
    }
    SendMessageTimeoutA(list.Parent().hwnd(),
                        WM_COMMAND,
                        MAKEWPARAM(list.Id(), LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list.hwnd()),
                        SMTO_NORMAL,
                        kTimeoutMs,
                        &ignored);
}

std::vector<std::string> ReadLogLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string bytes;
    if (!TryReadFileBytes(path, &bytes))
        return lines;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> WaitLogLine(const std::string& path, const std::string& line, DWORD timeoutMs)
{
    bool prefix = !line.empty() && line.back() == '*';
    std::string wanted = prefix ? line.substr(0, line.size() - 1) : line;
    std::vector<std::string> lines;
    bool found = PollUntil(
        [&] {
            lines = ReadLogLines(path);
            for (const std::string& l : lines)
                if (prefix ? l.compare(0, wanted.size(), wanted) == 0 : l == wanted)
                    return true;
            return false;
        },
        timeoutMs);
    if (!found) {
        std::string all;
        for (const std::string& l : lines)
            all += "\n  " + l;
        throw AutoError("timed out waiting for the line \"" + line + "\" in " + path + "; it holds:" + all);
    }
    return lines;
}

}   // namespace tamrel_auto
