// Helpers for the unit tests of every program: a fresh temporary directory,
// a change of current directory undone at the end, a recorder of the tool
// messages, and whole-file reads and writes.
#ifndef TAMREL_UNIT_SUPPORT_H
#define TAMREL_UNIT_SUPPORT_H

#include <string>
#include <vector>

// Between a directory and a name in the paths the helpers build.
#ifdef _WIN32
const char kPathSeparator[] = "\\";
#else
const char kPathSeparator[] = "/";
#endif

// What a line feed written to a text-mode stream becomes.
#ifdef _WIN32
const char kTextLineEnd[] = "\r\n";
#else
const char kTextLineEnd[] = "\n";
#endif

// A new directory under the system's temporary directory, removed with all
// it holds when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Absolute, spelled as the system spells it (long form), no trailing
    // backslash.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + kPathSeparator + name; }

private:
    std::string m_path;
};

// Makes a directory current for the life of the object.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string m_previous;
};

// Catches every ToolMessage while it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<std::string>& messages() const;
    void clear();
};

// The writes throw when the file cannot be made.
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string& bytes);
// The whole file; throws when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Text mode turns "\n" into CR LF on the way out and back on the way in.
void WriteFileText(const std::string& path, const std::string& text);
std::string ReadFileText(const std::string& path);   // throws when it cannot be read
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);
// Throws when the directory cannot be made.
void MakeDirectory(const std::string& path);
// Names of the plain files of directory that match pattern, sorted.
std::vector<std::string> FilesIn(const std::string& directory, const std::string& pattern = "*");
// Empty when the system cannot give it.
std::string CurrentDirectoryName();
std::string Lowered(std::string text);

#endif
