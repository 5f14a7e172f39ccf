// The file system as the window-free engines see it: files opened for
// reading, creating or updating, read and written in bytes, and the few
// calls on paths they make (status, listing, removal, replacement).
// filesys_win.cpp answers them through Win32, filesys_posix.cpp through
// POSIX, so an engine that goes through here builds and is tested natively
// and behaves alike on both.
//
// Sizes and offsets are 64-bit everywhere: a 5 GB file is 5 GB on 32-bit
// Windows too. A program that needs more (a search with the system's
// wildcards, file identity, the profile or the registry) adds it in its own
// folder on top of this.
#ifndef TAMREL_FILESYS_H
#define TAMREL_FILESYS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace filesys {

// Why the last call on this thread failed.
enum class Error {
    kNone,
    kMissing,   // no such file, or a directory on the way is missing
    kExists,    // the name is taken
    kDenied,    // read-only, in use, a directory where a file was wanted
    kOther,     // anything else the system reported (a full disk, a device)
};
Error LastError();

// What a path names. A link (symbolic link, or reparse point on Windows)
// is reported as itself unless followed; on Windows a link to a directory
// is also a directory, as the system reports it.
struct Status {
    int64_t size = 0;    // bytes; 0 for a directory
    int64_t mtime = 0;   // last write, seconds since 1970 UTC
    bool directory = false;
    bool link = false;
    bool readOnly = false;
};

enum class Links { kReport, kFollow };

// False (LastError kMissing) when the path names nothing.
bool Stat(const std::string& path, Status* status, Links links = Links::kReport);

struct Entry {
    std::string name;   // as the file system spells it
    bool directory = false;
    bool link = false;
};

// The entries of a directory except "." and "..", in the order the system
// delivers them. False when the directory cannot be read; entries is then
// empty.
bool ListDir(const std::string& path, std::vector<Entry>* entries);

// Removes a file (not a directory).
bool Remove(const std::string& path);

// Moves from to to in one step; a file already at to is replaced, and at
// every moment one of the two is there whole. False with both as they
// were when the system refuses.
bool Replace(const std::string& from, const std::string& to);

enum class Mode {
    kRead,     // an existing file, read only
    kCreate,   // a new file, or an existing one emptied; read and write
    kUpdate,   // an existing file, read and written in place
};

// An open file, without a buffer of its own: each Read and Write is a call
// to the system (a caller that reads in small pieces keeps its own buffer).
// Reads stop short only at the end of the file or on an error; Write and
// Close tell whether every byte reached the file. A file still open when
// the object goes is closed, unchecked: close it yourself to know.
class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    // Only a file on disk opens: a directory or a device is refused
    // (kDenied), and so is writing to a read-only file, on every system and
    // for every user. A file already open here is closed first, unchecked.
    bool Open(const std::string& path, Mode mode);
    bool IsOpen() const;

    size_t Read(void* buffer, size_t size);
    bool Write(const void* data, size_t size);
    // To an absolute offset; past the end is allowed (a later write there
    // leaves a gap that reads as zeros).
    bool Seek(int64_t offset);
    // The offset the next Read or Write starts at; -1 when not open.
    int64_t Tell() const;
    // Cuts or extends the file to size bytes; the offset stays unless it
    // would lie past the new end.
    bool Truncate(int64_t size);
    // The status of the open file itself, whatever its name now names.
    bool GetStatus(Status* status) const;
    // Closes; false when the close or an earlier write had failed. The file
    // is closed either way.
    bool Close();

    // The system's own handle (Windows) or descriptor (POSIX) of the open
    // file, for a program that asks the system more than this seam does
    // (which file it is, say); still owned here. Null or -1 when not open.
#ifdef _WIN32
    void* NativeHandle() const
    {
        return m_handle;
    }
#else
    int NativeDescriptor() const
    {
        return m_descriptor;
    }
#endif

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_descriptor = -1;
#endif
    bool m_failed = false;
};

}   // namespace filesys

#endif
