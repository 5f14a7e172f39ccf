// End-to-end tests of pellumar: the real shell started in a fixture
// directory, driven by its menu commands and dialogs, read back from its
// lists, message boxes, the clipboard, the file system and the command lines
// that a recorder receives in place of the tools.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "auto.h"
#include "calendar.h"
#include "pellumar/resource.h"

using namespace tamrel_auto;

namespace {

const char kFrameEnd[] = " - Tamrel Shell";

Window FindDescendant(const Window& top, int id)
{
    for (const Window& w : top.Descendants())
        if (w.Id() == id)
            return w;
    throw AutoError("no control " + std::to_string(id) + " under " + top.Describe());
}

// A command line as the program was asked to start it: Wine puts quotes
// around a program path that holds blanks, Windows does not.
std::string Unquoted(const std::string& commandLine)
{
    if (commandLine.empty() || commandLine[0] != '"')
        return commandLine;
    size_t close = commandLine.find('"', 1);
    if (close == std::string::npos)
        return commandLine;
    return commandLine.substr(1, close - 1) + commandLine.substr(close + 1);
}

// Types the fields into a dialog and presses OK. With wait, until it is gone.
void Submit(const Window& dialog, const std::vector<std::pair<int, std::string>>& fields, bool wait = true)
{
    for (const auto& field : fields)
        dialog.Child(field.first).SetText(field.second);
    dialog.Child(IDOK).Click();
    if (wait)
        dialog.WaitGone();
}

// The fixture: a directory of three files of known sizes and a
// subdirectory, so that the listing also holds "." and "..".
struct Fixture {
    TempDir temp;
    std::string dir;
    Fixture() : temp("PellumarE2e")
    {
        dir = temp.MakeDir("Shell Fixture");
        temp.Write("Shell Fixture\\alpha.txt", "a");
        temp.Write("Shell Fixture\\Beta.txt", "bb\r\n");
        temp.Write("Shell Fixture\\gamma.dat", std::string(1000, 'g'));
        temp.MakeDir("Shell Fixture\\Sub");
        temp.Write("Shell Fixture\\Sub\\inner.txt", "inner");
    }
    std::string Path(const std::string& name) const { return dir + "\\" + name; }
};

// The long-list line of an entry, made here from what the system reports
// about it (local time through the system's own conversion).
std::string ExpectedLine(const WIN32_FIND_DATAA& found)
{
    std::string mode = "-r----";
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        mode[0] = 'd';
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        mode[2] = 'w';
    if (found.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE)
        mode[3] = 'a';
    if (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)
        mode[3] = 'h';
    if (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM)
        mode[3] = 's';
    FILETIME local;
    SYSTEMTIME when;
    FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &when);
    unsigned long long size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    char line[600];
    std::snprintf(line,
                  sizeof line,
                  "%s  %9llu    %02d/%02d/%04d %02d:%02d    %s",
                  mode.c_str(),
                  size,
                  when.wDay,
                  when.wMonth,
                  when.wYear,
                  when.wHour,
                  when.wMinute,
                  Lower(found.cFileName).c_str());
    return line;
}

// The whole long listing of dir by name, as the platform describes it.
std::vector<std::string> ExpectedListing(const std::string& dir)
{
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            entries.push_back(found);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(entries.begin(), entries.end(), [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
        return _stricmp(a.cFileName, b.cFileName) < 0;
    });
    std::vector<std::string> lines = {"Total " + std::to_string(entries.size())};
    for (const WIN32_FIND_DATAA& entry : entries)
        lines.push_back(ExpectedLine(entry));
    return lines;
}

// The name part of each long line after the total.
std::vector<std::string> Names(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (size_t i = 1; i < lines.size(); ++i) {
        char mode[16], name[300] = "";
        std::sscanf(lines[i].c_str(), "%15s %*s %*s %*s %299[^\n]", mode, name);
        names.push_back(name);
    }
    return names;
}

struct Shell {
    Process process;
    Window frame;

    explicit Shell(const std::string& directory) : process(Process::Launch(ProgramPath("pellumar.exe"), "", directory))
    {
        frame = process.WaitFrame(kFrameEnd);
    }
    Window LongList() const { return FindDescendant(frame, IDC_LONG_LIST); }
    Window ShortList() const { return FindDescendant(frame, IDC_SHORT_LIST); }
    Window View() const { return LongList().Parent(); }
    std::vector<std::string> Lines() const { return LongList().Items(); }
    void Command(int id) const { frame.MenuCommand(id); }

    // Waits until the long list's names are these.
    std::vector<std::string> WaitNames(const std::vector<std::string>& expected) const
    {
        std::vector<std::string> names;
        PollUntil([&] {
            names = Names(Lines());
            return names == expected;
        });
        return names;
    }
    std::string WaitCaption(const std::string& directory) const
    {
        std::string caption;
        PollUntil([&] {
            caption = frame.Caption();
            return caption == directory + kFrameEnd;
        });
        return caption;
    }
    // Selects the long line that names name.
    void SelectName(const std::string& name) const
    {
        for (const std::string& line : Lines())
            if (Names({"", line}) == std::vector<std::string>{name}) {
                LongList().Select(line);
                return;
            }
        throw AutoError("no line for " + name);
    }
    // A double click that may open a dialog: posted, as the list would.
    void PostDoubleClick(const std::string& name) const
    {
        SelectName(name);
        Window list = LongList();
        PostMessageA(list.Parent().hwnd(),
                     WM_COMMAND,
                     MAKEWPARAM(IDC_LONG_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list.hwnd()));
    }
    Window WaitDialog(const std::string& caption) const { return process.WaitDialog(caption); }
    // Runs a command and waits for the dialog it opens.
    Window Open(int command, const std::string& caption) const
    {
        Command(command);
        return WaitDialog(caption);
    }
    std::string Message() const { return AnswerMessageBox(process); }
};

TEST(PellumarListing, LongListHeaderAndShortList)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    EXPECT_EQ(shell.WaitCaption(fixture.dir), fixture.dir + kFrameEnd);
    std::vector<std::string> expected = ExpectedListing(fixture.dir);
    EXPECT_EQ(shell.Lines(), expected);
    EXPECT_EQ(Names(expected), (std::vector<std::string>{".", "..", "alpha.txt", "beta.txt", "gamma.dat", "sub"}));

    Window header = FindDescendant(shell.frame, IDC_HEADER);
    EXPECT_EQ(header.ClassName(), WC_HEADERA);
    EXPECT_EQ(SendMessageA(header.hwnd(), HDM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_TRUE(header.Visible());

    shell.Command(ID_VIEW_LONG_LISTING);
    PollUntil([&] { return shell.ShortList().Visible(); });
    EXPECT_TRUE(shell.ShortList().Visible());
    EXPECT_FALSE(shell.LongList().Visible());
    EXPECT_FALSE(header.Visible());
    EXPECT_EQ(shell.ShortList().Items(),
              (std::vector<std::string>{"./", "../", "alpha.txt", "beta.txt", "gamma.dat", "sub/"}));
    shell.Command(ID_VIEW_LONG_LISTING);
    PollUntil([&] { return shell.LongList().Visible(); });
    EXPECT_TRUE(header.Visible());
    EXPECT_EQ(shell.Lines(), expected);

    // A new size lays the header across the whole width again.
    SetWindowPos(shell.frame.hwnd(), nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    auto width = [](HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return r.right - r.left;
    };
    RECT client;
    PollUntil([&] {
        GetClientRect(shell.View().hwnd(), &client);
        return client.right > 0 && width(header.hwnd()) == client.right;
    });
    EXPECT_EQ(width(header.hwnd()), client.right);
    EXPECT_EQ(width(shell.LongList().hwnd()), client.right);

    shell.Command(ID_APP_ABOUT);
    Window about = shell.WaitDialog("About Pellumar");
    std::vector<std::string> texts;
    for (const Window& w : about.Children())
        texts.push_back(w.Text());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Tamrel Shell Version 1.5"), texts.end());
    about.Child(IDOK).Click();
    about.WaitGone();
}

TEST(PellumarListing, ShowAndSortCommands)
{
    Fixture fixture;
    // Write times in a known order: gamma oldest, then beta, then alpha.
    SYSTEMTIME base = {2020, 6, 0, 15, 12, 0, 0, 0};
    const char* byAge[] = {"gamma.dat", "Beta.txt", "alpha.txt"};
    for (int i = 0; i < 3; ++i) {
        base.wHour = static_cast<WORD>(10 + i);
        FILETIME when;
        SystemTimeToFileTime(&base, &when);
        HANDLE file =
            CreateFileA(fixture.Path(byAge[i]).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        SetFileTime(file, nullptr, nullptr, &when);
        CloseHandle(file);
    }
    Shell shell(fixture.dir);
    struct Case {
        int command;
        std::vector<std::string> names;
    } cases[] = {
        {ID_VIEW_SHOW_DIRS, {".", "..", "sub"}},
        {ID_VIEW_SHOW_FILES, {"alpha.txt", "beta.txt", "gamma.dat"}},
        {ID_VIEW_SORT_SIZE, {"gamma.dat", "beta.txt", "alpha.txt"}},
        {ID_VIEW_SORT_TIME, {"alpha.txt", "beta.txt", "gamma.dat"}},
        {ID_VIEW_SHOW_ALL, {}},   // filled below: every entry by time
        {ID_VIEW_SORT_NAME, {".", "..", "alpha.txt", "beta.txt", "gamma.dat", "sub"}},
    };
    for (const Case& c : cases) {
        shell.Command(c.command);
        if (c.names.empty()) {
            PollUntil([&] { return shell.Lines().size() == 7; });
            std::vector<std::string> names = Names(shell.Lines());
            // The directories were made after the files got their old times.
            EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
                      (std::vector<std::string>{"alpha.txt", "beta.txt", "gamma.dat"}));
            continue;
        }
        EXPECT_EQ(shell.WaitNames(c.names), c.names) << c.command;
        EXPECT_EQ(shell.Lines()[0], "Total " + std::to_string(c.names.size()));
    }
}

TEST(PellumarListing, PatternDialogLowersWhatItGets)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    Window dialog = shell.Open(ID_VIEW_PATTERN, "Filename Pattern");
    EXPECT_EQ(dialog.Child(IDC_PATTERN).Text(), "*.*");
    Submit(dialog, {{IDC_PATTERN, "*.TXT"}});
    EXPECT_EQ(shell.WaitNames({"alpha.txt", "beta.txt"}), (std::vector<std::string>{"alpha.txt", "beta.txt"}));
    dialog = shell.Open(ID_VIEW_PATTERN, "Filename Pattern");
    EXPECT_EQ(dialog.Child(IDC_PATTERN).Text(), "*.txt");
    Submit(dialog, {{IDC_PATTERN, "*.none"}});
    PollUntil([&] { return shell.Lines() == std::vector<std::string>{"Total 0"}; });
    EXPECT_EQ(shell.Lines(), (std::vector<std::string>{"Total 0"}));
}

TEST(PellumarListing, ChangeDirectoryAndDoubleClicks)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    std::string sub = fixture.Path("Sub");

    // Cancel after walking the dialog's list goes back where the shell was.
    Window dialog = shell.Open(ID_FILE_CHANGE_DIR, "Change Directory");
    EXPECT_EQ(dialog.Child(IDC_DIRECTORY).Text(), fixture.dir);
    dialog.Child(IDC_DIR_LIST).DoubleClick("[Sub]");
    EXPECT_EQ(dialog.Child(IDC_DIRECTORY).Text(), sub);
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    EXPECT_EQ(shell.WaitCaption(fixture.dir), fixture.dir + kFrameEnd);

    dialog = shell.Open(ID_FILE_CHANGE_DIR, "Change Directory");
    Submit(dialog, {{IDC_DIRECTORY, sub}});
    EXPECT_EQ(shell.WaitCaption(sub), sub + kFrameEnd);
    EXPECT_EQ(shell.WaitNames({".", "..", "inner.txt"}), (std::vector<std::string>{".", "..", "inner.txt"}));

    shell.PostDoubleClick("..");
    EXPECT_EQ(shell.WaitCaption(fixture.dir), fixture.dir + kFrameEnd);
    EXPECT_EQ(shell.Lines(), ExpectedListing(fixture.dir));
    // Entered by its listed name, the directory is spelled as listed.
    std::string listedSub = fixture.Path("sub");
    shell.PostDoubleClick("sub");
    EXPECT_EQ(shell.WaitCaption(listedSub), listedSub + kFrameEnd);

    // From the short list: its entry i is long line i + 1.
    shell.Command(ID_VIEW_LONG_LISTING);
    PollUntil([&] { return shell.ShortList().Visible(); });
    Window shortList = shell.ShortList();
    shortList.Select("../");
    PostMessageA(shortList.Parent().hwnd(),
                 WM_COMMAND,
                 MAKEWPARAM(IDC_SHORT_LIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(shortList.hwnd()));
    EXPECT_EQ(shell.WaitCaption(fixture.dir), fixture.dir + kFrameEnd);
}

TEST(PellumarListing, CopyAllPutsTheShownListOnTheClipboard)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    for (int form = 0; form < 2; ++form) {
        EmptyClipboardNow();
        std::vector<std::string> lines = form == 0 ? shell.Lines() : shell.ShortList().Items();
        std::string expected;
        for (const std::string& line : lines)
            expected += line + "\r\n";
        shell.Command(ID_EDIT_COPY_ALL);
        std::string text;
        PollUntil([&] {
            text = ClipboardText();
            return text == expected;
        });
        EXPECT_EQ(text, expected) << shell.process.DescribeWindows();
        if (form == 0) {
            shell.Command(ID_VIEW_LONG_LISTING);
            PollUntil([&] { return shell.ShortList().Visible(); });
        }
    }
}

TEST(PellumarListing, PopupMenuFromTheKeyboardAndTheMouse)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    // Shift+F10 typed on the keyboard while the shell has the focus.
    SetForegroundWindow(shell.frame.hwnd());
    PollUntil([&] { return GetForegroundWindow() == shell.frame.hwnd(); }, 5000);
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_SHIFT, VK_F10, VK_F10, VK_SHIFT};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, keys, sizeof keys[0]);
    Window menu = shell.process.WaitWindow([](const Window& w) { return w.ClassName() == "#32768"; }, "pop-up menu");
    RECT place, client;
    GetWindowRect(menu.hwnd(), &place);
    GetClientRect(shell.View().hwnd(), &client);
    POINT corner = {client.left, client.top};
    ClientToScreen(shell.View().hwnd(), &corner);
    EXPECT_EQ(place.left, corner.x + 5);
    EXPECT_EQ(place.top, corner.y + 5);
    // Its "Sort by &size" entry by its letter.
    PostMessageA(menu.hwnd(), WM_CHAR, 's', 0);
    EXPECT_EQ(shell.WaitNames({"gamma.dat", "beta.txt", "alpha.txt", ".", "..", "sub"}),
              (std::vector<std::string>{"gamma.dat", "beta.txt", "alpha.txt", ".", "..", "sub"}));
    menu.WaitGone();

    // The right mouse button: the list is sent the request with the mouse's
    // place (not waiting, as the menu holds its sender), and the menu opens
    // there.
    HWND list = shell.LongList().hwnd();
    POINT at = {corner.x + 40, corner.y + 30};
    SendNotifyMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
    menu = shell.process.WaitWindow([](const Window& w) { return w.ClassName() == "#32768"; }, "pop-up menu");
    GetWindowRect(menu.hwnd(), &place);
    EXPECT_EQ(place.left, at.x);
    EXPECT_EQ(place.top, at.y);
    PostMessageA(menu.hwnd(), WM_CHAR, 'n', 0);
    EXPECT_EQ(shell.WaitNames({".", "..", "alpha.txt", "beta.txt", "gamma.dat", "sub"}),
              (std::vector<std::string>{".", "..", "alpha.txt", "beta.txt", "gamma.dat", "sub"}));
}

TEST(PellumarListing, AFileMadeMeanwhileShowsWhenTheListGetsTheFocus)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    shell.WaitNames({".", "..", "alpha.txt", "beta.txt", "gamma.dat", "sub"});
    WriteFileBytes(fixture.Path("delta.txt"), "d");
    Sleep(300);
    EXPECT_EQ(Names(shell.Lines()).size(), 6u);   // nothing refreshes by itself
    Window list = shell.LongList();
    SendMessageA(list.Parent().hwnd(),
                 WM_COMMAND,
                 MAKEWPARAM(IDC_LONG_LIST, LBN_SETFOCUS),
                 reinterpret_cast<LPARAM>(list.hwnd()));
    std::vector<std::string> names = {".", "..", "alpha.txt", "beta.txt", "delta.txt", "gamma.dat", "sub"};
    EXPECT_EQ(shell.WaitNames(names), names);

    // A listing that finds nothing watches its directory too: with a
    // pattern that matches nothing, the shell moves to Sub, and a match
    // made there afterwards shows on focus.
    Window dialog = shell.Open(ID_VIEW_PATTERN, "Filename Pattern");
    Submit(dialog, {{IDC_PATTERN, "*.none"}});
    dialog = shell.Open(ID_FILE_CHANGE_DIR, "Change Directory");
    Submit(dialog, {{IDC_DIRECTORY, fixture.Path("Sub")}});
    shell.WaitCaption(fixture.Path("Sub"));
    EXPECT_EQ(shell.Lines(), (std::vector<std::string>{"Total 0"}));
    WriteFileBytes(fixture.Path("Sub\\found.none"), "n");
    Sleep(300);
    list = shell.LongList();
    SendMessageA(list.Parent().hwnd(),
                 WM_COMMAND,
                 MAKEWPARAM(IDC_LONG_LIST, LBN_SETFOCUS),
                 reinterpret_cast<LPARAM>(list.hwnd()));
    EXPECT_EQ(shell.WaitNames({"found.none"}), (std::vector<std::string>{"found.none"}));
}

// A file type registered for the test's own extension, opened by the
// recorder.
struct RegisteredType {
    std::string extension, type;
    RegisteredType(const std::string& ext, const std::string& openCommand) : extension(ext), type("pellumar.e2e" + ext)
    {
        RegSetValueA(HKEY_CLASSES_ROOT, extension.c_str(), REG_SZ, type.c_str(), static_cast<DWORD>(type.size()));
        std::string key = type + "\\shell\\open\\command";
        RegSetValueA(
            HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, openCommand.c_str(), static_cast<DWORD>(openCommand.size()));
    }
    ~RegisteredType()
    {
        for (const std::string& key :
             {type + "\\shell\\open\\command", type + "\\shell\\open", type + "\\shell", type, extension})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
};

TEST(PellumarRun, AssociationStartsItsProgramWithTheFullPath)
{
    Fixture fixture;
    std::string tools = fixture.temp.MakeDir("Tools");
    std::string recorder = tools + "\\viewer.exe";
    CopyFileTo(ProgramPath("recorder.exe"), recorder);
    RegisteredType type(".pmrun", "\"" + recorder + "\" \"%1\"");
    fixture.temp.Write("Shell Fixture\\notes.pmrun", "text");
    Shell shell(fixture.dir);
    shell.WaitNames({".", "..", "alpha.txt", "beta.txt", "gamma.dat", "notes.pmrun", "sub"});
    shell.PostDoubleClick("notes.pmrun");
    std::vector<RecorderEntry> entries = WaitRecorderEntries(RecorderLogPath(tools));
    EXPECT_EQ(entries[0].commandLine, "\"" + Lower(recorder) + "\" " + fixture.dir + "\\notes.pmrun");

    // Enter always asks first; Cancel starts nothing.
    shell.SelectName("notes.pmrun");
    shell.frame.AcceleratorCommand(ID_FILE_RUN_COMMAND);
    Window dialog = shell.WaitDialog("Run Command");
    EXPECT_EQ(dialog.Child(IDC_RUN_COMMAND).Text(), "\"" + Lower(recorder) + "\"");
    EXPECT_TRUE(dialog.Child(IDC_RUN_EXECUTE).Checked());
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    Sleep(300);
    EXPECT_EQ(ReadRecorderLog(RecorderLogPath(tools)).size(), 1u);
}

TEST(PellumarRun, NoAssociationOffersThePager)
{
    Fixture fixture;
    PagerStandIn pager(fixture.temp);
    Shell shell(fixture.dir);
    shell.Command(ID_FILE_RUN_COMMAND);   // nothing selected yet
    EXPECT_EQ(shell.Message(), "No file selected - sorry");
    shell.PostDoubleClick("gamma.dat");
    Window dialog = shell.WaitDialog("Run Command");
    EXPECT_TRUE(dialog.Child(IDC_RUN_ZODO).Checked());
    EXPECT_EQ(dialog.Child(IDC_RUN_FILE).Text(), "gamma.dat");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    std::vector<RecorderEntry> entries = WaitRecorderEntries(pager.Log());
    EXPECT_EQ(Unquoted(entries[0].commandLine), pager.dir + "\\zodo.exe " + fixture.dir + "\\gamma.dat");

    // The total line is no file to run.
    shell.LongList().Select("Total 6");
    shell.Command(ID_FILE_RUN_COMMAND);
    EXPECT_EQ(shell.Message(), "No file selected - sorry");
}

// The recorder installed under the tools' names in a LoadPath directory.
struct Tools {
    std::string dir;
    ProfileOverride loadPath;
    explicit Tools(const TempDir& temp, const std::vector<std::string>& names)
        : dir(temp.MakeDir("Load Path")), loadPath(WindowsIniPath("winfile.ini"), "Tamrel", "LoadPath", dir)
    {
        for (const std::string& name : names)
            CopyFileTo(ProgramPath("recorder.exe"), dir + "\\" + name);
    }
    std::string Log() const { return RecorderLogPath(dir); }
};

TEST(PellumarLaunchers, CommandLinesTheToolsReceive)
{
    Fixture fixture;
    fixture.temp.Write("Shell Fixture\\Long Name File.txt", "long");
    Tools tools(fixture.temp, {"diff.exe", "quarn.exe", "zodo.exe"});
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(fixture.Path("Long Name File.txt").c_str(), shortPath, MAX_PATH);
    std::string alias = shortPath;
    alias = alias.substr(alias.find_last_of('\\') + 1);
    std::string shortForm = alias.empty() || alias == "Long Name File.txt" ? fixture.Path("long name file.txt")
                                                                           : Lower(fixture.Path(alias));

    Shell shell(fixture.dir);
    shell.WaitNames({".", "..", "alpha.txt", "beta.txt", "gamma.dat", "long name file.txt", "sub"});
    struct Case {
        const char* select;
        int command;
        std::string line;
    } cases[] = {
        {"long name file.txt", 32774, tools.dir + "\\diff.exe -u " + fixture.Path("long name file.txt")},
        {"long name file.txt", 32777, tools.dir + "\\quarn.exe " + shortForm},
        {"long name file.txt", 32780, tools.dir + "\\zodo.exe /p " + fixture.Path("long name file.txt")},
        {"sub", 32774, tools.dir + "\\diff.exe -u "},
        {"..", 32777, tools.dir + "\\quarn.exe "},
    };
    size_t count = 0;
    for (const Case& c : cases) {
        shell.SelectName(c.select);
        shell.Command(c.command);
        std::vector<RecorderEntry> entries = WaitRecorderEntries(tools.Log(), ++count);
        EXPECT_EQ(Unquoted(entries.back().commandLine), c.line) << c.command;
        EXPECT_EQ(Lower(entries.back().directory), Lower(fixture.dir));
    }
    {
        // The editor gets the selected file's full path after its own
        // arguments; with nothing selected, the editor alone.
        ProfileOverride editor(WindowsIniPath("winfile.ini"), "Tamrel", "Editor", tools.dir + "\\zodo.exe -e");
        Shell second(fixture.dir);
        second.SelectName("beta.txt");
        second.Command(ID_FILE_EDITOR);
        std::vector<RecorderEntry> entries = WaitRecorderEntries(tools.Log(), ++count);
        EXPECT_EQ(Unquoted(entries.back().commandLine), tools.dir + "\\zodo.exe -e " + fixture.Path("beta.txt"));
        second.SelectName("sub");
        second.Command(ID_FILE_EDITOR);
        entries = WaitRecorderEntries(tools.Log(), ++count);
        EXPECT_EQ(Unquoted(entries.back().commandLine), tools.dir + "\\zodo.exe -e");
    }
    shell.Command(32778);   // no olmet.exe in LoadPath
    EXPECT_EQ(shell.Message(), "Error: WinExec failed");
    shell.Command(ID_FILE_SETUP);
    EXPECT_EQ(shell.Message(), "Error: WinExec failed");
}

TEST(PellumarCal, AKnownMonthAndTheRangeMessages)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    shell.Command(ID_UTILITIES_CAL);
    Window cal = shell.WaitDialog("Cal for Windows");
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(cal.Child(IDC_CAL_MONTH).Text(), std::to_string(now.wMonth));
    EXPECT_EQ(cal.Child(IDC_CAL_YEAR).Text(), std::to_string(now.wYear));

    cal.Child(IDC_CAL_MONTH).SetText("3");
    cal.Child(IDC_CAL_YEAR).SetText("1996");
    cal.Child(IDOK).Click();
    EXPECT_EQ(WaitText(cal.Child(IDC_CAL_TITLE), "March 1996"), "March 1996");
    // The grid itself is checked byte for byte by the unit tests.
    const std::string march1996 = MonthGrid(3, 1996);
    EXPECT_EQ(cal.Child(IDC_CAL_GRID).Text(), march1996);
    EXPECT_TRUE(cal.Visible());   // Update keeps the dialog open

    struct Case {
        const char* month;
        const char* year;
        const char* message;
    } cases[] = {
        {"13", "1996", "Please enter an integer between 1 and 12."},
        {"3", "1969", "Please enter an integer between 1970 and 2035."},
    };
    for (const Case& c : cases) {
        cal.Child(IDC_CAL_MONTH).SetText(c.month);
        cal.Child(IDC_CAL_YEAR).SetText(c.year);
        cal.Child(IDOK).Click();
        EXPECT_EQ(shell.Message(), c.message);
        EXPECT_EQ(cal.Child(IDC_CAL_TITLE).Text(), "March 1996");
        EXPECT_EQ(cal.Child(IDC_CAL_GRID).Text(), march1996);
    }
    cal.Child(IDCANCEL).Click();
    cal.WaitGone();
}

TEST(PellumarFiles, MakeChangeIntoAndRemoveADirectory)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    Window dialog = shell.Open(ID_FILE_MAKE_DIR, "Make Directory");
    EXPECT_EQ(dialog.Child(IDC_CURRENT_DIR).Text(), fixture.dir);
    Submit(dialog, {{IDC_DIR_NAME, "made"}});
    EXPECT_EQ(shell.WaitNames({".", "..", "alpha.txt", "beta.txt", "gamma.dat", "made", "sub"}).size(), 7u);
    EXPECT_TRUE(DirectoryExists(fixture.Path("made")));

    dialog = shell.Open(ID_FILE_MAKE_DIR, "Make Directory");
    Submit(dialog, {{IDC_DIR_NAME, "made"}}, false);
    EXPECT_EQ(shell.Message(), "Cant create made");

    shell.PostDoubleClick("made");
    EXPECT_EQ(shell.WaitCaption(fixture.Path("made")), fixture.Path("made") + kFrameEnd);
    shell.PostDoubleClick("..");
    shell.WaitCaption(fixture.dir);

    shell.SelectName("made");
    dialog = shell.Open(ID_FILE_REMOVE_DIR, "Remove Directory");
    EXPECT_EQ(dialog.Child(IDC_DIR_NAME).Text(), "made");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    EXPECT_EQ(shell.WaitNames({".", "..", "alpha.txt", "beta.txt", "gamma.dat", "sub"}).size(), 6u);
    EXPECT_FALSE(DirectoryExists(fixture.Path("made")));

    shell.SelectName("sub");   // not empty
    dialog = shell.Open(ID_FILE_REMOVE_DIR, "Remove Directory");
    dialog.Child(IDOK).Click();
    EXPECT_EQ(shell.Message(), "Cant remove sub");
}

TEST(PellumarFiles, CopyAFileAndAPatternIntoADirectory)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    shell.SelectName("gamma.dat");
    Window dialog = shell.Open(ID_FILE_COPY, "Copy File(s)");
    EXPECT_EQ(dialog.Child(IDC_FROM).Text(), "gamma.dat");
    Submit(dialog, {{IDC_TO, "sub"}});
    PollUntil([&] { return FileExists(fixture.Path("Sub\\gamma.dat")); });
    EXPECT_EQ(ReadFileBytes(fixture.Path("Sub\\gamma.dat")), std::string(1000, 'g'));

    dialog = shell.Open(ID_FILE_COPY, "Copy File(s)");
    Submit(dialog, {{IDC_FROM, "*.txt"}, {IDC_TO, "sub"}});
    PollUntil([&] { return FileExists(fixture.Path("Sub\\beta.txt")); });
    EXPECT_EQ(ReadFileBytes(fixture.Path("Sub\\alpha.txt")), "a");
    EXPECT_EQ(ReadFileBytes(fixture.Path("Sub\\beta.txt")), "bb\r\n");

    // Onto itself: refused, the source whole.
    dialog = shell.Open(ID_FILE_COPY, "Copy File(s)");
    Submit(dialog, {{IDC_FROM, "gamma.dat"}, {IDC_TO, "."}}, false);
    EXPECT_EQ(shell.Message(), "cant copy gamma.dat onto itself");
    EXPECT_EQ(ReadFileBytes(fixture.Path("gamma.dat")), std::string(1000, 'g'));
}

TEST(PellumarFiles, DeleteWithConfirmationYesNoCancel)
{
    Fixture fixture;
    fixture.temp.Write("Shell Fixture\\delta.txt", "d");
    Shell shell(fixture.dir);
    Window dialog = shell.Open(ID_FILE_DELETE, "Delete File(s)");
    EXPECT_TRUE(dialog.Child(IDC_DELETE_CONFIRM).Checked());
    Submit(dialog, {{IDC_DELETE_FILES, "*.txt"}});
    struct Step {
        const char* prompt;
        int answer;
    } steps[] = {
        {"delete file: alpha.txt", IDYES},
        {"delete file: beta.txt", IDNO},
        {"delete file: delta.txt", IDCANCEL},
    };
    for (const Step& step : steps) {
        Window box = shell.process.WaitMessageBox();
        EXPECT_EQ(MessageText(box), step.prompt);
        box.Child(step.answer).Click();
        box.WaitGone();
    }
    PollUntil([&] { return !FileExists(fixture.Path("alpha.txt")); });
    EXPECT_FALSE(FileExists(fixture.Path("alpha.txt")));
    EXPECT_TRUE(FileExists(fixture.Path("Beta.txt")));
    EXPECT_TRUE(FileExists(fixture.Path("delta.txt")));
    EXPECT_TRUE(FileExists(fixture.Path("Sub\\inner.txt")));
}

TEST(PellumarFiles, RenameFromTheSelectedLongName)
{
    Fixture fixture;
    fixture.temp.Write("Shell Fixture\\Long Name File.txt", "long");
    Shell shell(fixture.dir);
    shell.SelectName("long name file.txt");
    Window dialog = shell.Open(ID_FILE_RENAME, "Rename File or Directory");
    EXPECT_EQ(dialog.Child(IDC_FROM).Text(), "long name file.txt");
    Submit(dialog, {{IDC_TO, "renamed.txt"}});
    PollUntil([&] { return FileExists(fixture.Path("renamed.txt")); });
    EXPECT_EQ(ReadFileBytes(fixture.Path("renamed.txt")), "long");
    EXPECT_FALSE(FileExists(fixture.Path("Long Name File.txt")));

    dialog = shell.Open(ID_FILE_RENAME, "Rename File or Directory");
    Submit(dialog, {{IDC_FROM, "missing.txt"}, {IDC_TO, "other.txt"}}, false);
    EXPECT_EQ(shell.Message(), "Cannot rename missing.txt");
}

TEST(PellumarFiles, DetailsAgreeWithThePlatform)
{
    Fixture fixture;
    Shell shell(fixture.dir);
    std::string root = fixture.dir.substr(0, 3);
    DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &freeClusters, &totalClusters));
    const char* types[] = {"Unknown", "Unknown", "Removable", "Fixed", "Remote", "Cdrom", "Ramdisk"};
    UINT type = GetDriveTypeA(root.c_str());

    Window dialog = shell.Open(ID_FILE_DETAILS, "Drive details....");
    EXPECT_EQ(dialog.Child(IDC_DETAILS_TYPE).Text(), type < 7 ? types[type] : "Unknown");
    EXPECT_EQ(dialog.Child(IDC_DETAILS_CWD).Text(), fixture.dir);
    EXPECT_EQ(dialog.Child(IDC_DETAILS_SECTORS).Text(), std::to_string(sectors));
    EXPECT_EQ(dialog.Child(IDC_DETAILS_BYTES).Text(), std::to_string(bytes));
    EXPECT_EQ(dialog.Child(IDC_DETAILS_TOTAL_CLUSTERS).Text(), std::to_string(totalClusters));
    unsigned long long clusterBytes = static_cast<unsigned long long>(sectors) * bytes;
    EXPECT_EQ(dialog.Child(IDC_DETAILS_TOTAL_MB).Text(), std::to_string((clusterBytes * totalClusters) >> 20));
    // Free space moves while other programs write; it is read again here.
    unsigned long long shownFree = std::stoull(dialog.Child(IDC_DETAILS_FREE_CLUSTERS).Text());
    unsigned long long shownFreeMb = std::stoull(dialog.Child(IDC_DETAILS_FREE_MB).Text());
    EXPECT_EQ(shownFreeMb, (clusterBytes * shownFree) >> 20);
    double percent = std::stod(dialog.Child(IDC_DETAILS_PERCENT).Text());
    double expected = totalClusters ? 100.0 * (totalClusters - shownFree) / totalClusters : 0.0;
    EXPECT_NEAR(percent, expected, 0.006);
    std::string text = dialog.Child(IDC_DETAILS_PERCENT).Text();
    EXPECT_EQ(text.size() - text.find('.'), 3u);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
}

}
