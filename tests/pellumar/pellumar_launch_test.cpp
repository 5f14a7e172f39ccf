// Launcher command lines, the short form of a path, the program rule, the
// association lookup and the command line of the Run dialog.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "launch.h"
#include "listing.h"
#include "scratch.h"

namespace {

std::string FakeAlias(const std::string& path)
{
    // Long names have an alias; names that already are 8.3 have none.
    if (LowerName(NamePart(path)) == "long file name.txt")
        return "LONGFI~1.TXT";
    return "";
}

// The command line every launcher builds for the selected file
// "c:\My Work\long file name.txt" (as the listing shows it), whose alias is LONGFI~1.TXT, with
// LoadPath c:\tamrel.
const struct {
    int id;
    const char* line;
} kExpected[32] = {
    {32773, "c:\\tamrel\\diff.exe -c c:\\My Work\\long file name.txt"},
    {32836, "c:\\tamrel\\ombrix.exe -c c:\\My Work\\long file name.txt"},
    {32774, "c:\\tamrel\\diff.exe -u c:\\My Work\\long file name.txt"},
    {32775, "c:\\tamrel\\ombrix.exe -d c:\\My Work\\long file name.txt"},
    {32776, "c:\\tamrel\\ombrix.exe -f c:\\My Work\\long file name.txt"},
    {32777, "c:\\tamrel\\quarn.exe c:\\my work\\longfi~1.txt"},
    {32778, "c:\\tamrel\\olmet.exe c:\\My Work\\long file name.txt"},
    {32779, "c:\\tamrel\\zodo.exe c:\\My Work\\long file name.txt"},
    {32829, "c:\\tamrel\\trevak.exe c:\\My Work\\long file name.txt"},
    {32780, "c:\\tamrel\\zodo.exe /p c:\\My Work\\long file name.txt"},
    {32781, "c:\\tamrel\\vantic.exe c:\\my work\\longfi~1.txt"},
    {32782, "c:\\tamrel\\ombrix.exe -p c:\\My Work\\long file name.txt"},
    {32783, "c:\\tamrel\\ombrix.exe -s c:\\my work\\longfi~1.txt"},
    {32784, "c:\\tamrel\\ombrix.exe -t c:\\my work\\longfi~1.txt"},
    {32785, "c:\\tamrel\\ombrix.exe -w c:\\my work\\longfi~1.txt"},
    {32790, "c:\\tamrel\\filters.exe -c c:\\my work\\longfi~1.txt"},
    {32789, "c:\\tamrel\\filters.exe -o c:\\my work\\longfi~1.txt"},
    {32791, "c:\\tamrel\\filters.exe -e c:\\my work\\longfi~1.txt"},
    {32792, "c:\\tamrel\\filters.exe -m c:\\my work\\longfi~1.txt"},
    {32793, "c:\\tamrel\\filters.exe -f c:\\my work\\longfi~1.txt"},
    {32794, "c:\\tamrel\\filters.exe -g c:\\my work\\longfi~1.txt"},
    {32833, "c:\\tamrel\\filters.exe -n c:\\my work\\longfi~1.txt"},
    {32832, "c:\\tamrel\\filters.exe -s c:\\my work\\longfi~1.txt"},
    {32795, "c:\\tamrel\\filters.exe -t c:\\my work\\longfi~1.txt"},
    {32796, "c:\\tamrel\\frandel.exe -d c:\\my work\\longfi~1.txt"},
    {32797, "c:\\tamrel\\frandel.exe -u c:\\my work\\longfi~1.txt"},
    {32800, "c:\\tamrel\\frandel.exe -e c:\\my work\\longfi~1.txt"},
    {32801, "c:\\tamrel\\frandel.exe -f c:\\my work\\longfi~1.txt"},
    {32798, "c:\\tamrel\\frandel.exe -x c:\\my work\\longfi~1.txt"},
    {32799, "c:\\tamrel\\frandel.exe -y c:\\my work\\longfi~1.txt"},
    {32802, "c:\\tamrel\\frandel.exe -s c:\\my work\\longfi~1.txt"},
    {32803, "c:\\tamrel\\frandel.exe -r c:\\my work\\longfi~1.txt"},
};

TEST(Launchers, EveryCommandLineForAPlainFile)
{
    struct tm when = {};
    DirEntry file;
    file.name = "Long File Name.txt";
    std::string selected;
    ASSERT_TRUE(SelectedFilePath("c:\\My Work", LongLine(file, &when), selected));
    std::set<int> ids;
    for (const auto& expected : kExpected) {
        const Launcher* launcher = FindLauncher(expected.id);
        ASSERT_NE(launcher, nullptr) << expected.id;
        EXPECT_EQ(LauncherCommandLine("c:\\tamrel", *launcher, FileForLauncher(selected, launcher->form, FakeAlias)),
                  expected.line);
        ids.insert(expected.id);
    }
    EXPECT_EQ(ids.size(), 32u);
}

TEST(Launchers, NothingOrADirectorySelectedEndsInTheBlank)
{
    struct tm when = {};
    DirEntry directory;
    directory.name = "sub";
    directory.directory = true;
    for (const std::string& line : {LongLine(directory, &when), std::string("Total 4")}) {
        std::string selected;
        EXPECT_FALSE(SelectedFilePath("c:\\work", line, selected));
        for (const auto& expected : kExpected) {
            const Launcher* launcher = FindLauncher(expected.id);
            std::string built =
                LauncherCommandLine("c:\\tamrel", *launcher, FileForLauncher(selected, launcher->form, FakeAlias));
            std::string program(expected.line);
            program = program.substr(0, program.find(" c:\\", 1) + 1);
            EXPECT_EQ(built, program);
            EXPECT_EQ(built.back(), ' ');
        }
    }
}

TEST(Launchers, AFileWithoutAliasPassesItsFullPath)
{
    const Launcher* quarn = FindLauncher(32777);
    ASSERT_NE(quarn, nullptr);
    EXPECT_EQ(
        LauncherCommandLine("c:\\tamrel\\", *quarn, FileForLauncher("d:\\Work\\README.TXT", kShortForm, FakeAlias)),
        "c:\\tamrel\\\\quarn.exe d:\\Work\\README.TXT");
}

TEST(Launchers, EditorSetupAndManuals)
{
    EXPECT_EQ(EditorCommandLine("notepad.exe", ""), "notepad.exe");
    EXPECT_EQ(EditorCommandLine("ed -x", "c:\\w\\a.txt"), "ed -x c:\\w\\a.txt");
    EXPECT_EQ(SetupCommandLine("c:\\tamrel"), "c:\\tamrel\\setup.exe");
    const Manual* utilities = FindManual(32806);
    ASSERT_NE(utilities, nullptr);
    EXPECT_EQ(ManualCommandLine("c:\\tamrel", *utilities), "winhelp.exe c:\\tamrel\\ombrix.hlp");
    // A LoadPath far longer than any fixed buffer is kept whole.
    std::string longPath = "c:\\" + std::string(400, 'x');
    EXPECT_EQ(ManualCommandLine(longPath, *FindManual(32813)), "winhelp.exe " + longPath + "\\setup.hlp");
    std::set<std::string> helpFiles;
    for (const Manual& manual : kManuals)
        helpFiles.insert(manual.helpFile);
    EXPECT_EQ(helpFiles.size(), 10u);
}

TEST(ToShortName, ReplacesOnlyTheLastComponent)
{
    struct Case {
        const char* path;
        const char* result;
    } cases[] = {
        {"d:\\Long Directory\\Long File Name.txt", "d:\\long directory\\longfi~1.txt"},
        {"d:\\Work\\README.TXT", "d:\\Work\\README.TXT"},
        {"Long File Name.txt", "longfi~1.txt"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        ToShortName(path, FakeAlias);
        EXPECT_EQ(path, c.result);
    }
}

TEST(IsProgramName, OnlyTheLastExtensionCounts)
{
    struct Case {
        const char* name;
        bool program;
    } cases[] = {
        {"setup.exe", true},
        {"command.com", true},
        {"TOOL.EXE", true},
        {"setup.exe.bak", false},
        {"my.company.txt", false},
        {"exe", false},
        {"a.exe\\readme", false},
        {"notes.comx", false},
        {"d.com\\x.exe", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsProgramName(c.name), c.program) << c.name;
}

class MapRegistry : public RegistrySource {
public:
    bool DefaultValue(const std::string& key, std::string& value) override
    {
        auto found = values.find(key);
        if (found == values.end())
            return false;
        value = found->second;
        return true;
    }
    std::map<std::string, std::string> values;
};

TEST(LookupAssociation, ReadsTypeAndOpenCommand)
{
    MapRegistry registry;
    registry.values = {
        {".txt", "txtfile"},
        {"txtfile\\shell\\open\\command", "notepad.exe %1"},
        {".doc", "docfile"},
        {"docfile\\shell\\open\\command", "\"C:\\Program Files\\Writer\\WRITE.EXE\" \"%1\""},
        {".bat", "batfile"},
        {"batfile\\shell\\open\\command", "\"%1\" %*"},
        {".raw", ""},
        {".raw\\shell\\open\\command", "viewer\t-r %1"},
        {".nocmd", "nocmdfile"},
        {".long", std::string(300, 't')},
        {std::string(300, 't') + "\\shell\\open\\command", "longprog.exe %1"},
    };
    ExpectAssociations(
        registry,
        {
            {"readme.txt", true, "notepad.exe", "readme.txt"},
            {"letter.doc", true, "\"c:\\program files\\writer\\write.exe\"", "letter.doc"},
            {"run.bat", true, ".\\run.bat", ""},
            {"image.raw", true, "viewer", "image.raw"},   // empty type: the extension itself
            {"x.nocmd", false, "", ""},
            {"x.unknown", false, "", ""},
            {"noextension", false, "", ""},
            {"my.company.long", true, "longprog.exe", "my.company.long"},   // a long type name is read whole
        });
}

TEST(RunCommandLine, ChoicesAndTheFileTheyPass)
{
    ScratchDir scratch;
    std::string windows(200, '\0');
    windows[128] = 'P';
    windows[129] = 'E';
    WriteBytes(scratch / "win.exe", windows);
    WriteBytes(scratch / "dos.exe", std::string(200, 'x'));
    EXPECT_TRUE(HasPeMark(scratch / "win.exe"));
    EXPECT_FALSE(HasPeMark(scratch / "dos.exe"));
    EXPECT_FALSE(HasPeMark(scratch / "missing.exe"));

    EXPECT_EQ(RunCommandLine(kRunWithZodo, "", "a.txt", "c:\\tamrel", "c:\\work"),
              "c:\\tamrel\\zodo.exe c:\\work\\a.txt");
    EXPECT_EQ(RunCommandLine(kRunWithOlmet, "", "a.txt", "c:\\tamrel", "c:\\"), "c:\\tamrel\\olmet.exe c:\\a.txt");
    EXPECT_EQ(RunCommandLine(kRunExecute, "notepad.exe", "a b.txt", "", "c:\\work"), "notepad.exe c:\\work\\a b.txt");
    EXPECT_EQ(RunCommandLine(kRunExecute, ".\\run.bat", "", "", "c:\\work"), ".\\run.bat");
    EXPECT_EQ(RunCommandLine(kRunExecute, "ed.exe", "d:\\x\\typed.txt", "", "c:\\work"), "ed.exe d:\\x\\typed.txt");
    EXPECT_EQ(RunCommandLine(kRunExecute, scratch / "win.exe", "a.txt", "", "c:\\w"),
              scratch / "win.exe" + " c:\\w\\a.txt");
}

}
