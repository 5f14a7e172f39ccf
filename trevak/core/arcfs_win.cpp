// The file system of Windows: the shared seam, whose files are Win32
// handles read and written through a buffer of our own (under Wine every
// call is a round trip to the server). The status a member records (mode,
// links, execute bits) comes from the C runtime's translation; a file's
// identity from Win32 through its handle.
#include <windows.h>
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/utime.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "arcfs.h"
#include "arcfs_stream.h"
#include "fileout.h"
#include "filesys.h"

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

// Seconds since 1970 of a file time.
long long UnixTime(const FILETIME& ft)
{
    unsigned long long t = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(t / 10000000ULL) - 11644473600LL;
}

bool EndsWithNoCase(const std::string& s, const char* tail)
{
    size_t n = strlen(tail);
    return s.size() >= n && _stricmp(s.c_str() + s.size() - n, tail) == 0;
}

// The status the C runtime would give a regular file: read and write
// permission unless read-only, execute for the runnable extensions.
ArcStatus StatusOf(DWORD attributes, long long size, const FILETIME& written, unsigned long long index,
                   const std::string& path)
{
    ArcStatus st;
    st.mode = 0100444u;
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        st.mode |= 0222u;
    for (const char* ext : {".exe", ".com", ".bat", ".cmd"}) {
        if (EndsWithNoCase(path, ext))
            st.mode |= 0111u;
    }
    st.size = size;
    st.mtime = UnixTime(written);
    st.nlink = 1;
    st.ino = static_cast<unsigned>(index) & 0777777u;
    st.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return st;
}

// The file's index on its volume, without the volume: the serial number
// costs a query of the volume, which under Wine takes several times as long
// as opening the file, so it is asked for only when an index matches.
bool IndexOf(HANDLE h, unsigned long long* index)
{
    struct IoStatus {
        union {
            LONG status;
            void* pointer;
        };
        ULONG_PTR information;
    };
    typedef LONG(WINAPI * QueryFile)(HANDLE, IoStatus*, void*, ULONG, int);
    // Through the generic function type, as the loader hands out any entry.
    static const QueryFile query = reinterpret_cast<QueryFile>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    const int kFileInternalInformation = 6;
    IoStatus io;
    LARGE_INTEGER number;
    if (!query || query(h, &io, &number, sizeof number, kFileInternalInformation) < 0)
        return false;
    *index = static_cast<unsigned long long>(number.QuadPart);
    return true;
}

// A file through its handle. What the engine asks of every file (its
// size) is read at the open; its status and identity only when asked for,
// as a file being extracted never needs them.
class HandleStream : public FileStream {
public:
    HandleStream(filesys::File file, long long size, const std::string& path) : FileStream(std::move(file), size, path)
    {
    }
    bool Status(ArcStatus* st) const override
    {
        if (!statusRead_) {
            FILE_BASIC_INFO basic;
            unsigned long long index = 0;
            if (!GetFileInformationByHandleEx(Handle(), FileBasicInfo, &basic, sizeof basic))
                return false;
            if (!IndexOf(Handle(), &index))
                index = Identity().index;
            FILETIME written;
            written.dwLowDateTime = static_cast<DWORD>(basic.LastWriteTime.QuadPart);
            written.dwHighDateTime = static_cast<DWORD>(basic.LastWriteTime.QuadPart >> 32);
            status_ = StatusOf(basic.FileAttributes, Size(), written, index, Path());
            statusRead_ = true;
        }
        *st = status_;
        return true;
    }
    ArcFileId Identity() const override
    {
        if (!id_.valid)
            id_ = IdOf(Handle());
        return id_;
    }
    bool SameFile(const ArcFileId& other) const override
    {
        unsigned long long index;
        if (!id_.valid && other.valid && IndexOf(Handle(), &index) && index != other.index)
            return false;
        return Identity() == other;
    }

private:
    HANDLE Handle() const { return static_cast<HANDLE>(File().NativeHandle()); }

    mutable ArcStatus status_;
    mutable bool statusRead_ = false;
    mutable ArcFileId id_;
};

// A stream over a file the seam opened. A file just made empty is known to
// hold nothing; any other is asked its length.
std::unique_ptr<ArcStream> StreamOf(filesys::File file, const std::string& path, bool emptied)
{
    FILE_STANDARD_INFO standard = {};
    if (!emptied && !GetFileInformationByHandleEx(
                        static_cast<HANDLE>(file.NativeHandle()), FileStandardInfo, &standard, sizeof standard))
        return nullptr;
    return std::unique_ptr<ArcStream>(new HandleStream(std::move(file), standard.EndOfFile.QuadPart, path));
}

std::unique_ptr<ArcStream> OpenFile(const std::string& path, filesys::Mode mode)
{
    filesys::File file;
    if (!file.Open(path, mode))
        return nullptr;
    return StreamOf(std::move(file), path, mode == filesys::Mode::kCreate);
}

class WinFs : public SeamFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& path) override
    {
        return OpenFile(path, filesys::Mode::kRead);
    }
    std::unique_ptr<ArcStream> Create(const std::string& path) override
    {
        return OpenFile(path, filesys::Mode::kCreate);
    }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& path) override
    {
        return OpenFile(path, filesys::Mode::kUpdate);
    }
    bool Stat(const std::string& path, ArcStatus* st) override
    {
        filesys::Status found;
        if (!filesys::Stat(path, &found))
            return false;
        struct _stat64 s;
        if (_stat64(path.c_str(), &s) != 0) {
            // A dangling reparse point has attributes but no status.
            if (!found.link)
                return false;
            *st = ArcStatus();
        } else {
            FromStat(s, st);
        }
        st->isDir = found.directory;
        st->isLink = found.link;
        return true;
    }
    bool MakeDir(const std::string& path) override { return _mkdir(path.c_str()) == 0; }
    bool RemoveDir(const std::string& path) override { return _rmdir(path.c_str()) == 0; }
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
        // Names are joined to their directory with a slash, so a drive
        // alone ("c:") is its root here, not its current directory.
        std::vector<filesys::Entry> entries;
        if (!filesys::ListDir(!path.empty() && path.back() == ':' ? path + "\\" : path, &entries))
            return false;
        for (const filesys::Entry& e : entries) {
            ArcDirEntry entry;
            entry.name = e.name;
            entry.isDir = e.directory;
            entry.isLink = e.link;
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
        // to remove. The runtime's stream has written nothing, so closing it
        // loses nothing. Its index on the volume is enough to know it again
        // in the same directory, and cheaper to ask than its whole identity.
        HANDLE runtime = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fp)));
        unsigned long long index = 0;
        ArcFileId id;
        bool byIndex = IndexOf(runtime, &index);
        if (!byIndex)
            id = IdOf(runtime);
        bool known = byIndex || id.valid;
        bool closed = CloseStream(fp);
        filesys::File file;
        std::unique_ptr<ArcStream> s;
        bool ours = known;
        if (known && closed && file.Open(name, filesys::Mode::kUpdate)) {
            HANDLE reopened = static_cast<HANDLE>(file.NativeHandle());
            unsigned long long now = 0;
            ours = byIndex ? IndexOf(reopened, &now) && now == index : IdOf(reopened) == id;
            if (ours)
                s = StreamOf(std::move(file), name, true);
        }
        if (s)
            *temp = name;
        else if (ours || !known)
            filesys::Remove(name);
        return s;
    }
    ArcFileId Identity(const std::string& path) override
    {
        HANDLE h = CreateFileA(path.c_str(),
                               0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr,
                               OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return ArcFileId();
        ArcFileId id = IdOf(h);
        CloseHandle(h);
        return id;
    }
};

}   // namespace

ArcFs& SystemFs()
{
    static WinFs fs;
    return fs;
}
