#include "auto.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace tamrel_auto {
namespace {

// Interval between two looks of a wait. Short enough not to slow the tests,
// long enough not to keep the programs under test from running.
constexpr DWORD kPollMs = 15;

std::string LastErrorText(const char* what)
{
    return std::string(what) + " failed (error " + std::to_string(GetLastError()) + ")";
}

std::string Hex(ULONG_PTR value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%#llx", static_cast<unsigned long long>(value));
    return buf;
}

// Message text shortened for error reports.
std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text.substr(0, 120)) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    if (text.size() > 120)
        out += "...";
    return out + "\"";
}

}   // namespace

// ---------------------------------------------------------------- waits

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        try {
            if (done())
                return true;
        } catch (const std::exception&) {
            // not there yet
        }
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

void WaitUntil(const std::function<bool()>& done, const std::string& what, DWORD timeoutMs)
{
    std::string lastError;
    DWORD start = GetTickCount();
    for (;;) {
        try {
            if (done())
                return;
        } catch (const std::exception& e) {
            lastError = e.what();
        }
        if (GetTickCount() - start >= timeoutMs)
            break;
        Sleep(kPollMs);
    }
    std::string message = "timed out after " + std::to_string(timeoutMs) + " ms waiting for " + what;
    if (!lastError.empty())
        message += " (last error: " + lastError + ")";
    throw AutoError(message);
}

// ---------------------------------------------------------------- files

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ExeDirectory()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        throw AutoError(LastErrorText("GetModuleFileNameA"));
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}

std::string ProgramPath(const std::string& exeName)
{
    std::string path = ExeDirectory() + "\\" + exeName;
    if (!FileExists(path))
        throw AutoError("program not built: " + path);
    return path;
}

std::string FullPath(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buf, nullptr);
    if (n == 0 || n >= MAX_PATH)
        throw AutoError(LastErrorText("GetFullPathNameA") + " for " + path);
    return std::string(buf, n);
}

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TryReadFileBytes(const std::string& path, std::string* bytes)
{
    // Shared for writing too: the file may be one a program still holds open.
    HANDLE f = CreateFileA(path.c_str(),
                           GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr,
                           OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    std::string out;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
        if (!ReadFile(f, buf, sizeof buf, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        out.append(buf, got);
    }
    CloseHandle(f);
    if (ok)
        *bytes = std::move(out);
    return ok;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    if (!TryReadFileBytes(path, &bytes))
        throw AutoError(LastErrorText("reading") + ": " + path);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        throw AutoError(LastErrorText("creating") + ": " + path);
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    if (!ok || written != bytes.size())
        throw AutoError(LastErrorText("writing") + ": " + path);
}

void CopyFileTo(const std::string& from, const std::string& to)
{
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw AutoError(LastErrorText("CopyFileA") + ": " + from + " -> " + to);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

TempDir::TempDir(const std::string& tag)
{
    char base[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, base);
    if (n == 0 || n >= MAX_PATH)
        throw AutoError(LastErrorText("GetTempPathA"));
    std::string root = FullPath(base);
    if (!root.empty() && root.back() == '\\')
        root.pop_back();
    static unsigned counter = 0;
    for (;;) {
        std::string candidate =
            root + "\\" + tag + "Run" + std::to_string(GetCurrentProcessId()) + "X" + std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw AutoError(LastErrorText("CreateDirectoryA") + ": " + candidate);
    }
}

TempDir::~TempDir()
{
    RemoveTree(path_);
}

std::string TempDir::MakeDir(const std::string& name) const
{
    std::string p = Path(name);
    if (!CreateDirectoryA(p.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw AutoError(LastErrorText("CreateDirectoryA") + ": " + p);
    return p;
}

void TempDir::Write(const std::string& name, const std::string& bytes) const
{
    WriteFileBytes(Path(name), bytes);
}

// ---------------------------------------------------------------- profiles

std::string WindowsIniPath(const std::string& name)
{
    char dir[MAX_PATH];
    UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        throw AutoError(LastErrorText("GetWindowsDirectoryA"));
    std::string s(dir, n);
    if (s.back() != '\\')
        s += '\\';
    return s + name;
}

ProfileOverride::ProfileOverride(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& value)
    : file_(file), section_(section), key_(key)
{
    std::vector<char> buf(32768);
    DWORD n = GetPrivateProfileSectionA(section.c_str(), buf.data(), static_cast<DWORD>(buf.size()), file.c_str());
    hadSection_ = n > 0;
    // Two different defaults tell an absent key from an empty value.
    char a[4096], b[4096];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x01", a, sizeof a, file.c_str());
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x02", b, sizeof b, file.c_str());
    hadKey_ = std::string(a) == b;
    if (hadKey_)
        oldValue_ = a;
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()))
        throw AutoError(LastErrorText("WritePrivateProfileStringA") + ": " + file);
}

ProfileOverride::~ProfileOverride()
{
    const char* s = section_.c_str();
    const char* f = file_.c_str();
    if (hadKey_)
        WritePrivateProfileStringA(s, key_.c_str(), oldValue_.c_str(), f);
    else if (hadSection_)
        WritePrivateProfileStringA(s, key_.c_str(), nullptr, f);
    else
        WritePrivateProfileStringA(s, nullptr, nullptr, f);
}

// ---------------------------------------------------------------- windows

LRESULT Window::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd_, msg, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result))
        throw AutoError(LastErrorText(("message " + Hex(msg)).c_str()) + " to " + Describe());
    return static_cast<LRESULT>(result);
}

bool Window::Exists() const
{
    return hwnd_ && IsWindow(hwnd_);
}
bool Window::Visible() const
{
    return hwnd_ && IsWindowVisible(hwnd_);
}
bool Window::Enabled() const
{
    return hwnd_ && IsWindowEnabled(hwnd_);
}

std::string Window::ClassName() const
{
    char buf[256];
    int n = GetClassNameA(hwnd_, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

int Window::Id() const
{
    return GetDlgCtrlID(hwnd_);
}
LONG_PTR Window::Style() const
{
    return GetWindowLongPtrA(hwnd_, GWL_STYLE);
}

DWORD Window::ProcessId() const
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd_, &pid);
    return pid;
}

Window Window::Parent() const
{
    return Window(GetParent(hwnd_));
}

std::string Window::Describe() const
{
    if (!Exists())
        return "window " + Hex(reinterpret_cast<ULONG_PTR>(hwnd_)) + " (gone)";
    std::string s = ClassName();
    if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD)
        s += " id " + std::to_string(Id());
    s += " " + Quote(Caption());
    if (!Visible())
        s += " (hidden)";
    return s;
}

std::string Window::Caption() const
{
    std::vector<char> buf(4096);
    int n = GetWindowTextA(hwnd_, buf.data(), static_cast<int>(buf.size()));
    return std::string(buf.data(), n > 0 ? n : 0);
}

std::string Window::Text() const
{
    LRESULT length = Send(WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buf(static_cast<size_t>(length) + 1);
    LRESULT n = Send(WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data(), static_cast<size_t>(std::min<LRESULT>(n, length)));
}

void Window::SetText(const std::string& text) const
{
    if (!Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())))
        throw AutoError("WM_SETTEXT refused by " + Describe());
}

std::vector<Window> Window::Children() const
{
    std::vector<Window> out;
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out.emplace_back(c);
    return out;
}

namespace {
// Enumeration callbacks are named functions: a lambda has the wrong calling
// convention for 32-bit Windows.
BOOL CALLBACK CollectWindow(HWND h, LPARAM p)
{
    reinterpret_cast<std::vector<Window>*>(p)->emplace_back(h);
    return TRUE;
}

struct WindowSearch {
    DWORD pid;
    bool visibleOnly;
    std::vector<Window> found;
};

BOOL CALLBACK CollectProcessWindow(HWND h, LPARAM p)
{
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && (!s->visibleOnly || IsWindowVisible(h)))
        s->found.emplace_back(h);
    return TRUE;
}
}   // namespace

std::vector<Window> Window::Descendants() const
{
    std::vector<Window> out;
    EnumChildWindows(hwnd_, CollectWindow, reinterpret_cast<LPARAM>(&out));
    return out;
}

Window Window::FindChild(int id) const
{
    for (const Window& c : Children())
        if (c.Id() == id)
            return c;
    return Window();
}

Window Window::Child(int id) const
{
    Window c = FindChild(id);
    if (!c) {
        std::string names;
        for (const Window& w : Children())
            names += "\n  " + w.Describe();
        throw AutoError("no control with id " + std::to_string(id) + " in " + Describe() + "; it holds:" + names);
    }
    return c;
}

Window Window::FindChildByClass(const std::string& className) const
{
    for (const Window& c : Children())
        if (lstrcmpiA(c.ClassName().c_str(), className.c_str()) == 0)
            return c;
    return Window();
}

Window Window::ChildByClass(const std::string& className) const
{
    Window c = FindChildByClass(className);
    if (!c)
        throw AutoError("no " + className + " child in " + Describe());
    return c;
}

void Window::Click() const
{
    HWND parent = GetParent(hwnd_);
    if (!parent)
        throw AutoError("cannot click " + Describe() + ": it has no parent");
    if (!PostMessageA(parent, WM_COMMAND, MAKEWPARAM(Id(), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_)))
        throw AutoError(LastErrorText("posting a click") + " on " + Describe());
}

bool Window::Checked() const
{
    return Send(BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Window::SetChecked(bool on) const
{
    Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

namespace {
bool IsRadio(HWND h)
{
    LONG_PTR type = GetWindowLongPtrA(h, GWL_STYLE) & BS_TYPEMASK;
    char cls[16];
    GetClassNameA(h, cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0 && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}
}   // namespace

void Window::SelectRadio() const
{
    // A group runs from a control with WS_GROUP up to the next one.
    HWND first = hwnd_;
    while (!(GetWindowLongPtrA(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev)
            break;
        first = prev;
    }
    for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (h != hwnd_ && IsRadio(h))
            Window(h).Send(BM_SETCHECK, BST_UNCHECKED, 0);
    }
    Send(BM_SETCHECK, BST_CHECKED, 0);
    Click();
}

namespace {

// The first n characters of a UTF-16 text in the ANSI code page.
std::string AnsiFromWide(const wchar_t* wide, size_t n)
{
    std::string text;
    if (n > 0) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        text.resize(bytes);
        WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(n), &text[0], bytes, nullptr, nullptr);
    }
    return text;
}

}   // namespace

std::vector<std::string> Window::Items() const
{
    // Read as UTF-16 and converted here: Wine answers an ANSI LB_GETTEXT from
    // another process with the list's UTF-16 text unconverted.
    // The program may refill the list between the length and the text of an
    // entry, and the text is copied across whole, so the buffer keeps room for
    // a longer line than the length said.
    LRESULT count = Send(LB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    std::vector<wchar_t> wide;
    for (LRESULT i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(hwnd_, LB_GETTEXTLEN, i, 0, SMTO_NORMAL, kTimeoutMs, &length) ||
            static_cast<LRESULT>(length) == LB_ERR)
            throw AutoError("list entry " + std::to_string(i) + " vanished in " + Describe());
        wide.assign(std::max<size_t>(length + 1, 32768), L'\0');
        DWORD_PTR n = 0;
        if (!SendMessageTimeoutW(
                hwnd_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL, kTimeoutMs, &n) ||
            static_cast<LRESULT>(n) == LB_ERR)
            throw AutoError(LastErrorText("LB_GETTEXT") + " in " + Describe());
        n = std::min(n, length);
        items.push_back(AnsiFromWide(wide.data(), static_cast<size_t>(n)));
    }
    return items;
}

int Window::SelectedIndex() const
{
    LRESULT i = Send(LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

std::string Window::SelectedItem() const
{
    int i = SelectedIndex();
    if (i < 0)
        return std::string();
    std::vector<std::string> items = Items();
    return static_cast<size_t>(i) < items.size() ? items[i] : std::string();
}

void Window::Select(const std::string& item) const
{
    std::vector<std::string> items = Items();
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end()) {
        std::string all;
        for (const std::string& s : items)
            all += " " + Quote(s);
        throw AutoError("no entry " + Quote(item) + " in " + Describe() + "; entries:" + all);
    }
    WPARAM index = static_cast<WPARAM>(it - items.begin());
    if (Style() & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
        // A list of several selections: this entry alone, with the caret on it,
        // as a plain click leaves it.
        Send(LB_SETSEL, FALSE, -1);
        if (Send(LB_SETSEL, TRUE, static_cast<LPARAM>(index)) == LB_ERR)
            throw AutoError("LB_SETSEL refused by " + Describe());
        Send(LB_SETCARETINDEX, index, FALSE);
    } else if (Send(LB_SETCURSEL, index, 0) == LB_ERR) {
        throw AutoError("LB_SETCURSEL refused by " + Describe());
    }
    Parent().Send(WM_COMMAND, MAKEWPARAM(Id(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd_));
}

void Window::DoubleClick(const std::string& item) const
{
    Select(item);
    Parent().Send(WM_COMMAND, MAKEWPARAM(Id(), LBN_DBLCLK), reinterpret_cast<LPARAM>(hwnd_));
}

void Window::SetItemSelected(int index, bool on) const
{
    if (Send(LB_SETSEL, on ? TRUE : FALSE, index) == LB_ERR)
        throw AutoError("LB_SETSEL refused by " + Describe());
    Parent().Send(WM_COMMAND, MAKEWPARAM(Id(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd_));
}

std::vector<int> Window::SelectedIndices() const
{
    LRESULT n = Send(LB_GETSELCOUNT, 0, 0);
    std::vector<int> indices(n > 0 ? static_cast<size_t>(n) : 0);
    if (n > 0)
        Send(LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(indices.data()));
    return indices;
}

void Window::SetSelection(int start, int end) const
{
    Send(EM_SETSEL, start, end);
}

std::pair<int, int> Window::Selection() const
{
    LRESULT r = Send(EM_GETSEL, 0, 0);
    return {LOWORD(r), HIWORD(r)};
}

int Window::ToolbarButtonState(int commandId) const
{
    return static_cast<int>(Send(TB_GETSTATE, static_cast<WPARAM>(commandId), 0));
}

bool Window::ToolbarButtonEnabled(int commandId) const
{
    int state = ToolbarButtonState(commandId);
    if (state == -1)
        throw AutoError("no toolbar button " + std::to_string(commandId) + " in " + Describe());
    return (state & TBSTATE_ENABLED) != 0;
}

bool Window::ToolbarButtonChecked(int commandId) const
{
    int state = ToolbarButtonState(commandId);
    if (state == -1)
        throw AutoError("no toolbar button " + std::to_string(commandId) + " in " + Describe());
    return (state & TBSTATE_CHECKED) != 0;
}

void Window::ClickToolbarButton(int commandId) const
{
    if (!ToolbarButtonEnabled(commandId))
        throw AutoError("toolbar button " + std::to_string(commandId) + " is disabled in " + Describe());
    if (!PostMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_)))
        throw AutoError(LastErrorText("posting a toolbar click") + " to " + Describe());
}

std::string Window::StatusPaneText(int index) const
{
    LRESULT info = Send(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index), 0);
    size_t length = LOWORD(info);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessId());
    if (!process)
        throw AutoError(LastErrorText("opening the process of") + " " + Describe());
    std::string text(length + 1, '\0');
    void* remote = VirtualAllocEx(process, nullptr, text.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = remote != nullptr;
    if (ok) {
        Send(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
        SIZE_T read = 0;
        ok = ReadProcessMemory(process, remote, &text[0], text.size(), &read) && read == text.size();
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    if (!ok)
        throw AutoError("cannot read status pane " + std::to_string(index) + " of " + Describe());
    text.resize(strlen(text.c_str()));
    return text;
}

Window Window::MdiClient() const
{
    return ChildByClass("MDIClient");
}

std::vector<Window> Window::MdiChildren() const
{
    std::vector<Window> children;
    for (const Window& child : MdiClient().Children())
        if (child.Style() & WS_CAPTION)
            children.push_back(child);
    return children;
}

Window Window::MdiActive() const
{
    return Window(reinterpret_cast<HWND>(MdiClient().Send(WM_MDIGETACTIVE, 0, 0)));
}

void Window::OpenMenu(char accessKey) const
{
    if (!PostMessageA(hwnd_, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(static_cast<unsigned char>(accessKey))))
        throw AutoError(LastErrorText("opening a menu") + " of " + Describe());
}

void Window::PressKey(int virtualKey) const
{
    UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), 0);
    if (!PostMessageA(hwnd_, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1 | (scan << 16)) ||
        !PostMessageA(hwnd_, WM_KEYUP, static_cast<WPARAM>(virtualKey), 1 | (scan << 16) | 0xC0000000))
        throw AutoError(LastErrorText("posting a key") + " to " + Describe());
}

RECT RectIn(const Window& window, const Window& parent)
{
    RECT rect = {};
    GetWindowRect(window.hwnd(), &rect);
    MapWindowPoints(nullptr, parent.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Window::MenuCommand(int id) const
{
    if (!PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0))
        throw AutoError(LastErrorText("posting a command") + " to " + Describe());
}

void Window::AcceleratorCommand(int id) const
{
    if (!PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, 1), 0))
        throw AutoError(LastErrorText("posting an accelerator") + " to " + Describe());
}

void Window::PostClose() const
{
    if (!PostMessageA(hwnd_, WM_CLOSE, 0, 0))
        throw AutoError(LastErrorText("posting WM_CLOSE") + " to " + Describe());
}

void Window::WaitGone(DWORD timeoutMs) const
{
    std::string what = Describe() + " to close";
    WaitUntil([&] { return !IsWindow(hwnd_) || !IsWindowVisible(hwnd_); }, what, timeoutMs);
}

namespace {
bool IsAnswerId(int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case IDYES:
    case IDNO:
    case IDHELP:
    case IDTRYAGAIN:
    case IDCONTINUE:
        return true;
    default:
        return false;
    }
}
}   // namespace

bool IsMessageBox(const Window& window)
{
    if (window.ClassName() != "#32770")
        return false;
    bool hasButton = false;
    for (const Window& c : window.Children()) {
        std::string cls = c.ClassName();
        if (lstrcmpiA(cls.c_str(), "Button") == 0) {
            if (!IsAnswerId(c.Id()))
                return false;
            hasButton = true;
        } else if (lstrcmpiA(cls.c_str(), "Static") != 0) {
            return false;
        }
    }
    return hasButton;
}

std::string MessageText(const Window& box)
{
    for (int id : {0xFFFF, 100}) {
        Window c = box.FindChild(id);
        if (c && lstrcmpiA(c.ClassName().c_str(), "Static") == 0)
            return c.Text();
    }
    for (const Window& c : box.Children()) {
        if (lstrcmpiA(c.ClassName().c_str(), "Static") != 0)
            continue;
        if ((c.Style() & SS_TYPEMASK) == SS_ICON)
            continue;
        std::string t = c.Text();
        if (!t.empty())
            return t;
    }
    throw AutoError("no message text in " + box.Describe());
}

namespace {
// The name field: a combo box (cmb13) in the explorer layout, an edit (edt1)
// in the older one. A combo box answers WM_GETTEXT and WM_SETTEXT for its
// edit.
Window FileNameField(const Window& fileDialog)
{
    Window name = fileDialog.FindChild(0x47C);
    if (!name)
        name = fileDialog.FindChild(0x480);
    if (!name)
        throw AutoError("no file name field in " + fileDialog.Describe());
    return name;
}
}   // namespace

void ChooseFile(const Window& fileDialog, const std::string& path)
{
    FileNameField(fileDialog).SetText(path);
    fileDialog.Child(IDOK).Click();
}

std::string FileDialogName(const Window& fileDialog)
{
    return FileNameField(fileDialog).Text();
}

// ---------------------------------------------------------------- processes

namespace {
// The file name of the program a command line starts: its first word, or
// the quoted text it begins with, less the directory.
std::string ProgramName(const std::string& commandLine)
{
    std::string path;
    if (!commandLine.empty() && commandLine[0] == '"')
        path = commandLine.substr(1, commandLine.find('"', 1) - 1);
    else
        path = commandLine.substr(0, commandLine.find_first_of(" \t"));
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Exception codes of the error severity in the system's own facility, and
// the breakpoint of a debug trap: what a process ends with when an exception
// reaches no handler. Programs that exit on their own return small numbers.
bool IsExceptionCode(DWORD code)
{
    return (code & 0xFFFF0000u) == 0xC0000000u || code == 0x80000003u;
}

const char* ExceptionName(DWORD code)
{
    switch (code) {
    case 0xC0000005u:
        return "access violation";
    case 0xC00000FDu:
        return "stack overflow";
    case 0xC000001Du:
        return "illegal instruction";
    case 0xC0000094u:
        return "integer division by zero";
    case 0xC0000374u:
        return "heap corruption";
    case 0xC0000409u:
        return "stack buffer overrun";
    case 0x80000003u:
        return "breakpoint";
    default:
        return nullptr;
    }
}
}   // namespace

Process Process::Start(const std::string& commandLine, const std::string& directory)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // Under load Wine now and then refuses a process start with an internal
    // error that the next try does not meet; only that error is tried again.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessA(nullptr,
                           line.data(),
                           nullptr,
                           nullptr,
                           FALSE,
                           0,
                           nullptr,
                           directory.empty() ? nullptr : directory.c_str(),
                           &si,
                           &pi))
            break;
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 5)
            throw AutoError(LastErrorText("CreateProcessA") + ": " + commandLine + " in " + directory);
        Sleep(200 * attempt);
    }
    CloseHandle(pi.hThread);
    return Process(pi.hProcess, pi.dwProcessId, ProgramName(commandLine));
}

Process Process::Launch(const std::string& exePath, const std::string& tail, const std::string& directory)
{
    std::string line = "\"" + exePath + "\"";
    if (!tail.empty())
        line += " " + tail;
    return Start(line, directory);
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), pid_(other.pid_), name_(std::move(other.name_))
{
    other.handle_ = nullptr;
    other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        pid_ = other.pid_;
        name_ = std::move(other.name_);
        other.handle_ = nullptr;
        other.pid_ = 0;
    }
    return *this;
}

Process::~Process()
{
    Close();
}

void Process::Close()
{
    if (!handle_)
        return;
    if (Running()) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, kTimeoutMs);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
}

bool Process::Running() const
{
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitExit(DWORD timeoutMs)
{
    if (!handle_)
        return true;
    if (WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (Crashed())
        throw AutoError(CrashReport());
    return true;
}

bool Process::Crashed() const
{
    return handle_ && !Running() && IsExceptionCode(ExitCode());
}

std::string Process::CrashReport() const
{
    if (!Crashed())
        return std::string();
    DWORD code = ExitCode();
    char hex[16];
    snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    std::string report = name_ + " crashed: exception " + hex;
    if (const char* name = ExceptionName(code))
        report += std::string(" (") + name + ")";
    return report;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (handle_)
        GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Kill()
{
    if (Running()) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, kTimeoutMs);
    }
}

std::vector<Window> Process::Windows(bool visibleOnly) const
{
    WindowSearch search{pid_, visibleOnly, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Process::DescribeWindows() const
{
    std::string s = "process " + std::to_string(pid_) + (Running() ? "" : " (ended)") + " has windows:";
    for (const Window& w : Windows(false))
        s += "\n  " + w.Describe();
    return s;
}

Window Process::WaitWindow(const std::function<bool(const Window&)>& match, const std::string& what,
                           DWORD timeoutMs) const
{
    Window found;
    bool ok = PollUntil(
        [&] {
            for (const Window& w : Windows(true)) {
                if (match(w)) {
                    found = w;
                    return true;
                }
            }
            // A program that has ended will never show the window.
            return !Running();
        },
        timeoutMs);
    if (!found && Crashed())
        throw AutoError(CrashReport() + " while the test waited for " + what);
    if (!ok || !found)
        throw AutoError("no " + what + " within " + std::to_string(timeoutMs) + " ms; " + DescribeWindows());
    return found;
}

Window Process::WaitDialog(const std::string& caption, DWORD timeoutMs) const
{
    return WaitWindow([&](const Window& w) { return w.ClassName() == "#32770" && w.Caption() == caption; },
                      "dialog " + Quote(caption),
                      timeoutMs);
}

Window Process::WaitMessageBox(DWORD timeoutMs) const
{
    return WaitWindow(IsMessageBox, "message box", timeoutMs);
}

Window Process::WaitFrame(const std::string& captionEnd, DWORD timeoutMs) const
{
    return WaitWindow(
        [&](const Window& w) {
            if (w.ClassName() == "#32770")
                return false;
            std::string c = w.Caption();
            return c.size() >= captionEnd.size() &&
                   c.compare(c.size() - captionEnd.size(), captionEnd.size(), captionEnd) == 0;
        },
        "main window ending in " + Quote(captionEnd),
        timeoutMs);
}

// ---------------------------------------------------------------- clipboard

namespace {
void OpenClipboardWaiting(DWORD timeoutMs)
{
    WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, "the clipboard to be free", timeoutMs);
}
}   // namespace

std::string ClipboardText(DWORD timeoutMs)
{
    OpenClipboardWaiting(timeoutMs);
    std::string text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyClipboardNow(DWORD timeoutMs)
{
    OpenClipboardWaiting(timeoutMs);
    EmptyClipboard();
    CloseClipboard();
}

void SetClipboardText(const std::string& text, DWORD timeoutMs)
{
    OpenClipboardWaiting(timeoutMs);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* p = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    bool placed = false;
    if (p) {
        memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        placed = SetClipboardData(CF_TEXT, block) != nullptr;
    }
    if (block && !placed)
        GlobalFree(block);
    CloseClipboard();
    if (!placed)
        throw AutoError("could not put text on the clipboard");
}

// ---------------------------------------------------------------- recorder

std::string RecorderLogPath(const std::string& directory)
{
    return directory + "\\recorder.log";
}

// Each entry is three fields, each written as its length in decimal, a
// colon, the bytes and a line feed: command line, tail, current directory.
std::vector<RecorderEntry> ReadRecorderLog(const std::string& logPath)
{
    std::vector<RecorderEntry> entries;
    std::string log;
    if (!TryReadFileBytes(logPath, &log))
        return entries;
    size_t pos = 0;
    auto field = [&](std::string* out) {
        size_t colon = log.find(':', pos);
        if (colon == std::string::npos || colon == pos)
            return false;
        size_t length = 0;
        for (size_t i = pos; i < colon; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(log[i])))
                return false;
            length = length * 10 + (log[i] - '0');
        }
        if (colon + 1 + length + 1 > log.size() || log[colon + 1 + length] != '\n')
            return false;
        *out = log.substr(colon + 1, length);
        pos = colon + 1 + length + 1;
        return true;
    };
    for (;;) {
        RecorderEntry e;
        if (!field(&e.commandLine) || !field(&e.tail) || !field(&e.directory))
            break;
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<RecorderEntry> WaitRecorderEntries(const std::string& logPath, size_t count, DWORD timeoutMs)
{
    std::vector<RecorderEntry> entries;
    WaitUntil(
        [&] {
            entries = ReadRecorderLog(logPath);
            return entries.size() >= count;
        },
        std::to_string(count) + " entries in " + logPath,
        timeoutMs);
    return entries;
}

// ---------------------------------------------------------------- test helpers

std::string WaitText(const Window& w, const std::string& expected, DWORD timeoutMs)
{
    std::string text;
    PollUntil(
        [&] {
            text = w.Text();
            return text == expected;
        },
        timeoutMs);
    return text;
}

std::string AnswerMessageBox(const Process& process)
{
    Window box = process.WaitMessageBox();
    std::string text = MessageText(box);
    box.Child(IDOK).Click();
    box.WaitGone();
    return text;
}

std::string ReadDialogField(const Process& process, const Window& target, int commandId, const std::string& caption,
                            int fieldId)
{
    target.MenuCommand(commandId);
    Window dialog = process.WaitDialog(caption);
    std::string text = dialog.Child(fieldId).Text();
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    return text;
}

namespace {

struct OtherBoxSearch {
    DWORD exceptPid;
    std::string fragment;   // lower case
    Window found;
};

BOOL CALLBACK FindOtherProcessBox(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<OtherBoxSearch*>(param);
    Window w(hwnd);
    if (w.ProcessId() == search->exceptPid || !w.Visible() || !IsMessageBox(w))
        return TRUE;
    if (Lower(MessageText(w)).find(search->fragment) == std::string::npos)
        return TRUE;
    search->found = w;
    return FALSE;
}

}   // namespace

Window WaitOtherProcessMessageBox(DWORD exceptPid, const std::string& fragment, DWORD timeoutMs)
{
    OtherBoxSearch search{exceptPid, Lower(fragment), Window()};
    bool ok = PollUntil(
        [&] {
            EnumWindows(FindOtherProcessBox, reinterpret_cast<LPARAM>(&search));
            return static_cast<bool>(search.found);
        },
        timeoutMs);
    if (!ok)
        throw AutoError("no message box of another program holding " + Quote(fragment) + " within " +
                        std::to_string(timeoutMs) + " ms");
    return search.found;
}

void EndProcessOf(const Window& window)
{
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, window.ProcessId());
    if (!h)
        return;   // gone already
    TerminateProcess(h, 1);
    WaitForSingleObject(h, kTimeoutMs);
    CloseHandle(h);
}

std::vector<std::string> FilesMatching(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

PagerStandIn::PagerStandIn(const TempDir& temp)
    : dir(temp.MakeDir("LoadPath")), loadPath(WindowsIniPath("winfile.ini"), "Tamrel", "LoadPath", dir)
{
    CopyFileTo(ProgramPath("recorder.exe"), dir + "\\zodo.exe");
}

// ---------------------------------------------------------------- saved state

FileSnapshot::FileSnapshot(const std::string& path) : path_(path)
{
    existed_ = TryReadFileBytes(path, &bytes_);
}

FileSnapshot::~FileSnapshot()
{
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    try {
        if (existed_)
            WriteFileBytes(path_, bytes_);
        else
            DeleteFileA(path_.c_str());
    } catch (const std::exception&) {
        // A destructor cannot report; the next test sees the damage.
    }
}

namespace {

RegistrySnapshot::Key ReadRegistryKey(HKEY key)
{
    RegistrySnapshot::Key saved;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof name, type = 0, dataSize = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        std::string data(dataSize, '\0');
        nameSize = sizeof name;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &dataSize) !=
            ERROR_SUCCESS)
            break;
        data.resize(dataSize);
        saved.values.push_back({std::string(name, nameSize), type, data});
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        saved.subkeys.emplace_back(std::string(name, nameSize), ReadRegistryKey(sub));
        RegCloseKey(sub);
    }
    return saved;
}

void WriteRegistryKey(HKEY root, const std::string& path, const RegistrySnapshot::Key& saved)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (const RegistrySnapshot::Value& v : saved.values)
        RegSetValueExA(key,
                       v.name.c_str(),
                       0,
                       v.type,
                       reinterpret_cast<const BYTE*>(v.data.data()),
                       static_cast<DWORD>(v.data.size()));
    RegCloseKey(key);
    for (const auto& sub : saved.subkeys)
        WriteRegistryKey(root, path + "\\" + sub.first, sub.second);
}

}   // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, const std::string& path) : root_(root), path_(path)
{
    HKEY key = nullptr;
    existed_ = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (existed_) {
        saved_ = ReadRegistryKey(key);
        RegCloseKey(key);
    }
}

RegistrySnapshot::~RegistrySnapshot()
{
    DeleteRegistryTree(root_, path_);
    if (existed_)
        WriteRegistryKey(root_, path_, saved_);
}

bool RegistryKeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool RegistryDefaultValue(HKEY root, const std::string& path, std::string* value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    LONG error = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    std::string data(size, '\0');
    if (error == ERROR_SUCCESS)
        error = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    RegCloseKey(key);
    if (error != ERROR_SUCCESS)
        return false;
    data.resize(size);
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    *value = data;
    return true;
}

void SetRegistryDefaultValue(HKEY root, const std::string& path, const std::string& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw AutoError("cannot create registry key " + path);
    LONG error = RegSetValueExA(
        key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    if (error != ERROR_SUCCESS)
        throw AutoError("cannot set registry key " + path);
}

bool DeleteRegistryTree(HKEY root, const std::string& path)
{
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
    return !RegistryKeyExists(root, path);
}

std::string AnswerMessageBox(const Process& process, int buttonId)
{
    Window box = process.WaitMessageBox();
    std::string text = MessageText(box);
    box.Child(buttonId).Click();
    box.WaitGone();
    return text;
}

// ---------------------------------------------------------------- combo boxes

namespace {

LRESULT SendToCombo(const Window& combo, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(combo.hwnd(), msg, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result))
        throw AutoError(LastErrorText("message to combo box") + " in " + combo.Describe());
    return static_cast<LRESULT>(result);
}

}   // namespace

std::vector<std::string> ComboItems(const Window& combo)
{
    // Read as UTF-16, as the list box entries are (see Window::Items).
    LRESULT count = SendToCombo(combo, CB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendToCombo(combo, CB_GETLBTEXTLEN, i, 0);
        if (length == CB_ERR)
            throw AutoError("combo entry " + std::to_string(i) + " vanished in " + combo.Describe());
        std::vector<wchar_t> wide(static_cast<size_t>(length) + 1024, L'\0');
        LRESULT n = SendToCombo(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        if (n == CB_ERR)
            throw AutoError("CB_GETLBTEXT refused by " + combo.Describe());
        n = std::min(n, length);
        items.push_back(AnsiFromWide(wide.data(), static_cast<size_t>(n)));
    }
    return items;
}

int ComboSelectedIndex(const Window& combo)
{
    LRESULT i = SendToCombo(combo, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

LRESULT ComboItemData(const Window& combo, int index)
{
    return SendToCombo(combo, CB_GETITEMDATA, index, 0);
}

void SelectComboItem(const Window& combo, int index)
{
    if (SendToCombo(combo, CB_SETCURSEL, index, 0) == CB_ERR)
        throw AutoError("CB_SETCURSEL " + std::to_string(index) + " refused by " + combo.Describe());
    SendToCombo(
        combo.Parent(), WM_COMMAND, MAKEWPARAM(combo.Id(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.hwnd()));
}

// ---------------------------------------------------------------- profiles

std::string ProfileValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback)
{
    std::vector<char> buffer(4096);
    DWORD n = GetPrivateProfileStringA(
        section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), n);
}

std::vector<std::string> ProfileKeysInOrder(const std::string& file)
{
    std::vector<std::string> keys;
    std::string bytes;
    if (!TryReadFileBytes(file, &bytes))
        return keys;
    std::string section;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        line = line.substr(first);
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (line[0] != ';') {
            std::string key = line.substr(0, line.find('='));
            while (!key.empty() && key.back() == ' ')
                key.pop_back();
            keys.push_back(section + "/" + key);
        }
    }
    return keys;
}

}   // namespace tamrel_auto
