// The archiver's seam to the file system: byte streams over files and the
// few directory calls the engine makes. The engine itself never names a
// platform call, so it builds and is tested natively; arcfs_posix.cpp and
// arcfs_win.cpp hold the two real implementations, on top of the suite's
// shared seam (filesys.h), and tests or the fuzzer wrap them to watch every
// path written.
#ifndef TREVAK_ARCFS_H
#define TREVAK_ARCFS_H

#include <memory>
#include <string>
#include <vector>

// A file-status record, for members and for files on disk alike. Mode holds
// the file-type bits (0100000 regular, 040000 directory) and the permissions.
struct ArcStatus {
    unsigned mode = 0;
    int nlink = 1;
    int uid = 0;
    int gid = 0;
    long long size = 0;
    long long mtime = 0;   // seconds since 1970
    unsigned dev = 0;
    unsigned ino = 0;
    unsigned rdev = 0;
    bool isDir = false;
    bool isLink = false;   // a symbolic link or reparse point: never followed
};

// Which file a path or stream is: volume and index (device and inode).
struct ArcFileId {
    unsigned long long volume = 0;
    unsigned long long index = 0;
    bool valid = false;
    bool operator==(const ArcFileId& o) const { return valid && o.valid && volume == o.volume && index == o.index; }
};

// An open file. Reads stop short only at the end of the file or on an error;
// Write and Close report whether every byte reached the file.
class ArcStream {
public:
    virtual ~ArcStream() {}
    virtual size_t Read(void* buf, size_t n) = 0;
    virtual bool Write(const void* buf, size_t n) = 0;
    // Moves forward n bytes; false when that passes the end of the file.
    virtual bool Skip(long long n) = 0;
    // Moves to an absolute offset, for writing over the end of an archive.
    virtual bool Seek(long long pos) = 0;
    virtual long long Tell() const = 0;
    // Cuts the file to size bytes (written data is flushed first).
    virtual bool Truncate(long long size) = 0;
    // Flushes and closes; false when either failed. Called once.
    virtual bool Close() = 0;
    // The status and identity of the open file, read through its handle
    // rather than its name, so they describe exactly the file being read.
    virtual bool Status(ArcStatus*) const { return false; }
    virtual ArcFileId Identity() const { return ArcFileId(); }
    // Whether the open file is the one other identifies; a stream may
    // answer No without reading its whole identity.
    virtual bool SameFile(const ArcFileId& other) const { return Identity() == other; }
};

struct ArcDirEntry {
    std::string name;
    bool isDir = false;
    bool isLink = false;
};

class ArcFs {
public:
    virtual ~ArcFs() {}
    virtual std::unique_ptr<ArcStream> OpenRead(const std::string& path) = 0;
    // A new file, or an existing one emptied.
    virtual std::unique_ptr<ArcStream> Create(const std::string& path) = 0;
    // Reading and writing an existing file in place.
    virtual std::unique_ptr<ArcStream> OpenUpdate(const std::string& path) = 0;
    // Status of the path itself (a link is reported as a link, not followed).
    virtual bool Stat(const std::string& path, ArcStatus* st) = 0;
    virtual bool MakeDir(const std::string& path) = 0;
    // Removes an empty directory.
    virtual bool RemoveDir(const std::string& path) = 0;
    virtual bool SetTimes(const std::string& path, long long mtime) = 0;
    virtual bool MakeReadOnly(const std::string& path) = 0;
    // Entries of a directory except "." and "..", in the system's order.
    virtual bool ListDir(const std::string& path, std::vector<ArcDirEntry>* out) = 0;
    // A new, empty file in target's directory under a name no file had,
    // for writing target's replacement; *temp receives its name. Null when
    // it cannot be made.
    virtual std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // The identity of an existing file; not valid when there is none.
    virtual ArcFileId Identity(const std::string& path) = 0;
};

// The platform's file system.
ArcFs& SystemFs();

// A stream over bytes in memory, read only; for listing from a buffer.
class ArcMemStream : public ArcStream {
public:
    ArcMemStream(const void* data, size_t size) : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    size_t Read(void* buf, size_t n) override;
    bool Write(const void*, size_t) override { return false; }
    bool Skip(long long n) override;
    bool Seek(long long pos) override;
    long long Tell() const override { return static_cast<long long>(pos_); }
    bool Truncate(long long) override { return false; }
    bool Close() override { return true; }

private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

#endif
