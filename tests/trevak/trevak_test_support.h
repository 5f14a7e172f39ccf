// Helpers of trevak's engine tests: a scripted user, a scratch directory,
// and archives built member by member.
#ifndef TREVAK_TEST_SUPPORT_H
#define TREVAK_TEST_SUPPORT_H

#include <deque>
#include <string>
#include <vector>

#include "arcformat.h"
#include "arcfs.h"
#include "arcui.h"

// Records what the engine says and answers from queues (Yes and "." when
// they run dry).
class ScriptedUi : public ArcUi {
public:
    void Message(const std::string& text) override { messages.push_back(text); }
    Answer AskYesNoCancel(const std::string& text) override;
    bool AskRename(const std::string& from, std::string* to) override;
    void Progress(const std::string& name) override { progress.push_back(name); }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> progress;
    std::deque<Answer> answers;
    std::deque<std::string> renames;   // "\x18" cancels the Rename dialog
};

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& path() const { return path_; }
    std::string At(const std::string& rel) const { return path_ + "/" + rel; }
    void Write(const std::string& rel, const std::string& bytes) const;   // makes parents
    void MakeDir(const std::string& rel) const;
    std::string Read(const std::string& rel) const;
    bool Exists(const std::string& rel) const;
    // Every file and directory below, relative and with '/' (directories end
    // in '/'), sorted.
    std::vector<std::string> Tree() const;

private:
    std::string path_;
};

struct TestMember {
    std::string name;
    std::string data;
    char typeflag = '0';   // tar; '5' makes a directory
    unsigned mode = 0644;
    long long mtime = 1000000000;
};

// A tar archive of the members (headers from FormatTarHeader, the type flag
// and checksum set afterwards when the member asks for another flag), ended
// by two zero blocks unless noEnd.
std::string BuildTar(const std::vector<TestMember>& members, int type, bool noEnd = false);
// A cpio archive; mode holds the whole mode (type bits included).
std::string BuildCpio(const std::vector<TestMember>& members, bool noTrailer = false);
// Writes the header's checksum field again after a test changed the block.
void FixTarChecksum(unsigned char* block);

std::string ReadWholeFile(const std::string& path);

// The names of an archive's members, in its order; the test fails when the
// archive does not list to its end.
std::vector<std::string> MemberNames(const std::string& archive, int type);

#endif
