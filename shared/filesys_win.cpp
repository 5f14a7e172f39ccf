// The file system on Windows: Win32 calls, ANSI paths, files through
// handles.
#include "filesys.h"

#include <windows.h>

#include <utility>

namespace filesys {

namespace {

thread_local Error s_error = Error::kNone;

// The largest piece one ReadFile or WriteFile is given.
const DWORD kPiece = 0x40000000;

// Records why the call that just failed did (error, else the system's last
// error); false, for the caller to return. The last error is left as it was.
bool Failed(DWORD error = GetLastError())
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
        s_error = Error::kMissing;
        break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_DIR_NOT_EMPTY:
        s_error = Error::kExists;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        s_error = Error::kDenied;
        break;
    default:
        s_error = Error::kOther;
        break;
    }
    SetLastError(error);
    return false;
}

bool Succeeded()
{
    s_error = Error::kNone;
    return true;
}

int64_t UnixSeconds(const FILETIME& time)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    // 100-nanosecond ticks since 1601 to seconds since 1970.
    return static_cast<int64_t>(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

void FromAttributes(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written, Status* status)
{
    *status = Status();
    status->directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status->link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    status->readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    status->size = status->directory ? 0 : static_cast<int64_t>((static_cast<uint64_t>(sizeHigh) << 32) | sizeLow);
    status->mtime = UnixSeconds(written);
}

bool FromHandle(HANDLE handle, Status* status)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info))
        return false;
    FromAttributes(info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime, status);
    return true;
}

HANDLE Handle(void* handle)
{
    return static_cast<HANDLE>(handle);
}

}   // namespace

Error LastError()
{
    return s_error;
}

bool Stat(const std::string& path, Status* status, Links links)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return Failed();
    if (links == Links::kFollow && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // What the link leads to, through a handle opened for no access.
        HANDLE handle = CreateFileA(path.c_str(),
                                    0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr,
                                    OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return Failed();
        bool got = FromHandle(handle, status);
        DWORD error = GetLastError();
        CloseHandle(handle);
        return got ? Succeeded() : Failed(error);
    }
    FromAttributes(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime, status);
    return Succeeded();
}

bool ListDir(const std::string& path, std::vector<Entry>* entries)
{
    entries->clear();
    std::string pattern = path;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // A root with nothing in it has not even "." and "..".
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            DWORD attributes = GetFileAttributesA(path.empty() ? "." : path.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return Succeeded();
            return Failed(ERROR_PATH_NOT_FOUND);
        }
        return Failed();
    }
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        Entry entry;
        entry.name = name;
        entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entries->push_back(entry);
    } while (FindNextFileA(search, &found));
    DWORD error = GetLastError();
    FindClose(search);
    if (error != ERROR_NO_MORE_FILES) {
        entries->clear();
        return Failed(error);
    }
    return Succeeded();
}

bool Remove(const std::string& path)
{
    return DeleteFileA(path.c_str()) ? Succeeded() : Failed();
}

bool Replace(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? Succeeded() : Failed();
}

File::~File()
{
    if (m_handle)
        CloseHandle(Handle(m_handle));
}

File::File(File&& other) noexcept : m_handle(other.m_handle), m_failed(other.m_failed)
{
    other.m_handle = nullptr;
    other.m_failed = false;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        if (m_handle)
            CloseHandle(Handle(m_handle));
        m_handle = std::exchange(other.m_handle, nullptr);
        m_failed = std::exchange(other.m_failed, false);
    }
    return *this;
}

bool File::Open(const std::string& path, Mode mode)
{
    if (m_handle)
        CloseHandle(Handle(m_handle));
    m_handle = nullptr;
    m_failed = false;
    // Windows refuses, but not every system that runs these programs does.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (mode != Mode::kRead && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return Failed(ERROR_ACCESS_DENIED);
    DWORD access = mode == Mode::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == Mode::kCreate ? CREATE_ALWAYS : OPEN_EXISTING;
    // Others may read a file being written, and write one being read.
    DWORD share = FILE_SHARE_READ | (mode == Mode::kRead ? FILE_SHARE_WRITE : 0);
    HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Failed();
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return Failed(ERROR_ACCESS_DENIED);
    }
    m_handle = handle;
    return Succeeded();
}

bool File::IsOpen() const
{
    return m_handle != nullptr;
}

size_t File::Read(void* buffer, size_t size)
{
    if (!m_handle) {
        Failed(ERROR_INVALID_HANDLE);
        return 0;
    }
    char* into = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        DWORD want = size - done < kPiece ? static_cast<DWORD>(size - done) : kPiece;
        DWORD got = 0;
        if (!ReadFile(Handle(m_handle), into + done, want, &got, nullptr)) {
            Failed();
            return done;
        }
        if (got == 0)
            break;
        done += got;
    }
    Succeeded();
    return done;
}

bool File::Write(const void* data, size_t size)
{
    if (!m_handle)
        return Failed(ERROR_INVALID_HANDLE);
    const char* from = static_cast<const char*>(data);
    while (size > 0) {
        DWORD piece = size < kPiece ? static_cast<DWORD>(size) : kPiece;
        DWORD put = 0;
        if (!WriteFile(Handle(m_handle), from, piece, &put, nullptr)) {
            m_failed = true;
            return Failed();
        }
        if (put != piece) {
            m_failed = true;
            return Failed(ERROR_DISK_FULL);
        }
        from += put;
        size -= put;
    }
    return Succeeded();
}

bool File::Seek(int64_t offset)
{
    if (!m_handle)
        return Failed(ERROR_INVALID_HANDLE);
    if (offset < 0)
        return Failed(ERROR_NEGATIVE_SEEK);
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(Handle(m_handle), to, nullptr, FILE_BEGIN) ? Succeeded() : Failed();
}

int64_t File::Tell() const
{
    if (!m_handle)
        return -1;
    LARGE_INTEGER none, at;
    none.QuadPart = 0;
    if (!SetFilePointerEx(Handle(m_handle), none, &at, FILE_CURRENT))
        return -1;
    return at.QuadPart;
}

bool File::Truncate(int64_t size)
{
    if (!m_handle)
        return Failed(ERROR_INVALID_HANDLE);
    if (size < 0)
        return Failed(ERROR_NEGATIVE_SEEK);
    int64_t at = Tell();
    LARGE_INTEGER to;
    to.QuadPart = size;
    if (!SetFilePointerEx(Handle(m_handle), to, nullptr, FILE_BEGIN) || !SetEndOfFile(Handle(m_handle)))
        return Failed();
    to.QuadPart = at < size ? at : size;
    return SetFilePointerEx(Handle(m_handle), to, nullptr, FILE_BEGIN) ? Succeeded() : Failed();
}

bool File::GetStatus(Status* status) const
{
    if (!m_handle)
        return Failed(ERROR_INVALID_HANDLE);
    return FromHandle(Handle(m_handle), status) ? Succeeded() : Failed();
}

bool File::Close()
{
    if (!m_handle)
        return Failed(ERROR_INVALID_HANDLE);
    bool failed = m_failed;
    BOOL closed = CloseHandle(Handle(m_handle));
    DWORD error = GetLastError();
    m_handle = nullptr;
    m_failed = false;
    if (!closed)
        return Failed(error);
    if (failed)
        return Failed(ERROR_WRITE_FAULT);
    return Succeeded();
}

}   // namespace filesys
