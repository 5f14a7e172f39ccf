// Helpers of pellumar's core tests, portable so that the tests run natively
// and under Wine: a scratch directory, a current directory kept for a while,
// whole-file reads and writes, and a user interface that records.
#ifndef PELLUMAR_TEST_SCRATCH_H
#define PELLUMAR_TEST_SCRATCH_H

#include <string>
#include <vector>

#include "filecopy.h"
#include "launch.h"

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const;

private:
    std::string m_path;
};

class CurrentDirectoryGuard {
public:
    explicit CurrentDirectoryGuard(const std::string& path);
    ~CurrentDirectoryGuard();
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    std::string m_previous;
};

void WriteBytes(const std::string& path, const std::string& bytes);   // throws on failure
bool ReadBytes(const std::string& path, std::string& bytes);
void MakeDir(const std::string& path);   // throws on failure
// The names in directory, sorted (no "." or "..").
std::vector<std::string> NamesIn(const std::string& directory);

class RecordingUi : public FileCommandUi {
public:
    void Message(const std::string& text) override { messages.push_back(text); }
    Answer Ask(const std::string& prompt) override
    {
        prompts.push_back(prompt);
        if (answers.empty())
            return kAnswerYes;
        Answer next = answers.front();
        answers.erase(answers.begin());
        return next;
    }
    std::vector<std::string> messages;
    std::vector<std::string> prompts;
    std::vector<Answer> answers;   // given in turn; Yes when they run out
};

// One expected outcome of the association lookup for a file name.
struct AssociationCase {
    const char* name;
    bool found;
    const char* command;
    const char* file;
};

// Looks each name up in registry and checks the outcome.
void ExpectAssociations(RegistrySource& registry, const std::vector<AssociationCase>& cases);

#endif
