// The file system of a POSIX host, for the native builds of the engine:
// the shared seam, with the status a member records (mode, owner, links,
// inode) read from the system here.
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "arcfs.h"
#include "arcfs_stream.h"
#include "fileout.h"
#include "filesys.h"

namespace {

void FromStat(const struct stat& s, ArcStatus* st)
{
    st->mode = static_cast<unsigned>(s.st_mode) & 0177777u;
    st->nlink = static_cast<int>(s.st_nlink);
    st->uid = static_cast<int>(s.st_uid);
    st->gid = static_cast<int>(s.st_gid);
    st->size = static_cast<long long>(s.st_size);
    st->mtime = static_cast<long long>(s.st_mtime);
    st->dev = static_cast<unsigned>(s.st_dev);
    st->ino = static_cast<unsigned>(s.st_ino);
    st->rdev = static_cast<unsigned>(s.st_rdev);
    st->isDir = S_ISDIR(s.st_mode);
    st->isLink = S_ISLNK(s.st_mode);
}

ArcFileId IdOf(const struct stat& s)
{
    ArcFileId id;
    id.volume = static_cast<unsigned long long>(s.st_dev);
    id.index = static_cast<unsigned long long>(s.st_ino);
    id.valid = true;
    return id;
}

// The status and identity of the file as it was opened.
class PosixStream : public FileStream {
public:
    PosixStream(filesys::File file, const struct stat& s, const std::string& path)
        : FileStream(std::move(file), static_cast<long long>(s.st_size), path), id_(IdOf(s))
    {
        FromStat(s, &status_);
    }
    bool Status(ArcStatus* st) const override
    {
        *st = status_;
        return true;
    }
    ArcFileId Identity() const override { return id_; }

private:
    ArcStatus status_;
    ArcFileId id_;
};

std::unique_ptr<ArcStream> Wrap(filesys::File file, const std::string& path)
{
    struct stat s;
    if (fstat(file.NativeDescriptor(), &s) != 0)
        return nullptr;
    return std::unique_ptr<ArcStream>(new PosixStream(std::move(file), s, path));
}

std::unique_ptr<ArcStream> Open(const std::string& path, filesys::Mode mode)
{
    filesys::File file;
    if (!file.Open(path, mode))
        return nullptr;
    return Wrap(std::move(file), path);
}

class PosixFs : public SeamFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& path) override { return Open(path, filesys::Mode::kRead); }
    std::unique_ptr<ArcStream> Create(const std::string& path) override { return Open(path, filesys::Mode::kCreate); }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& path) override
    {
        return Open(path, filesys::Mode::kUpdate);
    }
    bool Stat(const std::string& path, ArcStatus* st) override
    {
        // A link is reported as one, with its target's status when it has one.
        filesys::Status found;
        if (!filesys::Stat(path, &found))
            return false;
        struct stat s;
        if (!(found.link && stat(path.c_str(), &s) == 0) && lstat(path.c_str(), &s) != 0)
            return false;
        FromStat(s, st);
        st->isLink = found.link;
        return true;
    }
    bool MakeDir(const std::string& path) override { return mkdir(path.c_str(), 0777) == 0; }
    bool RemoveDir(const std::string& path) override { return rmdir(path.c_str()) == 0; }
    bool SetTimes(const std::string& path, long long mtime) override
    {
        struct timeval tv[2];
        tv[0].tv_sec = tv[1].tv_sec = static_cast<time_t>(mtime);
        tv[0].tv_usec = tv[1].tv_usec = 0;
        return utimes(path.c_str(), tv) == 0;
    }
    bool MakeReadOnly(const std::string& path) override
    {
        struct stat s;
        if (stat(path.c_str(), &s) != 0)
            return false;
        return chmod(path.c_str(), s.st_mode & ~static_cast<mode_t>(0222)) == 0;
    }
    bool ListDir(const std::string& path, std::vector<ArcDirEntry>* out) override
    {
        out->clear();
        std::vector<filesys::Entry> entries;
        if (!filesys::ListDir(path, &entries))
            return false;
        for (const filesys::Entry& e : entries) {
            ArcDirEntry entry;
            entry.name = e.name;
            entry.isLink = e.link;
            entry.isDir = e.directory;
            // A link to a directory counts as a directory, as it does on
            // Windows: it is neither archived as a file nor descended into.
            struct stat target;
            if (e.link && stat((path + "/" + e.name).c_str(), &target) == 0)
                entry.isDir = S_ISDIR(target.st_mode);
            out->push_back(entry);
        }
        return true;
    }
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        char name[260];
        FILE* fp = CreateReplacement(target.c_str(), name);
        if (!fp)
            return nullptr;
        // The file made is opened again through the seam; it must still be
        // the one made, else nothing is written to it, and it is not ours
        // to remove.
        struct stat made;
        bool known = fstat(fileno(fp), &made) == 0;
        bool closed = CloseStream(fp);
        filesys::File file;
        std::unique_ptr<ArcStream> s;
        bool ours = known;
        if (known && closed && file.Open(name, filesys::Mode::kUpdate)) {
            s = Wrap(std::move(file), name);
            ours = s && s->Identity() == IdOf(made);
            if (!ours)
                s.reset();
        }
        if (s)
            *temp = name;
        else if (ours || !known)
            filesys::Remove(name);
        return s;
    }
    ArcFileId Identity(const std::string& path) override
    {
        struct stat s;
        if (stat(path.c_str(), &s) != 0)
            return ArcFileId();
        return IdOf(s);
    }
};

}   // namespace

ArcFs& SystemFs()
{
    static PosixFs fs;
    return fs;
}
