// The file system natively: POSIX calls.
#include "filesys.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace filesys {

namespace {

thread_local Error s_error = Error::kNone;

// Records why the call that just failed did; false, for the caller to
// return.
bool Failed(int number)
{
    switch (number) {
    case ENOENT:
    case ENOTDIR:
        s_error = Error::kMissing;
        break;
    case EEXIST:
    case ENOTEMPTY:
        s_error = Error::kExists;
        break;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
        s_error = Error::kDenied;
        break;
    default:
        s_error = Error::kOther;
        break;
    }
    errno = number;
    return false;
}

bool Succeeded()
{
    s_error = Error::kNone;
    return true;
}

void FromStat(const struct stat& system, Status* status)
{
    *status = Status();
    status->directory = S_ISDIR(system.st_mode);
    status->link = S_ISLNK(system.st_mode);
    status->readOnly = (system.st_mode & S_IWUSR) == 0;
    status->size = status->directory ? 0 : static_cast<int64_t>(system.st_size);
    status->mtime = static_cast<int64_t>(system.st_mtime);
}

}   // namespace

Error LastError()
{
    return s_error;
}

bool Stat(const std::string& path, Status* status, Links links)
{
    struct stat system;
    int result = links == Links::kFollow ? stat(path.c_str(), &system) : lstat(path.c_str(), &system);
    if (result != 0)
        return Failed(errno);
    FromStat(system, status);
    return Succeeded();
}

bool ListDir(const std::string& path, std::vector<Entry>* entries)
{
    entries->clear();
    DIR* directory = opendir(path.c_str());
    if (!directory)
        return Failed(errno);
    std::string prefix = path;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    errno = 0;
    while (struct dirent* found = readdir(directory)) {
        std::string name = found->d_name;
        if (name == "." || name == "..")
            continue;
        Entry entry;
        entry.name = name;
        struct stat system;
        if (lstat((prefix + name).c_str(), &system) == 0) {
            entry.directory = S_ISDIR(system.st_mode);
            entry.link = S_ISLNK(system.st_mode);
        }
        entries->push_back(entry);
        errno = 0;
    }
    int number = errno;
    closedir(directory);
    if (number != 0) {
        entries->clear();
        return Failed(number);
    }
    return Succeeded();
}

bool Remove(const std::string& path)
{
    return unlink(path.c_str()) == 0 ? Succeeded() : Failed(errno);
}

bool Replace(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 ? Succeeded() : Failed(errno);
}

File::~File()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
}

File::File(File&& other) noexcept : m_descriptor(other.m_descriptor), m_failed(other.m_failed)
{
    other.m_descriptor = -1;
    other.m_failed = false;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_failed = std::exchange(other.m_failed, false);
    }
    return *this;
}

bool File::Open(const std::string& path, Mode mode)
{
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
    m_failed = false;
    struct stat before;
    if (mode != Mode::kRead && stat(path.c_str(), &before) == 0 && S_ISREG(before.st_mode) &&
        !(before.st_mode & S_IWUSR))
        return Failed(EACCES);
    int flags = mode == Mode::kRead ? O_RDONLY : mode == Mode::kCreate ? O_RDWR | O_CREAT | O_TRUNC : O_RDWR;
    // A device or a fifo would block or be emptied; only a file on disk
    // opens. Non-blocking until that is known.
    int descriptor = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return Failed(errno);
    struct stat system;
    if (fstat(descriptor, &system) != 0) {
        int number = errno;
        close(descriptor);
        return Failed(number);
    }
    if (!S_ISREG(system.st_mode)) {
        close(descriptor);
        return Failed(EISDIR);
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    m_descriptor = descriptor;
    return Succeeded();
}

bool File::IsOpen() const
{
    return m_descriptor >= 0;
}

size_t File::Read(void* buffer, size_t size)
{
    if (m_descriptor < 0) {
        Failed(EBADF);
        return 0;
    }
    char* into = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        ssize_t got = read(m_descriptor, into + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            Failed(errno);
            return done;
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    Succeeded();
    return done;
}

bool File::Write(const void* data, size_t size)
{
    if (m_descriptor < 0)
        return Failed(EBADF);
    const char* from = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t put = write(m_descriptor, from, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            m_failed = true;
            return Failed(put < 0 ? errno : ENOSPC);
        }
        from += put;
        size -= static_cast<size_t>(put);
    }
    return Succeeded();
}

bool File::Seek(int64_t offset)
{
    if (m_descriptor < 0)
        return Failed(EBADF);
    if (offset < 0)
        return Failed(EINVAL);
    return lseek(m_descriptor, static_cast<off_t>(offset), SEEK_SET) >= 0 ? Succeeded() : Failed(errno);
}

int64_t File::Tell() const
{
    if (m_descriptor < 0)
        return -1;
    return static_cast<int64_t>(lseek(m_descriptor, 0, SEEK_CUR));
}

bool File::Truncate(int64_t size)
{
    if (m_descriptor < 0)
        return Failed(EBADF);
    if (size < 0)
        return Failed(EINVAL);
    if (ftruncate(m_descriptor, static_cast<off_t>(size)) != 0)
        return Failed(errno);
    if (Tell() > size && lseek(m_descriptor, static_cast<off_t>(size), SEEK_SET) < 0)
        return Failed(errno);
    return Succeeded();
}

bool File::GetStatus(Status* status) const
{
    struct stat system;
    if (m_descriptor < 0)
        return Failed(EBADF);
    if (fstat(m_descriptor, &system) != 0)
        return Failed(errno);
    FromStat(system, status);
    return Succeeded();
}

bool File::Close()
{
    if (m_descriptor < 0)
        return Failed(EBADF);
    bool failed = m_failed;
    int result = close(m_descriptor);
    int number = errno;
    m_descriptor = -1;
    m_failed = false;
    if (result != 0)
        return Failed(number);
    if (failed)
        return Failed(EIO);
    return Succeeded();
}

}   // namespace filesys
