// Window automation for the end-to-end tests.
//
// A test starts a real program of the suite with an exact command line, waits
// for its windows by polling (never by fixed sleeps), drives their controls by
// id through window messages and reads back what the program shows. Every
// wait ends with an AutoError after a timeout; its message names what was
// awaited and lists the program's windows at that moment, so a failing test
// says what it saw.
//
// Clicks and commands are posted, never sent: a tool runs its work inside the
// OK handler of a modal dialog, and may open a message box there, so a sent
// click would hold the test until the program is done or stuck. Reads and
// plain state changes (text, checks, list selection) are sent with a timeout.
#ifndef TAMREL_AUTO_H
#define TAMREL_AUTO_H

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tamrel_auto {

// Default limit of every wait, in milliseconds. Programs start slowly under
// Wine on a loaded machine, so it is generous; a passing test never waits it.
constexpr DWORD kTimeoutMs = 20000;

class AutoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Calls `done` until it returns true. An exception thrown by `done` counts as
// "not yet" (a window may vanish between two looks); the last one is quoted
// when the wait gives up. WaitUntil throws AutoError("timed out waiting for "
// + what) on timeout; PollUntil returns false instead.
void WaitUntil(const std::function<bool()>& done, const std::string& what, DWORD timeoutMs = kTimeoutMs);
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs = kTimeoutMs);

// ---------------------------------------------------------------- files

std::string Lower(std::string text);
std::string ExeDirectory();                            // directory of the running test program
std::string ProgramPath(const std::string& exeName);   // beside the test
std::string FullPath(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);   // throws when unreadable
bool TryReadFileBytes(const std::string& path, std::string* bytes);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void CopyFileTo(const std::string& from, const std::string& to);
void RemoveTree(const std::string& path);   // best effort

// A fresh directory under the system temporary directory, removed with all
// it holds when the object goes. Its name mixes upper and lower case so that
// tests see whether a program lower-cases a path or keeps it.
class TempDir {
public:
    explicit TempDir(const std::string& tag = "Tamrel");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + "\\" + name; }
    std::string MakeDir(const std::string& name) const;   // returns its path
    void Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// Sets one key of a profile file for the life of the object, then puts the
// file back as it was: the old value, or no key (and no section, when the
// section did not exist before).
class ProfileOverride {
public:
    ProfileOverride(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);
    ~ProfileOverride();
    ProfileOverride(const ProfileOverride&) = delete;
    ProfileOverride& operator=(const ProfileOverride&) = delete;

private:
    std::string file_, section_, key_;
    bool hadSection_ = false, hadKey_ = false;
    std::string oldValue_;
};

// A profile file in the Windows directory, e.g. WindowsIniPath("winfile.ini").
std::string WindowsIniPath(const std::string& name);

// ---------------------------------------------------------------- windows

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    bool operator==(const Window& other) const { return hwnd_ == other.hwnd_; }

    bool Exists() const;
    bool Visible() const;
    bool Enabled() const;
    std::string ClassName() const;
    int Id() const;
    LONG_PTR Style() const;
    DWORD ProcessId() const;
    Window Parent() const;
    std::string Describe() const;   // class, id and caption, for messages

    // Caption as the window manager keeps it; never waits for the program.
    std::string Caption() const;
    // Text through WM_GETTEXT, sized with WM_GETTEXTLENGTH (edit controls of
    // another process answer only this way).
    std::string Text() const;
    void SetText(const std::string& text) const;

    // Children, direct ones only unless said otherwise.
    std::vector<Window> Children() const;
    std::vector<Window> Descendants() const;
    Window FindChild(int id) const;   // empty when absent
    Window Child(int id) const;       // throws when absent
    Window FindChildByClass(const std::string& className) const;
    Window ChildByClass(const std::string& className) const;

    // Buttons. Click posts BN_CLICKED to the parent, as a mouse click on a push
    // button ends up doing. SetChecked and SelectRadio set the state the way an
    // automatic button would (a radio clears the others of its group) and then
    // post the same notification.
    void Click() const;
    bool Checked() const;
    void SetChecked(bool on) const;
    void SelectRadio() const;

    // List boxes.
    std::vector<std::string> Items() const;
    int SelectedIndex() const;          // -1 when none
    std::string SelectedItem() const;   // empty when none
    // Selects the entry whose text is exactly `item` (in a list of several
    // selections, it alone) and sends LBN_SELCHANGE (and LBN_DBLCLK) to the
    // parent, as the list itself would; the handler has run when these return.
    void Select(const std::string& item) const;
    void DoubleClick(const std::string& item) const;
    // Lists of several selections: sets or clears the selection of the line at
    // `index` (-1: every line) and sends LBN_SELCHANGE to the parent.
    void SetItemSelected(int index, bool on) const;
    std::vector<int> SelectedIndices() const;

    // Edit controls: selection in characters (up to 65535, the reach of
    // EM_GETSEL's return value).
    void SetSelection(int start, int end) const;
    std::pair<int, int> Selection() const;

    // Commands to a frame or dialog, posted as WM_COMMAND from a menu
    // (notification 0) or an accelerator (notification 1).
    void MenuCommand(int id) const;
    void AcceleratorCommand(int id) const;
    void PostClose() const;

    // Polls until the window is gone.
    void WaitGone(DWORD timeoutMs = kTimeoutMs) const;

    // Toolbars (the system's toolbar control): a button's state by its
    // command id (TBSTATE_ bits), or -1 when the bar has no such button.
    int ToolbarButtonState(int commandId) const;
    bool ToolbarButtonEnabled(int commandId) const;
    bool ToolbarButtonChecked(int commandId) const;
    // Posts the button's command to the toolbar's parent, as a click does.
    void ClickToolbarButton(int commandId) const;

    // Status bars (the system's status-bar control): the text of pane
    // `index` (0: the message pane). Read through a buffer in the program's
    // own memory, since the control's text message carries a pointer.
    std::string StatusPaneText(int index) const;

    // Multiple-document frames: the child frames in the frame's MDI client,
    // and the active one (empty when none).
    Window MdiClient() const;
    std::vector<Window> MdiChildren() const;
    Window MdiActive() const;

    // Keyboard: opens the menu-bar pop-up with this access key (as Alt and
    // the key would), and posts a key press to the window (the open menu
    // reads keys from the program's queue).
    void OpenMenu(char accessKey) const;
    void PressKey(int virtualKey) const;

private:
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) const;
    HWND hwnd_ = nullptr;
};

// A window's rectangle in the client coordinates of `parent`.
RECT RectIn(const Window& window, const Window& parent);

// A message box is a "#32770" dialog holding only static texts and buttons
// with the standard answer ids; a tool dialog always has some other control.
bool IsMessageBox(const Window& window);
// The message of a message box: its text control (id 0xFFFF, 100 in Wine's
// own template), or else its first static with text that is not an icon.
std::string MessageText(const Window& box);

// Types `path` into the name field of a common open or save dialog and
// presses its OK button (posted, like every click).
void ChooseFile(const Window& fileDialog, const std::string& path);
// The text of that name field: what the dialog offers before the user types.
std::string FileDialogName(const Window& fileDialog);

// ---------------------------------------------------------------- processes

class Process {
public:
    // Starts `commandLine` exactly as given (CreateProcess, no argv quoting) in
    // `directory`.
    static Process Start(const std::string& commandLine, const std::string& directory);
    // Starts the program at `exePath`, quoted, followed by a blank and `tail`
    // when the tail is not empty.
    static Process Launch(const std::string& exePath, const std::string& tail, const std::string& directory);

    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // A program still running when its test ends is ended, so that it cannot
    // disturb the next test.
    ~Process();

    DWORD Id() const { return pid_; }
    // The program's file name (e.g. "quarn.exe"), for messages.
    const std::string& Name() const { return name_; }
    bool Running() const;
    // True when it has ended. A program that ended by an unhandled exception
    // throws AutoError naming it and the exception instead, so that a test
    // fails on the crash itself.
    bool WaitExit(DWORD timeoutMs = kTimeoutMs);
    DWORD ExitCode() const;
    // Ended by an unhandled exception (an access violation, a stack overflow,
    // a breakpoint...); its exit code is then the exception's code.
    bool Crashed() const;
    // "NAME crashed: exception 0xC0000005 (access violation)", or empty while
    // it runs or after an ordinary end.
    std::string CrashReport() const;
    void Kill();

    // Its top-level windows (dialogs and message boxes included).
    std::vector<Window> Windows(bool visibleOnly = true) const;
    std::string DescribeWindows() const;

    // Waits for a visible top-level window that satisfies `match`.
    Window WaitWindow(const std::function<bool(const Window&)>& match, const std::string& what,
                      DWORD timeoutMs = kTimeoutMs) const;
    // A visible dialog ("#32770") with exactly this caption.
    Window WaitDialog(const std::string& caption, DWORD timeoutMs = kTimeoutMs) const;
    // A visible message box (see IsMessageBox).
    Window WaitMessageBox(DWORD timeoutMs = kTimeoutMs) const;
    // A visible top-level window that is not a dialog and whose caption ends
    // with `captionEnd` (empty: any).
    Window WaitFrame(const std::string& captionEnd = "", DWORD timeoutMs = kTimeoutMs) const;

private:
    Process(HANDLE process, DWORD pid, std::string name) : handle_(process), pid_(pid), name_(std::move(name)) {}
    void Close();
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
    std::string name_;
};

// ---------------------------------------------------------------- clipboard

// The clipboard's CF_TEXT, or empty when it holds none. Retries while another
// program has the clipboard open.
std::string ClipboardText(DWORD timeoutMs = kTimeoutMs);
void EmptyClipboardNow(DWORD timeoutMs = kTimeoutMs);
// Puts text on the clipboard as CF_TEXT, as a program would.
void SetClipboardText(const std::string& text, DWORD timeoutMs = kTimeoutMs);

// ---------------------------------------------------------------- recorder

// What the recorder program writes on each start: its whole command line, the
// tail a C runtime would hand to WinMain, and its current directory.
struct RecorderEntry {
    std::string commandLine;
    std::string tail;
    std::string directory;
};

// The log that a recorder installed in `directory` writes.
std::string RecorderLogPath(const std::string& directory);
// Complete entries of a recorder log (an entry still being written is left
// out); none when the log does not exist.
std::vector<RecorderEntry> ReadRecorderLog(const std::string& logPath);
// Waits until the log holds at least `count` entries and returns them.
std::vector<RecorderEntry> WaitRecorderEntries(const std::string& logPath, size_t count = 1,
                                               DWORD timeoutMs = kTimeoutMs);

// ---------------------------------------------------------------- test helpers

// Polls until the window's text is `expected` and returns what it last held,
// so that a mismatch shows the program's text in the failure.
std::string WaitText(const Window& w, const std::string& expected, DWORD timeoutMs = 10000);

// Waits for a message box of the process, presses its OK, waits until it is
// gone and returns the text it showed.
std::string AnswerMessageBox(const Process& process);

// Sends a command to a window of the process, waits for the dialog it opens,
// and returns the text of one field of it after pressing Cancel: reads what
// a program presets, such as a position shown in a Go To dialog.
std::string ReadDialogField(const Process& process, const Window& target, int commandId, const std::string& caption,
                            int fieldId);

// Windows of programs that a program under test starts itself (a help
// viewer, say): waits for a visible message box of any process but
// `exceptPid` whose text holds `fragment` (compared without regard to case).
Window WaitOtherProcessMessageBox(DWORD exceptPid, const std::string& fragment, DWORD timeoutMs = kTimeoutMs);
// Ends the process that owns the window, so that nothing a test caused to
// start outlives it.
void EndProcessOf(const Window& window);

// Names of the files and directories that match a wildcard path, in the
// order the system lists them.
std::vector<std::string> FilesMatching(const std::string& pattern);

// Installs the recorder as the pager (zodo.exe) in a LoadPath directory of
// temp and points [Tamrel] LoadPath of winfile.ini at it for the life of the
// object.
struct PagerStandIn {
    std::string dir;
    ProfileOverride loadPath;

    explicit PagerStandIn(const TempDir& temp);
    std::string Log() const { return RecorderLogPath(dir); }
};

// ---------------------------------------------------------------- saved state

// Keeps a file's bytes (or its absence) and puts them back when the object
// goes, clearing a read-only attribute a test may have set. For tests that
// change the prefix's own files (winfile.ini, zodo.ini).
class FileSnapshot {
public:
    explicit FileSnapshot(const std::string& path);
    ~FileSnapshot();
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

private:
    std::string path_;
    bool existed_ = false;
    std::string bytes_;
};

// Keeps a registry key with its values and subkeys (or its absence) and puts
// it back exactly when the object goes.
class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, const std::string& path);
    ~RegistrySnapshot();
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    struct Value {
        std::string name;
        DWORD type;
        std::string data;
    };
    struct Key {
        std::vector<Value> values;
        std::vector<std::pair<std::string, Key>> subkeys;
    };

private:
    HKEY root_;
    std::string path_;
    bool existed_ = false;
    Key saved_;
};

bool RegistryKeyExists(HKEY root, const std::string& path);
// The key's default value; false when the key or its value is absent.
bool RegistryDefaultValue(HKEY root, const std::string& path, std::string* value);
// Creates the key and sets its default value (REG_SZ); throws on failure.
void SetRegistryDefaultValue(HKEY root, const std::string& path, const std::string& value);
// Removes the key with all it holds; true when it is gone.
bool DeleteRegistryTree(HKEY root, const std::string& path);

// Waits for a message box, presses the button with this id (IDYES, IDNO,
// ...), waits until it is gone and returns the text it showed.
std::string AnswerMessageBox(const Process& process, int buttonId);

// ---------------------------------------------------------------- combo boxes

// The entries of a combo box (of a common dialog, say), its selected entry
// (-1: none) and an entry's item data.
std::vector<std::string> ComboItems(const Window& combo);
int ComboSelectedIndex(const Window& combo);
LRESULT ComboItemData(const Window& combo, int index);
// Selects the entry at `index` and sends CBN_SELCHANGE to the parent, as a
// choice with the mouse would; the handler has run when this returns.
void SelectComboItem(const Window& combo, int index);

// ---------------------------------------------------------------- profiles

// One key of a profile file (a full path), read the way programs read it;
// `fallback` when absent.
std::string ProfileValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback = "");
// The "section/key" names of a profile file in the order the file holds them.
std::vector<std::string> ProfileKeysInOrder(const std::string& file);

}   // namespace tamrel_auto

#endif
