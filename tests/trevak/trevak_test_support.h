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

// The system's file system with every call passed on: a test's fake derives
// from it and overrides only the calls it makes fail. It keeps no state, so
// threads may call it at once.
class ForwardingFs : public ArcFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& p) override { return base_.OpenRead(p); }
    std::unique_ptr<ArcStream> Create(const std::string& p) override { return base_.Create(p); }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& p) override { return base_.OpenUpdate(p); }
    bool Stat(const std::string& p, ArcStatus* st) override { return base_.Stat(p, st); }
    bool MakeDir(const std::string& p) override { return base_.MakeDir(p); }
    bool RemoveDir(const std::string& p) override { return base_.RemoveDir(p); }
    bool SetTimes(const std::string& p, long long t) override { return base_.SetTimes(p, t); }
    bool MakeReadOnly(const std::string& p) override { return base_.MakeReadOnly(p); }
    bool ListDir(const std::string& p, std::vector<ArcDirEntry>* out) override { return base_.ListDir(p, out); }
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        return base_.CreateBeside(target, temp);
    }
    bool Replace(const std::string& a, const std::string& b) override { return base_.Replace(a, b); }
    bool Remove(const std::string& p) override { return base_.Remove(p); }
    ArcFileId Identity(const std::string& p) override { return base_.Identity(p); }

protected:
    ArcFs& base_ = SystemFs();
};

// A stream with every call passed on to another, for a fake that makes some
// of them fail.
class ForwardingStream : public ArcStream {
public:
    explicit ForwardingStream(std::unique_ptr<ArcStream> s) : s_(std::move(s)) {}
    size_t Read(void* b, size_t n) override { return s_->Read(b, n); }
    bool Write(const void* b, size_t n) override { return s_->Write(b, n); }
    bool Skip(long long n) override { return s_->Skip(n); }
    bool Seek(long long p) override { return s_->Seek(p); }
    long long Tell() const override { return s_->Tell(); }
    bool Truncate(long long size) override { return s_->Truncate(size); }
    bool Close() override { return s_->Close(); }
    bool Status(ArcStatus* st) const override { return s_->Status(st); }
    ArcFileId Identity() const override { return s_->Identity(); }
    bool SameFile(const ArcFileId& other) const override { return s_->SameFile(other); }

protected:
    std::unique_ptr<ArcStream> s_;
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
