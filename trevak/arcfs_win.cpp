// The file system of Windows: the C runtime for files and status, Win32 for
// directory searches, links, one-step replacement and file identity.
#include <windows.h>
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/utime.h>

#include <cstdio>

#include "arcfs.h"
#include "arcfs_stream.h"

namespace {

void FromStat(const struct _stat64& s, ArcStatus* st)
{
    st->mode = static_cast<unsigned>(s.st_mode) & 0177777u;
    st->nlink = s.st_nlink;
    st->uid = s.st_uid;
    st->gid = s.st_gid;
    st->size = static_cast<long long>(s.st_size);
    st->mtime = static_cast<long long>(s.st_mtime);
    st->dev = static_cast<unsigned>(s.st_dev);
    st->ino = static_cast<unsigned>(s.st_ino);
    st->rdev = static_cast<unsigned>(s.st_rdev);
    st->isDir = (s.st_mode & _S_IFMT) == _S_IFDIR;
}

ArcFileId IdOf(HANDLE h)
{
    ArcFileId id;
    BY_HANDLE_FILE_INFORMATION info;
    if (h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info)) {
        id.volume = info.dwVolumeSerialNumber;
        id.index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        id.valid = true;
    }
    return id;
}

}  // namespace

std::unique_ptr<ArcStream> WrapFile(FILE* fp)
{
    if (!fp)
        return nullptr;
    struct _stat64 s;
    if (_fstat64(_fileno(fp), &s) != 0 || (s.st_mode & _S_IFMT) != _S_IFREG) {
        fclose(fp);
        return nullptr;
    }
    ArcStatus st;
    FromStat(s, &st);
    return MakeFileStream(fp, st, IdOf(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fp)))));
}

namespace {

class WinFs : public StdioFs {
public:
    bool Stat(const std::string& path, ArcStatus* st) override
    {
        DWORD attr = GetFileAttributesA(path.c_str());
        if (attr == INVALID_FILE_ATTRIBUTES)
            return false;
        struct _stat64 s;
        if (_stat64(path.c_str(), &s) != 0) {
            // A dangling reparse point has attributes but no status.
            if (!(attr & FILE_ATTRIBUTE_REPARSE_POINT))
                return false;
            *st = ArcStatus();
        } else {
            FromStat(s, st);
        }
        st->isDir = (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
        st->isLink = (attr & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        return true;
    }
    bool MakeDir(const std::string& path) override { return _mkdir(path.c_str()) == 0; }
    bool SetTimes(const std::string& path, long long mtime) override
    {
        struct __utimbuf64 t;
        t.actime = t.modtime = static_cast<__time64_t>(mtime);
        return _utime64(path.c_str(), &t) == 0;
    }
    bool MakeReadOnly(const std::string& path) override { return _chmod(path.c_str(), _S_IREAD) == 0; }
    bool ListDir(const std::string& path, std::vector<ArcDirEntry>* out) override
    {
        out->clear();
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_FILE_NOT_FOUND;
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            ArcDirEntry entry;
            entry.name = name;
            entry.isDir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entry.isLink = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            out->push_back(entry);
        } while (FindNextFileA(h, &fd));
        bool ok = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(h);
        return ok;
    }
    bool Replace(const std::string& from, const std::string& to) override
    {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    }
    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
    ArcFileId Identity(const std::string& path) override
    {
        HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return ArcFileId();
        ArcFileId id = IdOf(h);
        CloseHandle(h);
        return id;
    }
};

}  // namespace

ArcFs& SystemFs()
{
    static WinFs fs;
    return fs;
}
