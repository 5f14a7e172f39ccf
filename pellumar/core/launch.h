// Starting things from the shell without windows: the launcher table and the
// command lines it builds, the manuals, the short form of a path, the
// program-file rules and the association lookup of a file's extension.
#ifndef PELLUMAR_LAUNCH_H
#define PELLUMAR_LAUNCH_H

#include <string>

// Which form of the selected file a launcher passes.
enum FileForm { kFullPath, kShortForm };

struct Launcher {
    int id;               // menu command
    const char* menu;     // "Utilities", "Filters" or "Frandel"
    const char* text;     // menu text
    const char* prompt;   // status-bar prompt
    const char* tail;     // appended to LoadPath: "\prog.exe " and the flag
    FileForm form;
};

extern const Launcher kLaunchers[32];
const Launcher* FindLauncher(int id);

struct Manual {
    int id;
    const char* text;
    const char* prompt;
    const char* helpFile;   // appended to LoadPath
};

extern const Manual kManuals[10];
const Manual* FindManual(int id);

// LoadPath, the launcher's tail, then file (already in the launcher's form;
// empty when nothing usable is selected). No quotes are added.
std::string LauncherCommandLine(const std::string& loadPath, const Launcher& launcher, const std::string& file);
// "winhelp.exe " LoadPath and the help file; held in a growing string, so a
// long LoadPath is never cut.
std::string ManualCommandLine(const std::string& loadPath, const Manual& manual);
// Editor, and a blank and the file when a plain file is selected.
std::string EditorCommandLine(const std::string& editor, const std::string& file);
std::string SetupCommandLine(const std::string& loadPath);

// Replaces the last component of path by the 8.3 alias that aliasOf gives
// for path and lowers the whole; unchanged when there is no alias.
typedef std::string (*AliasLookup)(const std::string& path);
void ToShortName(std::string& path, AliasLookup aliasOf);
// The same through the file system.
void ToShortName(std::string& path);

// The selected file as a launcher passes it: the full path, or its short
// form; empty stays empty.
std::string FileForLauncher(const std::string& selected, FileForm form, AliasLookup aliasOf);

// The text after the last backslash (the whole when there is none).
std::string NamePart(const std::string& path);

// A name is a program by itself when its extension, the text after the last
// dot of its last component, is exe or com (letter case ignored).
bool IsProgramName(const std::string& name);

// The default values of keys under the root of file types: the test tree or
// the system's registry.
class RegistrySource {
public:
    virtual ~RegistrySource() {}
    // The default value of key (a path below the root), false when the key
    // or its value is missing.
    virtual bool DefaultValue(const std::string& key, std::string& value) = 0;
};

// What the association of name's extension says: the program to run
// (lower-cased, quoted when the registry quoted it) and the file to give it.
// False when name has no dot or the registry holds no association.
struct Association {
    std::string command;
    std::string file;
};
bool LookupAssociation(RegistrySource& registry, const std::string& name, Association& found);

// The program part of an open command: a quoted program with its quotes,
// otherwise the text up to the first blank or tab.
std::string ProgramOfCommand(const std::string& openCommand);

enum RunOption { kRunExecute = 0, kRunWithZodo = 1, kRunWithOlmet = 2 };

// The program file's two bytes at offset 128 are "PE"; false when it cannot
// be read.
bool HasPeMark(const std::string& program);

// The command line of the Run dialog's choice. file is passed in its short
// form when the program opens and has no "PE" mark, and gets cwd ahead of it
// when it names no directory.
std::string RunCommandLine(int option, const std::string& command, const std::string& file, const std::string& loadPath,
                           const std::string& cwd);

#endif
