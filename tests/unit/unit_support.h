// Helpers for the tool-library unit tests: a fresh temporary directory, a
// change of current directory undone at the end, a recorder of the tool
// messages, and whole-file reads and writes.
#ifndef TAMREL_UNIT_SUPPORT_H
#define TAMREL_UNIT_SUPPORT_H

#include <string>
#include <vector>

// A new directory under the Windows temporary directory, removed with all
// it holds when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }   // no trailing backslash
    std::string file(const std::string& name) const { return m_path + "\\" + name; }

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

void WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string& bytes);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

#endif
