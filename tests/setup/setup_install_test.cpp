// Unit tests of the installer's work over an in-memory store: what the
// dialog is preset with, what install and uninstall write and in which
// order, and that a write that fails is reported instead of success.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_store.h"
#include "install.h"

namespace {

const char kOpenCommand[] = "txtfile\\shell\\open\\command";
const char kPrintCommand[] = "txtfile\\shell\\print\\command";
const char kFolderCommand[] = "Folder\\shell\\Tamrel\\command";

// The platform's own text-file verbs, as a fresh system has them.
void PutTextVerbs(FakeStore& store)
{
    store.PutKey(kOpenCommand, "c:\\windows\\notepad.exe \"%1\"");
    store.PutKey(kPrintCommand, "c:\\windows\\notepad.exe /p \"%1\"");
    store.PutKey("Folder\\shell\\explore\\command", "explorer.exe");
}

SetupChoices Choices(const std::string& directory)
{
    SetupChoices choices;
    choices.directory = directory;
    return choices;
}

SetupChoices Everything(const std::string& directory)
{
    SetupChoices choices = Choices(directory);
    choices.editor = "c:\\bin\\vi.exe";
    choices.shell = "cmd.exe";
    choices.gzip = "c:\\bin\\gzip.exe";
    choices.setViewer = true;
    choices.setPrinter = true;
    return choices;
}

}   // namespace

TEST(SetupPresets, DirectoryFromLoadPathElseOwnDirectoryLowerCased)
{
    struct Case {
        const char* loadPath;   // null: no key
        const char* own;
        const char* directory;
    } cases[] = {
        {nullptr, "C:\\Program Files\\Tamrel", "c:\\program files\\tamrel"},
        {"", "C:\\Setup", "c:\\setup"},
        {"D:\\Tools\\TAMREL", "C:\\Setup", "d:\\tools\\tamrel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.own);
        FakeStore store;
        if (c.loadPath)
            store.PutProfile("tamrel", "LOADPATH", c.loadPath);
        store.PutProfile("Tamrel", "Editor", "C:\\Bin\\Vi.exe");
        store.PutProfile("Tamrel", "gzip", "gzip -9");
        SetupChoices preset = ReadSetupChoices(store, c.own);
        EXPECT_EQ(preset.directory, c.directory);
        EXPECT_EQ(preset.editor, "C:\\Bin\\Vi.exe");   // tools keep their case
        EXPECT_EQ(preset.shell, "");
        EXPECT_EQ(preset.gzip, "gzip -9");
        EXPECT_TRUE(preset.addToFileManager && preset.addToExplorer);
        EXPECT_FALSE(preset.setViewer || preset.setPrinter);
        EXPECT_TRUE(store.writes.empty());
    }
}

TEST(SetupInstall, WritesEachChosenPieceInOrder)
{
    struct Case {
        const char* name;
        SetupChoices choices;
        std::vector<std::string> writes;
    };
    SetupChoices plain = Choices("c:\\tamrel");
    SetupChoices bare = Choices("c:\\tamrel");
    bare.addToFileManager = false;
    bare.addToExplorer = false;
    bare.shell = "cmd.exe";
    const Case cases[] = {
        {"default boxes",
         plain,
         {"profile [Tamrel] Loadpath=c:\\tamrel",
          "profile [AddOns] UNIX Tools=c:\\tamrel\\kelsomb.dll",
          "create Folder\\shell\\Tamrel\\command",
          "set Folder\\shell\\Tamrel\\command=c:\\tamrel\\pellumar.exe"}},
        {"every box and tool",
         Everything("e:\\suite"),
         {"profile [Tamrel] Loadpath=e:\\suite",
          "profile [AddOns] UNIX Tools=e:\\suite\\kelsomb.dll",
          "create Folder\\shell\\Tamrel\\command",
          "set Folder\\shell\\Tamrel\\command=e:\\suite\\pellumar.exe",
          "profile [Tamrel] Editor=c:\\bin\\vi.exe",
          "profile [Tamrel] Shell=cmd.exe",
          "profile [Tamrel] Gzip=c:\\bin\\gzip.exe",
          "set txtfile\\shell\\open\\command=e:\\suite\\zodo.exe %1",
          "set txtfile\\shell\\print\\command=e:\\suite\\zodo.exe /p %1"}},
        {"no registrations", bare, {"profile [Tamrel] Loadpath=c:\\tamrel", "profile [Tamrel] Shell=cmd.exe"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeStore store;
        PutTextVerbs(store);
        SetupOutcome outcome = Install(store, c.choices);
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.message, "Setup complete");
        EXPECT_EQ(store.writes, c.writes);
    }
}

TEST(SetupInstall, EmptiedFieldKeepsTheValueOfAnEarlierInstall)
{
    FakeStore store;
    store.PutProfile("Tamrel", "Editor", "c:\\bin\\vi.exe");
    store.PutProfile("Tamrel", "Gzip", "c:\\bin\\gzip.exe");
    SetupChoices choices = Choices("c:\\tamrel");
    choices.shell = "cmd.exe";
    ASSERT_TRUE(Install(store, choices).ok);
    EXPECT_EQ(store.Profile("Tamrel", "Editor"), "c:\\bin\\vi.exe");
    EXPECT_EQ(store.Profile("Tamrel", "Gzip"), "c:\\bin\\gzip.exe");
    EXPECT_EQ(store.Profile("Tamrel", "Shell"), "cmd.exe");
}

TEST(SetupInstall, FirstFailedWriteIsReportedAndNothingAfterItIsWritten)
{
    struct Case {
        const char* failing;
        const char* message;
    } cases[] = {
        {"profile [Tamrel] Loadpath", "Cannot write winfile.ini - sorry!"},
        {"profile [AddOns] UNIX Tools", "Cannot write winfile.ini - sorry!"},
        {"create Folder\\shell\\Tamrel\\command", "Tamrel shell registration fails - sorry!"},
        {"set Folder\\shell\\Tamrel\\command", "Tamrel shell registration fails - sorry!"},
        {"profile [Tamrel] Editor", "Cannot write winfile.ini - sorry!"},
        {"profile [Tamrel] Shell", "Cannot write winfile.ini - sorry!"},
        {"profile [Tamrel] Gzip", "Cannot write winfile.ini - sorry!"},
        {"set txtfile\\shell\\open\\command", "Text file registration fails - sorry!"},
        {"set txtfile\\shell\\print\\command", "Text file registration fails - sorry!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        FakeStore store;
        PutTextVerbs(store);
        store.failing.insert(c.failing);
        SetupOutcome outcome = Install(store, Everything("c:\\tamrel"));
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, c.message);
        ASSERT_FALSE(store.writes.empty());
        // The failed write is the last one tried.
        EXPECT_EQ(store.writes.back().substr(0, store.writes.back().find('=')), c.failing);
    }
}

TEST(SetupInstall, MissingTextVerbKeyIsReportedAndNotCreated)
{
    struct Case {
        const char* present;   // the one verb key the system has, or null
        bool viewer, printer;
        size_t verbsWritten;
    } cases[] = {
        {nullptr, true, false, 0},
        {nullptr, false, true, 0},
        {"txtfile\\shell\\open", true, true, 1},   // open set, then print fails
    };
    for (const Case& c : cases) {
        FakeStore store;
        store.PutKey("txtfile\\shell\\edit\\command", "notepad.exe %1");
        if (c.present)
            store.PutKey(c.present);
        SetupChoices choices = Choices("c:\\tamrel");
        choices.setViewer = c.viewer;
        choices.setPrinter = c.printer;
        SetupOutcome outcome = Install(store, choices);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, "Text file registration fails - sorry!");
        EXPECT_FALSE(store.HasKey("txtfile\\shell\\print"));
        EXPECT_EQ(store.HasKey(kOpenCommand), c.verbsWritten == 1);
        // Everything before the text-file verbs was done.
        EXPECT_EQ(store.Value(kFolderCommand), "c:\\tamrel\\pellumar.exe");
    }
}

TEST(SetupInstall, DirectoryTooLongForThePrintVerbIsRefusedBeforeAnyWrite)
{
    // "\zodo.exe /p %1" is 15 characters; the print verb may hold 259.
    const std::string fits = "c:\\" + std::string(259 - 15 - 3, 'd');
    const std::string tooLong = fits + "x";
    EXPECT_TRUE(DirectoryFits(fits));
    EXPECT_FALSE(DirectoryFits(tooLong));

    FakeStore store;
    PutTextVerbs(store);
    SetupOutcome refused = Install(store, Everything(tooLong));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "Directory name too long - sorry!");
    EXPECT_TRUE(store.writes.empty());

    ASSERT_TRUE(Install(store, Everything(fits)).ok);
    EXPECT_EQ(store.Value(kPrintCommand).size(), 259u);
}

TEST(SetupInstall, DirectoryIsRefusedWhenEmptyAndWrittenWithoutATrailingBackslash)
{
    struct Case {
        const char* typed;
        const char* refusal;   // null: installed
        const char* written;   // the directory the values are built from
    } cases[] = {
        {"", "Directory name missing - sorry!", nullptr},
        // The profile reader drops blanks: to the suite that is empty.
        {"   ", "Directory name missing - sorry!", nullptr},
        {"\t ", "Directory name missing - sorry!", nullptr},
        {"\\", "Directory name missing - sorry!", nullptr},
        {"c:\\tamrel\\", nullptr, "c:\\tamrel"},
        {"c:\\tamrel\\\\", nullptr, "c:\\tamrel"},
        {"c:\\tamrel", nullptr, "c:\\tamrel"},
        // The root: every value adds its own backslash, so "c:" builds
        // "c:\zodo.exe", the program in the root.
        {"c:\\", nullptr, "c:"},
        {"\\\\server\\share\\tamrel\\", nullptr, "\\\\server\\share\\tamrel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("[") + c.typed + "]");
        FakeStore store;
        PutTextVerbs(store);
        store.PutProfile("Tamrel", "Loadpath", "d:\\before");
        const char* refusal = DirectoryRefusal(c.typed);
        EXPECT_STREQ(refusal, c.refusal);
        SetupOutcome outcome = Install(store, Everything(c.typed));
        if (c.refusal) {
            EXPECT_FALSE(outcome.ok);
            EXPECT_EQ(outcome.message, c.refusal);
            EXPECT_TRUE(store.writes.empty());
            EXPECT_EQ(store.Profile("Tamrel", "Loadpath"), "d:\\before");
            continue;
        }
        const std::string dir = c.written;
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.message, "Setup complete");
        EXPECT_EQ(store.Profile("Tamrel", "Loadpath"), dir);
        EXPECT_EQ(store.Profile("AddOns", "UNIX Tools"), dir + "\\kelsomb.dll");
        EXPECT_EQ(store.Value(kFolderCommand), dir + "\\pellumar.exe");
        EXPECT_EQ(store.Value(kOpenCommand), dir + "\\zodo.exe %1");
        EXPECT_EQ(store.Value(kPrintCommand), dir + "\\zodo.exe /p %1");
        // Uninstall, given the directory as typed, finds the verbs again.
        EXPECT_TRUE(Uninstall(store, c.typed).ok);
        EXPECT_EQ(store.Value(kOpenCommand), "notepad.exe %1");
        EXPECT_EQ(store.Value(kPrintCommand), "notepad.exe /p %1");
    }
}

TEST(SetupInstall, ASettingTooLongForItsPresetIsNeverWrittenBackCut)
{
    const std::string longer(300, 'v');
    const std::string fits(259, 'f');
    struct Case {
        const char* what;
        std::string stored;   // the value before
        const char* typed;    // null: the field left as preset
        std::string preset;   // what the field shows
        std::string after;    // the value after OK
        bool written;
    } cases[] = {
        {"left as preset", longer, nullptr, longer.substr(0, 259), longer, false},
        {"emptied", longer, "", longer.substr(0, 259), longer, false},
        {"changed", longer, "c:\\bin\\tool.exe", longer.substr(0, 259), "c:\\bin\\tool.exe", true},
        {"fits its preset", fits, nullptr, fits, fits, true},
    };
    for (const char* key : {"Editor", "Shell", "Gzip"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(key) + ": " + c.what);
            FakeStore store;
            store.PutProfile("Tamrel", key, c.stored);
            SetupChoices choices = ReadSetupChoices(store, "c:\\tamrel");
            std::string* field = std::string(key) == "Editor"  ? &choices.editor
                                 : std::string(key) == "Shell" ? &choices.shell
                                                               : &choices.gzip;
            EXPECT_EQ(*field, c.preset);
            if (c.typed)
                *field = c.typed;
            ASSERT_TRUE(Install(store, choices).ok);
            EXPECT_EQ(store.Profile("Tamrel", key), c.after);
            bool written = false;
            for (const std::string& write : store.writes)
                written = written || write.find(std::string("profile [Tamrel] ") + key + "=") == 0;
            EXPECT_EQ(written, c.written);
        }
    }
}

TEST(SetupUninstall, RemovesWhatInstallWrote)
{
    FakeStore store;
    PutTextVerbs(store);
    ASSERT_TRUE(Install(store, Everything("c:\\tamrel")).ok);
    store.PutProfile("Tamrel", "ShowPrint", "1");
    store.PutProfile("Tamrel", "Other", "kept");
    store.PutFile("D:\\WinNT\\zodo.ini");
    store.PutFile("c:\\windows\\zodo.ini");   // not the platform's directory here

    SetupOutcome outcome = Uninstall(store, "c:\\tamrel");
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.message, "Uninstall complete");
    for (const char* key : {"Loadpath", "Editor", "Shell", "Gzip", "ShowPrint"})
        EXPECT_FALSE(store.HasProfile("Tamrel", key)) << key;
    EXPECT_FALSE(store.HasProfile("AddOns", "UNIX Tools"));
    EXPECT_EQ(store.Profile("Tamrel", "Other"), "kept");
    EXPECT_FALSE(store.HasFile("D:\\WinNT\\zodo.ini"));
    EXPECT_TRUE(store.HasFile("c:\\windows\\zodo.ini"));
    // The whole folder verb goes; the folder's other verbs stay.
    EXPECT_FALSE(store.HasKey("Folder\\shell\\Tamrel"));
    EXPECT_TRUE(store.HasKey("Folder\\shell\\explore\\command"));
    EXPECT_EQ(store.Value(kOpenCommand), "notepad.exe %1");
    EXPECT_EQ(store.Value(kPrintCommand), "notepad.exe /p %1");
}

TEST(SetupUninstall, RestoresOnlyVerbsThatStartTheDirectorysPager)
{
    struct Case {
        const char* open;
        const char* print;
        const char* openAfter;
        const char* printAfter;
    } cases[] = {
        {"C:\\TAMREL\\ZODO.EXE %1", "c:\\Tamrel\\zodo.exe /p %1", "notepad.exe %1", "notepad.exe /p %1"},
        {"c:\\other\\zodo.exe %1", "c:\\tamrel\\zodo.exe /p %1", "c:\\other\\zodo.exe %1", "notepad.exe /p %1"},
        {"c:\\tamrel\\zodo.ex", "wordpad.exe /p \"%1\"", "c:\\tamrel\\zodo.ex", "wordpad.exe /p \"%1\""},
        {"c:\\tamrel\\zodo.exe2 %1", "", "notepad.exe %1", ""},   // compared over the prefix only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.open);
        FakeStore store;
        store.PutKey(kOpenCommand, c.open);
        store.PutKey(kPrintCommand, c.print);
        EXPECT_TRUE(Uninstall(store, "c:\\tamrel").ok);
        EXPECT_EQ(store.Value(kOpenCommand), c.openAfter);
        EXPECT_EQ(store.Value(kPrintCommand), c.printAfter);
    }
}

TEST(SetupUninstall, NeverInstalledLeavesTheTextFileKeysUntouched)
{
    FakeStore store;
    PutTextVerbs(store);
    SetupOutcome outcome = Uninstall(store, "c:\\tamrel");
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.message, "Uninstall complete");
    for (const std::string& write : store.writes)
        EXPECT_NE(write.substr(0, 4), "set ") << write;
    EXPECT_EQ(store.Value(kOpenCommand), "c:\\windows\\notepad.exe \"%1\"");

    FakeStore noPrint;
    noPrint.PutKey(kOpenCommand, "c:\\tamrel\\zodo.exe %1");
    EXPECT_TRUE(Uninstall(noPrint, "c:\\tamrel").ok);
    EXPECT_EQ(noPrint.Value(kOpenCommand), "notepad.exe %1");
    EXPECT_FALSE(noPrint.HasKey("txtfile\\shell\\print"));
}

TEST(SetupUninstall, FailedStepIsReportedAndTheRestStillRun)
{
    struct Case {
        const char* name;
        const char* failing;   // injected failure, or null
        bool foreignSubkey;    // another program's key under the Tamrel verb
        const char* line;      // what the message names
    } cases[] = {
        {"pager profile", "remove D:\\WinNT\\zodo.ini", false, "cant remove D:\\WinNT\\zodo.ini"},
        {"profile key", "profile [Tamrel] Editor deleted", false, "cant remove [Tamrel] Editor from winfile.ini"},
        {"verb command", "delete Folder\\shell\\Tamrel\\command", false, "cant remove Folder\\shell\\Tamrel"},
        {"verb with a subkey", nullptr, true, "cant remove Folder\\shell\\Tamrel"},
        {"open verb", "set txtfile\\shell\\open\\command", false, "cant restore txtfile\\shell\\open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeStore store;
        PutTextVerbs(store);
        ASSERT_TRUE(Install(store, Everything("c:\\tamrel")).ok);
        store.PutFile("D:\\WinNT\\zodo.ini");
        if (c.failing)
            store.failing.insert(c.failing);
        if (c.foreignSubkey)
            store.PutKey("Folder\\shell\\Tamrel\\ddeexec", "x");

        SetupOutcome outcome = Uninstall(store, "c:\\tamrel");
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, std::string("Uninstall incomplete - sorry!\n") + c.line);
        // The steps after the failed one ran.
        EXPECT_FALSE(store.HasProfile("Tamrel", "Gzip"));
        EXPECT_EQ(store.Value(kPrintCommand), "notepad.exe /p %1");
    }
}
