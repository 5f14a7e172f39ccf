#include "launch.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "listing.h"
#include "platform.h"

const Launcher kLaunchers[32] = {
    {32773, "Utilities", "&Cmp...", "Compare the binary contents of files or directories", "\\diff.exe -c ", kFullPath},
    {32836, "Utilities", "Cspl&it", "Split a text file by context", "\\ombrix.exe -c ", kFullPath},
    {32774, "Utilities", "&Diff...", "Compare text files", "\\diff.exe -u ", kFullPath},
    {32775, "Utilities", "D&u...", "Display disk space usage and utilization", "\\ombrix.exe -d ", kFullPath},
    {32776, "Utilities", "&File...", "Determine file contents", "\\ombrix.exe -f ", kFullPath},
    {32777, "Utilities", "&Quarn", "Search a file or files for a text pattern", "\\quarn.exe ", kShortForm},
    {32778, "Utilities", "&Olmet...", "Display a file in hexadecimal format", "\\olmet.exe ", kFullPath},
    {32779, "Utilities", "&Zodo...", "Display a text file", "\\zodo.exe ", kFullPath},
    {32829, "Utilities", "Tr&evak", "Portable archive interchange", "\\trevak.exe ", kFullPath},
    {32780, "Utilities", "&Pr...", "Print a text file", "\\zodo.exe /p ", kFullPath},
    {32781, "Utilities", "&Vantic...", "Stream editor", "\\vantic.exe ", kShortForm},
    {32782, "Utilities", "Sp&lit...", "Split a file into pieces", "\\ombrix.exe -p ", kFullPath},
    {32783, "Utilities", "St&rings...", "Search a file or files for ASCII strings", "\\ombrix.exe -s ", kShortForm},
    {32784,
     "Utilities",
     "&Tail...",
     "Display the first, middle or last part of a file or files",
     "\\ombrix.exe -t ",
     kShortForm},
    {32785, "Utilities", "&Wc...", "Count lines, words and bytes in a file or files", "\\ombrix.exe -w ", kShortForm},
    {32790, "Filters", "&Cat...", "Concatenate files", "\\filters.exe -c ", kShortForm},
    {32789, "Filters", "C&ol...", "Filter reverse line feeds", "\\filters.exe -o ", kShortForm},
    {32791, "Filters", "&Expand...", "Expand tabs to spaces", "\\filters.exe -e ", kShortForm},
    {32792, "Filters", "&Fmt...", "Simple text formatter", "\\filters.exe -m ", kShortForm},
    {32793, "Filters", "F&old...", "Fold long lines", "\\filters.exe -f ", kShortForm},
    {32794, "Filters", "&Dunmel...", "SImple stream editor", "\\filters.exe -g ", kShortForm},
    {32833, "Filters", "&Nl...", "Line numbering filter", "\\filters.exe -n ", kShortForm},
    {32832, "Filters", "&Sort...", "Sort/merge one or more text files", "\\filters.exe -s ", kShortForm},
    {32795, "Filters", "&Tr...", "Translate, squeeze or delete characters", "\\filters.exe -t ", kShortForm},
    {32796, "Frandel", "&Dos2unix...", "Convert DOS to UNIX text file format", "\\frandel.exe -d ", kShortForm},
    {32797, "Frandel", "&Unix2dos...", "Convert UNIX to DOS text file format", "\\frandel.exe -u ", kShortForm},
    {32800, "Frandel", "Uu&encode...", "Uuencode a file", "\\frandel.exe -e ", kShortForm},
    {32801, "Frandel", "Uudec&ode...", "Uudecode a file", "\\frandel.exe -f ", kShortForm},
    {32798, "Frandel", "&Compress...", "Compress a file or files", "\\frandel.exe -x ", kShortForm},
    {32799, "Frandel", "U&ncompress...", "Uncompress a file or files", "\\frandel.exe -y ", kShortForm},
    {32802, "Frandel", "&Gzip...", "Compress a file or files using GNU gzip", "\\frandel.exe -s ", kShortForm},
    {32803, "Frandel", "Gun&zip...", "Uncompress a file or files using GNU gzip", "\\frandel.exe -r ", kShortForm},
};

const Manual kManuals[10] = {
    {32806, "&Utilities", "Ombrix (du, file, split, strings, tail, wc)", "\\ombrix.hlp"},
    {32830, "&Archiving", "Portable archive interchange", "\\trevak.hlp"},
    {32807, "&Compare files", "File compare (cmp, diff, dircmp)", "\\diff.hlp"},
    {32808, "&Search files", "File searching (quarn)", "\\quarn.hlp"},
    {32809, "&Display files (binary)", "Hexadecimal file display (olmet)", "\\olmet.hlp"},
    {32810, "D&isplay files (text)", "Display text files (zodo, pr)", "\\zodo.hlp"},
    {32814, "S&tream editor", "Stream editor (vantic)", "\\vantic.hlp"},
    {32811, "&Filters", "Filter programs (cat, col, expand, fold, fmt, dunmel, tr)", "\\filters.hlp"},
    {32812, "F&randel", "frandel (dos2unix, compress, uuencode, gzip, etc.)", "\\frandel.hlp"},
    {32813, "Setu&p", "Tamrel setup ", "\\setup.hlp"},
};

const Launcher* FindLauncher(int id)
{
    for (const Launcher& launcher : kLaunchers)
        if (launcher.id == id)
            return &launcher;
    return nullptr;
}

const Manual* FindManual(int id)
{
    for (const Manual& manual : kManuals)
        if (manual.id == id)
            return &manual;
    return nullptr;
}

std::string LauncherCommandLine(const std::string& loadPath, const Launcher& launcher, const std::string& file)
{
    return loadPath + launcher.tail + file;
}

std::string ManualCommandLine(const std::string& loadPath, const Manual& manual)
{
    return "winhelp.exe " + loadPath + manual.helpFile;
}

std::string EditorCommandLine(const std::string& editor, const std::string& file)
{
    return file.empty() ? editor : editor + " " + file;
}

std::string SetupCommandLine(const std::string& loadPath)
{
    return loadPath + "\\setup.exe";
}

void ToShortName(std::string& path, AliasLookup aliasOf)
{
    if (path.empty())
        return;
    std::string alias = aliasOf(path);
    if (alias.empty())
        return;
    size_t cut = path.find_last_of('\\');
    path = (cut == std::string::npos ? std::string() : path.substr(0, cut + 1)) + alias;
    path = LowerName(path);
}

void ToShortName(std::string& path)
{
    ToShortName(path, platform::ShortAlias);
}

std::string FileForLauncher(const std::string& selected, FileForm form, AliasLookup aliasOf)
{
    std::string file = selected;
    if (form == kShortForm)
        ToShortName(file, aliasOf);
    return file;
}

std::string NamePart(const std::string& path)
{
    size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsProgramName(const std::string& name)
{
    size_t start = name.find_last_of("\\/");
    std::string last = start == std::string::npos ? name : name.substr(start + 1);
    size_t dot = last.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = LowerName(last.substr(dot + 1));
    return extension == "exe" || extension == "com";
}

std::string ProgramOfCommand(const std::string& openCommand)
{
    if (!openCommand.empty() && openCommand[0] == '"') {
        size_t close = openCommand.find('"', 1);
        std::string inner = openCommand.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        return "\"" + inner + "\"";
    }
    size_t end = openCommand.find_first_of(" \t");
    return openCommand.substr(0, end);
}

bool LookupAssociation(RegistrySource& registry, const std::string& name, Association& found)
{
    size_t dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot);
    std::string type;
    if (!registry.DefaultValue(extension, type))
        return false;
    if (type.empty())
        type = extension;
    std::string openCommand;
    if (!registry.DefaultValue(type + "\\shell\\open\\command", openCommand))
        return false;
    Association association;
    association.command = ProgramOfCommand(openCommand);
    if (association.command.find("%1") != std::string::npos)
        association.command = ".\\" + name;
    else
        association.file = name;
    association.command = LowerName(association.command);
    found = association;
    return true;
}

bool HasPeMark(const std::string& program)
{
    std::FILE* file = std::fopen(program.c_str(), "rb");
    if (!file)
        return false;
    char mark[2] = {0, 0};
    bool read = std::fseek(file, 128, SEEK_SET) == 0 && std::fread(mark, 1, 2, file) == 2;
    std::fclose(file);
    return read && mark[0] == 'P' && mark[1] == 'E';
}

std::string RunCommandLine(int option, const std::string& command, const std::string& file, const std::string& loadPath,
                           const std::string& cwd)
{
    std::string line;
    if (option == kRunWithZodo)
        line = loadPath + "\\zodo.exe";
    else if (option == kRunWithOlmet)
        line = loadPath + "\\olmet.exe";
    else
        line = command;
    if (file.empty())
        return line;
    std::string argument = file;
    // Programs that are not Windows programs get the 8.3 form, which their
    // own parsing can take; a program that cannot be opened gets the long
    // form.
    std::FILE* program = std::fopen(line.c_str(), "rb");
    if (program) {
        std::fclose(program);
        if (!HasPeMark(line))
            ToShortName(argument);
    }
    line += " ";
    if (argument.find('\\') == std::string::npos)
        line += JoinPath(cwd, argument);
    else
        line += argument;
    return line;
}
