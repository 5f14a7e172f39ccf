// The file system of a POSIX host, for the native builds of the engine.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>

#include "arcfs.h"
#include "arcfs_stream.h"
#include "fileout.h"

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

std::unique_ptr<ArcStream> Wrap(FILE* fp, const std::string& path)
{
    if (!fp)
        return nullptr;
    struct stat s;
    if (fstat(fileno(fp), &s) != 0 || !S_ISREG(s.st_mode)) {
        fclose(fp);
        return nullptr;
    }
    ArcStatus st;
    FromStat(s, &st);
    return MakeFileStream(fp, st, IdOf(s), path);
}

class PosixFs : public ArcFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& path) override
    {
        return Wrap(fopen(path.c_str(), "rb"), path);
    }
    std::unique_ptr<ArcStream> Create(const std::string& path) override
    {
        return Wrap(fopen(path.c_str(), "wb"), path);
    }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& path) override
    {
        return Wrap(fopen(path.c_str(), "r+b"), path);
    }
    bool Stat(const std::string& path, ArcStatus* st) override
    {
        // A link is reported as one, with its target's status when it has one.
        struct stat s;
        if (lstat(path.c_str(), &s) != 0)
            return false;
        bool link = S_ISLNK(s.st_mode);
        if (link) {
            struct stat target;
            if (stat(path.c_str(), &target) == 0)
                s = target;
        }
        FromStat(s, st);
        st->isLink = link;
        return true;
    }
    bool MakeDir(const std::string& path) override { return mkdir(path.c_str(), 0777) == 0; }
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
        DIR* d = opendir(path.c_str());
        if (!d)
            return false;
        while (struct dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            ArcDirEntry entry;
            entry.name = name;
            ArcStatus st;
            if (Stat(path + "/" + name, &st)) {
                entry.isDir = st.isDir;
                entry.isLink = st.isLink;
            }
            out->push_back(entry);
        }
        closedir(d);
        return true;
    }
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        char name[260];
        FILE* fp = CreateReplacement(target.c_str(), name);
        if (!fp)
            return nullptr;
        std::unique_ptr<ArcStream> s = Wrap(fp, name);
        if (!s)
            unlink(name);
        else
            *temp = name;
        return s;
    }
    bool Replace(const std::string& from, const std::string& to) override
    {
        return ReplaceWithFile(from.c_str(), to.c_str());
    }
    bool Remove(const std::string& path) override { return unlink(path.c_str()) == 0; }
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
