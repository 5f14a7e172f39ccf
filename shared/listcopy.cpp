#include "listcopy.h"

#include <cstring>
#include <vector>

#include "message.h"

bool ListBoxText(HWND listBox, std::string& text)
{
    text.clear();
    LRESULT count = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == LB_ERR)
            continue;
        if (static_cast<size_t>(length) + text.size() + 2 > kMaxClipboardText)
            return false;
        std::vector<char> line(static_cast<size_t>(length) + 1, '\0');
        LRESULT got = SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        if (got != LB_ERR)
            text.append(line.data(), static_cast<size_t>(got));
        text += "\r\n";
    }
    return true;
}

bool CopyListBoxToClipboard(HWND owner, HWND listBox)
{
    // The text and its block are made whole first, so a refusal leaves the
    // clipboard holding what it held.
    std::string text;
    if (!ListBoxText(listBox, text)) {
        ToolMessage("Copy action cannot be greater than 32k");
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) {
        ToolMessage("Out of global memory");
        return false;
    }
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        ToolMessage("Cannot lock global memory");
        return false;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    // Another program may hold the clipboard for a moment (a viewer
    // reading what was just put there); it is asked a few times.
    bool opened = false;
    for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
        opened = OpenClipboard(owner) != 0;
        if (!opened)
            Sleep(20);
    }
    if (!opened) {
        GlobalFree(block);
        ToolMessage("Cannot open the Clipboard");
        return false;
    }
    EmptyClipboard();
    // Once the clipboard takes the block it owns it; a refused block is
    // still ours to free.
    bool handed = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!handed) {
        GlobalFree(block);
        ToolMessage("Copy to Clipboard fails");
    }
    CloseClipboard();
    return handed;
}
