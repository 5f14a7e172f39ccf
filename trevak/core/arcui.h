// How the engine speaks to its user: the program answers with message
// boxes and dialogs, the tests and the fuzzer with scripted answers.
#ifndef TREVAK_ARCUI_H
#define TREVAK_ARCUI_H

#include <string>

class ArcUi {
public:
    enum Answer { kYes, kNo, kCancel };
    virtual ~ArcUi() {}
    virtual void Message(const std::string& text) = 0;
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    // The new name for a member; false when the user cancelled.
    virtual bool AskRename(const std::string& from, std::string* to) = 0;
    // The name of the file being read from or written to the archive.
    virtual void Progress(const std::string& name) = 0;
};

#endif
