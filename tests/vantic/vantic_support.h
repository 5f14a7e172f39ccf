// Fixtures for vantic's tests: a scratch directory made current, a recorder
// of the tool messages, and whole-file reads and writes in either mode.
#ifndef VANTIC_TEST_SUPPORT_H
#define VANTIC_TEST_SUPPORT_H

#include <string>
#include <vector>

// A fresh directory under the Windows temporary directory, current while the
// object lives, removed with what it holds afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "\\" + name; }
    // Names of the plain files in it, sorted.
    std::vector<std::string> files() const;

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
    void clear();
};

// Text mode turns "\n" into CR LF on the way out and back on the way in.
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

// "\n" line ends as CR LF, as the script field gives them.
std::string WithCrLf(const std::string& text);

#endif
