// The shell's file copy and delete without windows: a From text of words
// with wildcards expanded to names (each word keeps its directory part), the
// copy of one file, of a list, of a directory's plain files, and in place;
// and the delete of a list with its prompts.
#ifndef PELLUMAR_FILECOPY_H
#define PELLUMAR_FILECOPY_H

#include <cstdio>
#include <string>
#include <vector>

const size_t kMaxNames = 1024;

enum Answer { kAnswerYes, kAnswerNo, kAnswerCancel };

// How the file commands speak to the user: the program shows message boxes,
// the tests record.
class FileCommandUi {
public:
    virtual ~FileCommandUi() {}
    virtual void Message(const std::string& text) = 0;
    // A Yes/No/Cancel question.
    virtual Answer Ask(const std::string& prompt) = 0;
};

// The names that spec's blank-separated words match: plain files only, as
// the system spells them, sorted (letter case ignored) within their word,
// words in their order, at most 1024. A word with a directory part
// ("d:\x\*.txt") gives its names with that directory ahead of them, so they
// are never taken for same-named files of the current directory. False, after the message, when nothing
// matches.
bool ExpandNameList(const std::string& spec, std::vector<std::string>& names, FileCommandUi& ui);

// One Copy command. The texts are the From and To of the dialog; every
// failure is told through ui. The target is written through the tool
// library's checked writes (fileout.h), where tests arm their faults.
class CopyEngine {
public:
    explicit CopyEngine(FileCommandUi& ui) : m_ui(ui) {}

    void CopyFiles(const std::string& source, const std::string& destination);
    void CopyFileList(const std::string& source);
    void CopyDirectoryFiles(const std::string& directory);
    void CopyOneFile(const std::string& path);

private:
    std::string TargetFor(const std::string& path) const;

    FileCommandUi& m_ui;
    std::string m_copySource;
    std::string m_copyDestination;
    bool m_sourceIsDirectory = false;
    bool m_destinationIsDirectory = false;
    bool m_copyInPlace = false;
};

// The whole Copy command with the plain writes.
void CopyFiles(const std::string& source, const std::string& destination, FileCommandUi& ui);

// Deletes the files that spec names, asking "delete file: name" first when
// confirm is set. False when the listing should not be refreshed: nothing
// matched, or the user chose Cancel.
bool DeleteNamedFiles(const std::string& spec, bool confirm, FileCommandUi& ui);

#endif
