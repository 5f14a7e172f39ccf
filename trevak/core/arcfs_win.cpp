// The file system of Windows. Files are read and written through Win32
// handles with a buffer of our own: under Wine every call is a round trip to
// the server, and a handle needs fewer calls per file than the C runtime's
// streams. Directory status comes from the C runtime; searches, links,
// one-step replacement and identity from Win32.
#include <windows.h>
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/utime.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "arcfs.h"
#include "fileout.h"
#include "message.h"

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

// Reads refill 64 KB: a listing reads one header after every step over a
// member's data, and a larger refill would read data only to drop it.
// A stream that has written 1 MB (an archive, not one of thousands of
// small extracted files, for which a large block would cost more to get
// than it saves) gathers its writes in 1 MB, so that the headers and small
// files of an archive go to the disk in few calls.
const DWORD kReadBuffer = 1 << 16;
const DWORD kWriteBuffer = 1 << 20;
const DWORD kJumpRead = 1 << 12;

// A file through its handle. What the engine asks of every file (its
// size) is read at the open; its status and identity only when asked for,
// as a file being extracted never needs them.
class HandleStream : public ArcStream {
public:
    HandleStream(HANDLE h, long long size, const std::string& path) : h_(h), path_(path), buf_(kReadBuffer), size_(size)
    {
    }
    // A stream left open (a caller stopped by an exception) still hands its
    // buffered bytes to the file, and says so when the file refused them:
    // no archive is ever cut short in silence.
    ~HandleStream() override
    {
        if (h_ != INVALID_HANDLE_VALUE && !Close())
            ToolMessage(("cant write " + path_).c_str());
    }
    size_t Read(void* out, size_t n) override
    {
        if (!Flush())
            return 0;
        char* dst = static_cast<char*>(out);
        size_t done = 0;
        while (done < n) {
            if (pos_ >= readStart_ && pos_ < readStart_ + static_cast<long long>(readLen_)) {
                size_t at = static_cast<size_t>(pos_ - readStart_);
                size_t take = readLen_ - at < n - done ? readLen_ - at : n - done;
                memcpy(dst + done, buf_.data() + at, take);
                done += take;
                pos_ += static_cast<long long>(take);
                continue;
            }
            // Large reads go straight to the caller's memory. A read that
            // does not go on where the last one ended (a listing's next
            // header, after a step over a member's data) refills 4 KB only.
            bool direct = n - done >= kReadBuffer;
            DWORD refill = pos_ == lastReadEnd_ ? kReadBuffer : kJumpRead;
            DWORD want = direct ? static_cast<DWORD>(n - done < 0x40000000 ? n - done : 0x40000000) : refill;
            DWORD got = 0;
            if (!MoveTo(pos_) || !ReadFile(h_, direct ? dst + done : buf_.data(), want, &got, nullptr) || got == 0)
                break;
            lastReadEnd_ = pos_ + got;
            if (direct) {
                done += got;
                pos_ += got;
                readLen_ = 0;
            } else {
                readStart_ = pos_;
                readLen_ = got;
            }
        }
        return done;
    }
    bool Write(const void* data, size_t n) override
    {
        readLen_ = 0;
        if (writeLen_ && pos_ != writeStart_ + static_cast<long long>(writeLen_) && !Flush())
            return false;
        const char* src = static_cast<const char*>(data);
        if (writeLen_ == 0)
            writeStart_ = pos_;
        if (n >= buf_.size() - writeLen_) {
            if (!Flush())
                return false;
            writeStart_ = pos_;
            if (buf_.size() < kWriteBuffer && written_ >= kWriteBuffer)
                buf_.resize(kWriteBuffer);
            if (n >= buf_.size()) {
                if (!WriteAll(pos_, src, n))
                    return false;
                Advance(n);
                return true;
            }
        }
        memcpy(buf_.data() + writeLen_, src, n);
        writeLen_ += n;
        Advance(n);
        return true;
    }
    bool Skip(long long n) override
    {
        if (n < 0 || n > size_ - pos_)
            return false;
        pos_ += n;
        return true;
    }
    bool Seek(long long pos) override
    {
        if (pos < 0 || !Flush())
            return false;
        pos_ = pos;
        return true;
    }
    long long Tell() const override { return pos_; }
    bool Truncate(long long size) override
    {
        if (size < 0 || !Flush() || !MoveTo(size) || !SetEndOfFile(h_))
            return false;
        readLen_ = 0;
        size_ = size;
        if (pos_ > size)
            pos_ = size;
        return true;
    }
    bool Close() override
    {
        if (h_ == INVALID_HANDLE_VALUE)
            return false;
        bool ok = Flush() && !failed_;
        if (!CloseHandle(h_))
            ok = false;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }
    bool Status(ArcStatus* st) const override
    {
        if (!statusRead_) {
            FILE_BASIC_INFO basic;
            unsigned long long index = 0;
            if (!GetFileInformationByHandleEx(h_, FileBasicInfo, &basic, sizeof basic))
                return false;
            if (!IndexOf(h_, &index))
                index = Identity().index;
            FILETIME written;
            written.dwLowDateTime = static_cast<DWORD>(basic.LastWriteTime.QuadPart);
            written.dwHighDateTime = static_cast<DWORD>(basic.LastWriteTime.QuadPart >> 32);
            status_ = StatusOf(basic.FileAttributes, size_, written, index, path_);
            statusRead_ = true;
        }
        *st = status_;
        return true;
    }
    ArcFileId Identity() const override
    {
        if (!id_.valid)
            id_ = IdOf(h_);
        return id_;
    }
    bool SameFile(const ArcFileId& other) const override
    {
        unsigned long long index;
        if (!id_.valid && other.valid && IndexOf(h_, &index) && index != other.index)
            return false;
        return Identity() == other;
    }

private:
    bool MoveTo(long long pos)
    {
        LARGE_INTEGER li;
        li.QuadPart = pos;
        return SetFilePointerEx(h_, li, nullptr, FILE_BEGIN) != 0;
    }
    bool WriteAll(long long at, const char* src, size_t n)
    {
        if (!MoveTo(at)) {
            failed_ = true;
            return false;
        }
        while (n > 0) {
            DWORD chunk = n < 0x40000000 ? static_cast<DWORD>(n) : 0x40000000;
            DWORD put = 0;
            if (!WriteFile(h_, src, chunk, &put, nullptr) || put != chunk) {
                failed_ = true;
                return false;
            }
            src += put;
            n -= put;
        }
        return true;
    }
    // Writes what the buffer holds; false (for good) when the disk refused.
    bool Flush()
    {
        if (writeLen_ == 0)
            return !failed_;
        size_t n = writeLen_;
        writeLen_ = 0;
        return WriteAll(writeStart_, buf_.data(), n);
    }
    void Advance(size_t n)
    {
        written_ += static_cast<long long>(n);
        pos_ += static_cast<long long>(n);
        if (pos_ > size_)
            size_ = pos_;
    }

    HANDLE h_;
    std::string path_;
    mutable ArcStatus status_;
    mutable bool statusRead_ = false;
    mutable ArcFileId id_;
    std::vector<char> buf_;
    long long size_ = 0;
    long long pos_ = 0;
    long long readStart_ = 0;
    size_t readLen_ = 0;
    long long writeStart_ = 0;
    size_t writeLen_ = 0;
    long long written_ = 0;       // bytes written through the stream
    long long lastReadEnd_ = 0;   // where the last read from the file ended
    bool failed_ = false;
};

// A stream over a handle to a regular file, or null (the handle closed).
// A file just made empty is known to be no directory and to hold nothing;
// any other is asked.
std::unique_ptr<ArcStream> StreamOf(HANDLE h, const std::string& path, bool emptied)
{
    FILE_STANDARD_INFO standard = {};
    if (GetFileType(h) != FILE_TYPE_DISK ||
        (!emptied &&
         (!GetFileInformationByHandleEx(h, FileStandardInfo, &standard, sizeof standard) || standard.Directory))) {
        CloseHandle(h);
        return nullptr;
    }
    return std::unique_ptr<ArcStream>(new HandleStream(h, standard.EndOfFile.QuadPart, path));
}

std::unique_ptr<ArcStream> OpenHandle(const std::string& path, DWORD access, DWORD disposition)
{
    HANDLE h = CreateFileA(path.c_str(),
                           access,
                           FILE_SHARE_READ | (access == GENERIC_READ ? FILE_SHARE_WRITE : 0),
                           nullptr,
                           disposition,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    return StreamOf(h, path, disposition == CREATE_ALWAYS);
}

class WinFs : public ArcFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& path) override
    {
        return OpenHandle(path, GENERIC_READ, OPEN_EXISTING);
    }
    std::unique_ptr<ArcStream> Create(const std::string& path) override
    {
        return OpenHandle(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& path) override
    {
        return OpenHandle(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    }
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
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        char name[260];
        FILE* fp = CreateReplacement(target.c_str(), name);
        if (!fp)
            return nullptr;
        // The file is written through a handle of its own, like every other;
        // the runtime's stream has written nothing, so closing it loses nothing.
        HANDLE h = INVALID_HANDLE_VALUE;
        HANDLE self = GetCurrentProcess();
        HANDLE runtime = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fp)));
        bool duplicated = DuplicateHandle(self, runtime, self, &h, 0, FALSE, DUPLICATE_SAME_ACCESS) != 0;
        bool closed = CloseStream(fp);
        std::unique_ptr<ArcStream> s;
        if (duplicated && closed)
            s = StreamOf(h, name, true);
        else if (duplicated)
            CloseHandle(h);
        if (!s)
            DeleteFileA(name);
        else
            *temp = name;
        return s;
    }
    bool Replace(const std::string& from, const std::string& to) override
    {
        return ReplaceWithFile(from.c_str(), to.c_str());
    }
    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
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
