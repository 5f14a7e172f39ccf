// Small helpers for diff's unit tests: a fresh temporary directory made
// current for the test, a recorder of tool messages, whole-file writes.
#ifndef DIFF_TEST_SUPPORT_H
#define DIFF_TEST_SUPPORT_H

#include <string>
#include <vector>

// A new directory under the Windows temporary directory, removed with all it
// holds when the object goes. The current directory is restored too.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }   // absolute, no trailing backslash
    std::string file(const std::string& name) const { return m_path + "\\" + name; }
    void enter() const;                                    // make it the current directory

private:
    std::string m_path;
    std::string m_previous;
};

// Catches every ToolMessage while it lives.
class Messages {
public:
    Messages();
    ~Messages();
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;
    const std::vector<std::string>& all() const;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
void MakeDirectory(const std::string& path);
std::string CurrentDirectoryName();
std::string Lower(std::string text);

#endif
