// End-to-end tests of setup: the real program, copied into a directory of
// its own, driven through its dialog, and judged by what it leaves in the
// prefix's winfile.ini and registry. Each test puts winfile.ini, zodo.ini
// and the registry keys it touches back as they were.
#include <gtest/gtest.h>

#include <string>

#include "auto.h"
#include "setup/resource.h"

using namespace tamrel_auto;

namespace {

const char kDialogCaption[] = "Tamrel Setup";
const char kFolderVerb[] = "Folder\\shell\\Tamrel";
const char kFolderCommand[] = "Folder\\shell\\Tamrel\\command";
const char kOpenVerb[] = "txtfile\\shell\\open";
const char kPrintVerb[] = "txtfile\\shell\\print";
const char kOpenCommand[] = "txtfile\\shell\\open\\command";
const char kPrintCommand[] = "txtfile\\shell\\print\\command";

// A winfile.ini value, or "<absent>".
std::string Ini(const char* section, const char* key)
{
    char a[1024], b[1024];
    std::string file = WindowsIniPath("winfile.ini");
    GetPrivateProfileStringA(section, key, "\x01", a, sizeof a, file.c_str());
    GetPrivateProfileStringA(section, key, "\x02", b, sizeof b, file.c_str());
    return std::string(a) == b ? a : "<absent>";
}

void SetIni(const char* section, const char* key, const char* value)
{
    ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, WindowsIniPath("winfile.ini").c_str()));
}

// A registry default value under HKEY_CLASSES_ROOT, or "<absent>".
std::string Classes(const std::string& path)
{
    std::string value;
    return RegistryDefaultValue(HKEY_CLASSES_ROOT, path, &value) ? value : "<absent>";
}

class SetupTest : public ::testing::Test {
protected:
    FileSnapshot winfile{WindowsIniPath("winfile.ini")};
    FileSnapshot pagerProfile{WindowsIniPath("zodo.ini")};
    RegistrySnapshot folderVerb{HKEY_CLASSES_ROOT, kFolderVerb};
    RegistrySnapshot textVerbs{HKEY_CLASSES_ROOT, "txtfile\\shell"};
    TempDir temp{"Setup"};
    std::string suite;   // where setup.exe runs from, mixed case

    void SetUp() override
    {
        // A machine on which the suite was never installed.
        SetIni("Tamrel", nullptr, nullptr);
        SetIni("AddOns", "UNIX Tools", nullptr);
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kFolderVerb);
        SetRegistryDefaultValue(HKEY_CLASSES_ROOT, kOpenCommand, "notepad.exe \"%1\"");
        SetRegistryDefaultValue(HKEY_CLASSES_ROOT, kPrintCommand, "notepad.exe /p \"%1\"");
        suite = temp.MakeDir("Suite");
        CopyFileTo(ProgramPath("setup.exe"), suite + "\\setup.exe");
    }

    Process Start() const { return Process::Launch(suite + "\\setup.exe", "", suite); }

    static Window WaitSetupDialog(const Process& setup) { return setup.WaitDialog(kDialogCaption); }

    static void ExpectEnd(Process& setup) { EXPECT_TRUE(setup.WaitExit()) << setup.DescribeWindows(); }

    // One whole run: OK with the boxes as given, and the message it shows.
    std::string Install(bool viewer, bool printer) const
    {
        Process setup = Start();
        Window dialog = WaitSetupDialog(setup);
        dialog.Child(IDC_SET_VIEWER).SetChecked(viewer);
        dialog.Child(IDC_SET_PRINTER).SetChecked(printer);
        dialog.Child(IDOK).Click();
        std::string message = AnswerMessageBox(setup);
        ExpectEnd(setup);
        return message;
    }
};

TEST_F(SetupTest, FirstInstallPresetsOwnDirectoryAndWritesSettingsAndFolderVerb)
{
    const std::string dir = Lower(suite);
    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    EXPECT_EQ(dialog.Child(IDC_DIRECTORY).Text(), dir);
    for (int field : {IDC_EDITOR, IDC_SHELL, IDC_GZIP})
        EXPECT_EQ(dialog.Child(field).Text(), "") << field;
    EXPECT_TRUE(dialog.Child(IDC_ADD_TO_FM).Checked());
    EXPECT_TRUE(dialog.Child(IDC_ADD_TO_EXPLORER).Checked());
    EXPECT_FALSE(dialog.Child(IDC_SET_VIEWER).Checked());
    EXPECT_FALSE(dialog.Child(IDC_SET_PRINTER).Checked());

    dialog.Child(IDOK).Click();
    EXPECT_EQ(AnswerMessageBox(setup), "Setup complete");
    ExpectEnd(setup);

    EXPECT_EQ(Ini("Tamrel", "LoadPath"), dir);
    EXPECT_NE(ReadFileBytes(WindowsIniPath("winfile.ini")).find("Loadpath=" + dir), std::string::npos);
    EXPECT_EQ(Ini("AddOns", "UNIX Tools"), dir + "\\kelsomb.dll");
    EXPECT_EQ(Classes(kFolderCommand), dir + "\\pellumar.exe");
    for (const char* key : {"Editor", "Shell", "Gzip"})
        EXPECT_EQ(Ini("Tamrel", key), "<absent>") << key;
    EXPECT_EQ(Classes(kOpenCommand), "notepad.exe \"%1\"");
    EXPECT_EQ(Classes(kPrintCommand), "notepad.exe /p \"%1\"");
}

TEST_F(SetupTest, SecondInstallPresetsSavedValuesAndKeepsAnEmptiedEditor)
{
    SetIni("Tamrel", "LoadPath", "D:\\Elsewhere\\Tamrel");
    SetIni("Tamrel", "Editor", "C:\\Bin\\Vi.exe");
    SetIni("Tamrel", "Shell", "cmd.exe");
    SetIni("Tamrel", "Gzip", "c:\\bin\\gzip.exe");

    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    EXPECT_EQ(dialog.Child(IDC_DIRECTORY).Text(), "d:\\elsewhere\\tamrel");
    EXPECT_EQ(dialog.Child(IDC_EDITOR).Text(), "C:\\Bin\\Vi.exe");
    EXPECT_EQ(dialog.Child(IDC_SHELL).Text(), "cmd.exe");
    EXPECT_EQ(dialog.Child(IDC_GZIP).Text(), "c:\\bin\\gzip.exe");

    dialog.Child(IDC_EDITOR).SetText("");
    dialog.Child(IDC_SHELL).SetText("c:\\bin\\sh.exe");
    dialog.Child(IDC_ADD_TO_FM).SetChecked(false);
    dialog.Child(IDC_ADD_TO_EXPLORER).SetChecked(false);
    dialog.Child(IDOK).Click();
    EXPECT_EQ(AnswerMessageBox(setup), "Setup complete");
    ExpectEnd(setup);

    EXPECT_EQ(Ini("Tamrel", "LoadPath"), "d:\\elsewhere\\tamrel");
    EXPECT_EQ(Ini("Tamrel", "Editor"), "C:\\Bin\\Vi.exe");
    EXPECT_EQ(Ini("Tamrel", "Shell"), "c:\\bin\\sh.exe");
    EXPECT_EQ(Ini("Tamrel", "Gzip"), "c:\\bin\\gzip.exe");
    EXPECT_EQ(Ini("AddOns", "UNIX Tools"), "<absent>");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, kFolderVerb));
}

TEST_F(SetupTest, TextFileVerbsAreSetOnlyWhereTheirKeysExist)
{
    const std::string dir = Lower(suite);
    const std::string absent = "<absent>";
    struct Case {
        const char* missing;   // verb key the system lacks, or null
        const char* message;
        std::string open, print;
    } cases[] = {
        {nullptr, "Setup complete", dir + "\\zodo.exe %1", dir + "\\zodo.exe /p %1"},
        {kOpenVerb, "Text file registration fails - sorry!", absent, "notepad.exe /p \"%1\""},
        {kPrintVerb, "Text file registration fails - sorry!", dir + "\\zodo.exe %1", absent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing ? c.missing : "both present");
        SetUp();
        if (c.missing) {
            ASSERT_TRUE(DeleteRegistryTree(HKEY_CLASSES_ROOT, c.missing));
        }
        EXPECT_EQ(Install(true, true), c.message);
        EXPECT_EQ(Classes(kOpenCommand), c.open);
        EXPECT_EQ(Classes(kPrintCommand), c.print);
        // Nothing creates a verb the system lacks; what came before it stays.
        if (c.missing) {
            EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, c.missing));
        }
        EXPECT_EQ(Classes(kFolderCommand), dir + "\\pellumar.exe");
        EXPECT_EQ(Ini("Tamrel", "LoadPath"), dir);
    }
}

TEST_F(SetupTest, UninstallRemovesTheSuiteAndRestoresOnlyItsOwnVerbs)
{
    ASSERT_EQ(Install(true, true), "Setup complete");
    SetIni("Tamrel", "Editor", "c:\\bin\\vi.exe");
    SetIni("Tamrel", "ShowPrint", "1");
    // Another program took over printing since; its verb stays.
    SetRegistryDefaultValue(HKEY_CLASSES_ROOT, kPrintCommand, "c:\\other\\pr.exe /p %1");
    WriteFileBytes(WindowsIniPath("zodo.ini"), "[Settings]\r\nTabs=8\r\n");

    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    dialog.Child(IDC_UNINSTALL).Click();
    EXPECT_EQ(AnswerMessageBox(setup, IDYES), "Uninstall - are you sure?");
    EXPECT_EQ(AnswerMessageBox(setup), "Uninstall complete");
    ExpectEnd(setup);

    for (const char* key : {"LoadPath", "Editor", "Shell", "Gzip", "ShowPrint"})
        EXPECT_EQ(Ini("Tamrel", key), "<absent>") << key;
    EXPECT_EQ(Ini("AddOns", "UNIX Tools"), "<absent>");
    EXPECT_FALSE(FileExists(WindowsIniPath("zodo.ini")));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, kFolderVerb));
    EXPECT_EQ(Classes(kOpenCommand), "notepad.exe %1");
    EXPECT_EQ(Classes(kPrintCommand), "c:\\other\\pr.exe /p %1");
    EXPECT_TRUE(FileExists(suite + "\\setup.exe"));
}

TEST_F(SetupTest, UninstallThatCannotRemoveThePagerProfileSaysSo)
{
    // A directory where the pager's profile would be: there, and no file
    // removal takes it.
    const std::string profile = WindowsIniPath("zodo.ini");
    DeleteFileA(profile.c_str());
    ASSERT_TRUE(CreateDirectoryA(profile.c_str(), nullptr));
    Process setup = Start();
    WaitSetupDialog(setup).Child(IDC_UNINSTALL).Click();
    EXPECT_EQ(AnswerMessageBox(setup, IDYES), "Uninstall - are you sure?");
    EXPECT_EQ(AnswerMessageBox(setup), "Uninstall incomplete - sorry!\ncant remove " + profile);
    ExpectEnd(setup);
    EXPECT_TRUE(RemoveDirectoryA(profile.c_str()));
}

TEST_F(SetupTest, UninstallWhenNeverInstalledLeavesTheTextFileKeysUntouched)
{
    Process setup = Start();
    WaitSetupDialog(setup).Child(IDC_UNINSTALL).Click();
    EXPECT_EQ(AnswerMessageBox(setup, IDYES), "Uninstall - are you sure?");
    EXPECT_EQ(AnswerMessageBox(setup), "Uninstall complete");
    ExpectEnd(setup);
    EXPECT_EQ(Classes(kOpenCommand), "notepad.exe \"%1\"");
    EXPECT_EQ(Classes(kPrintCommand), "notepad.exe /p \"%1\"");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, kFolderVerb));
}

TEST_F(SetupTest, NoToTheUninstallQuestionKeepsTheDialog)
{
    SetIni("Tamrel", "LoadPath", "c:\\tamrel");
    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    dialog.Child(IDC_UNINSTALL).Click();
    EXPECT_EQ(AnswerMessageBox(setup, IDNO), "Uninstall - are you sure?");
    EXPECT_TRUE(dialog.Exists());
    EXPECT_TRUE(setup.Running());

    dialog.Child(IDCANCEL).Click();
    ExpectEnd(setup);
    EXPECT_EQ(Ini("Tamrel", "LoadPath"), "c:\\tamrel");
}

TEST_F(SetupTest, AboutButtonOpensTheAboutBox)
{
    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    dialog.Child(IDC_ABOUT_BUTTON).Click();
    Window about = setup.WaitDialog("About SETUP");
    bool versionShown = false;
    for (const Window& child : about.Children())
        versionShown = versionShown || child.Text() == "Tamrel SETUP Version 1.5";
    EXPECT_TRUE(versionShown);
    about.Child(IDOK).Click();
    about.WaitGone();
    EXPECT_TRUE(dialog.Exists());
    dialog.Child(IDCANCEL).Click();
    ExpectEnd(setup);
    EXPECT_EQ(Ini("Tamrel", "LoadPath"), "<absent>");
}

TEST_F(SetupTest, BrowsePutsTheChosenPathLowerCasedIntoItsField)
{
    temp.Write("Tools.EXE", "");
    const struct {
        int button, field;
    } cases[] = {{IDC_BROWSE_EDITOR, IDC_EDITOR}, {IDC_BROWSE_SHELL, IDC_SHELL}, {IDC_BROWSE_GZIP, IDC_GZIP}};
    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        dialog.Child(c.field).SetText("before");
        dialog.Child(c.button).Click();
        ChooseFile(setup.WaitDialog("Open"), temp.Path("Tools.EXE"));
        EXPECT_EQ(WaitText(dialog.Child(c.field), Lower(temp.Path("Tools.EXE"))), Lower(temp.Path("Tools.EXE")));
    }
    // Cancel in the Open dialog leaves the field alone.
    dialog.Child(IDC_BROWSE_EDITOR).Click();
    Window open = setup.WaitDialog("Open");
    open.Child(IDCANCEL).Click();
    open.WaitGone();
    EXPECT_EQ(dialog.Child(IDC_EDITOR).Text(), Lower(temp.Path("Tools.EXE")));
    dialog.Child(IDCANCEL).Click();
    ExpectEnd(setup);
    EXPECT_EQ(Ini("Tamrel", "Editor"), "<absent>");
}

TEST_F(SetupTest, OverlongFieldsAreRefusedBeforeAnythingIsWritten)
{
    struct Case {
        int field;
        std::string text;
        const char* message;
    } cases[] = {
        {IDC_SHELL, std::string(260, 's'), "Please enter no more than 259 characters."},
        // With "\zodo.exe /p %1" the print verb would pass 259 characters.
        {IDC_DIRECTORY, "c:\\" + std::string(242, 'd'), "Directory name too long - sorry!"},
        {IDC_DIRECTORY, "", "Directory name missing - sorry!"},
        {IDC_DIRECTORY, "  ", "Directory name missing - sorry!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Process setup = Start();
        Window dialog = WaitSetupDialog(setup);
        dialog.Child(c.field).SetText(c.text);
        dialog.Child(IDOK).Click();
        EXPECT_EQ(AnswerMessageBox(setup), c.message);
        EXPECT_TRUE(dialog.Exists());
        dialog.Child(IDCANCEL).Click();
        ExpectEnd(setup);
        EXPECT_EQ(Ini("Tamrel", "LoadPath"), "<absent>");
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, kFolderVerb));
    }
}

TEST_F(SetupTest, RootDirectoryIsWrittenWithoutItsBackslash)
{
    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    dialog.Child(IDC_DIRECTORY).SetText("c:\\");
    dialog.Child(IDC_SET_VIEWER).SetChecked(true);
    dialog.Child(IDOK).Click();
    EXPECT_EQ(AnswerMessageBox(setup), "Setup complete");
    ExpectEnd(setup);
    EXPECT_EQ(Ini("Tamrel", "LoadPath"), "c:");
    EXPECT_EQ(Classes(kFolderCommand), "c:\\pellumar.exe");
    EXPECT_EQ(Classes(kOpenCommand), "c:\\zodo.exe %1");
}

TEST_F(SetupTest, SettingsLongerThanTheirFieldsAreKeptWholeWhenLeftAsShown)
{
    // The fields show what a 260-byte read gives; OK with them unchanged
    // must not put that cut text over the whole value.
    const std::string editor = "c:\\" + std::string(296, 'e');
    const std::string gzip = "c:\\" + std::string(296, 'g');
    SetIni("Tamrel", "Editor", editor.c_str());
    SetIni("Tamrel", "Gzip", gzip.c_str());
    Process setup = Start();
    Window dialog = WaitSetupDialog(setup);
    EXPECT_EQ(dialog.Child(IDC_EDITOR).Text(), editor.substr(0, 259));
    EXPECT_EQ(dialog.Child(IDC_GZIP).Text(), gzip.substr(0, 259));
    dialog.Child(IDC_GZIP).SetText("c:\\bin\\gzip.exe");
    dialog.Child(IDOK).Click();
    EXPECT_EQ(AnswerMessageBox(setup), "Setup complete");
    ExpectEnd(setup);
    EXPECT_EQ(Ini("Tamrel", "Editor"), editor);
    EXPECT_EQ(Ini("Tamrel", "Gzip"), "c:\\bin\\gzip.exe");
}

// True when this process can open the file for writing now.
bool Writable(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(),
                              GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr,
                              OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

TEST_F(SetupTest, UnwritableWinfileIsReportedInsteadOfSuccess)
{
    const std::string ini = WindowsIniPath("winfile.ini");
    enum Way { readOnly, heldOpen };
    for (Way way : {readOnly, heldOpen}) {
        SCOPED_TRACE(way == readOnly ? "read-only" : "held open by another program");
        SetUp();
        SetIni("Tamrel", "Editor", "c:\\bin\\vi.exe");
        const std::string before = ReadFileBytes(ini);
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (way == readOnly) {
            ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
            // An administrator's programs may write read-only files anyway
            // (Wine run by root does); then there is no failure to see.
            if (Writable(ini)) {
                SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
                continue;
            }
        } else {
            holder = CreateFileA(
                ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
            ASSERT_FALSE(Writable(ini));
        }

        EXPECT_EQ(Install(false, false), "Cannot write winfile.ini - sorry!");
        // Nothing after the failed write happened.
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, kFolderVerb));

        Process setup = Start();
        WaitSetupDialog(setup).Child(IDC_UNINSTALL).Click();
        AnswerMessageBox(setup, IDYES);
        std::string message = AnswerMessageBox(setup);
        EXPECT_EQ(message.substr(0, message.find('\n')), "Uninstall incomplete - sorry!");
        EXPECT_NE(message.find("cant remove [Tamrel] Editor from winfile.ini"), std::string::npos) << message;
        ExpectEnd(setup);

        if (holder != INVALID_HANDLE_VALUE)
            CloseHandle(holder);
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(ini), before);
    }
}

}   // namespace
