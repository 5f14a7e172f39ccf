// The stream over an open file that both real file systems hand out: the
// shared seam's file with the archiver's own buffering. Each system's side
// derives from it to tell the file's status and identity.
#ifndef TREVAK_ARCFS_STREAM_H
#define TREVAK_ARCFS_STREAM_H

#include <string>
#include <vector>

#include "arcfs.h"
#include "filesys.h"

class FileStream : public ArcStream {
public:
    // size: the file's length at the open; path: its name, for a message.
    FileStream(filesys::File file, long long size, const std::string& path);
    // A stream left open (a caller stopped by an exception) still hands its
    // buffered bytes to the file, and says so when the file refused them:
    // no archive is ever cut short in silence.
    ~FileStream() override;
    size_t Read(void* out, size_t n) override;
    bool Write(const void* data, size_t n) override;
    bool Skip(long long n) override;
    bool Seek(long long pos) override;
    long long Tell() const override { return pos_; }
    bool Truncate(long long size) override;
    bool Close() override;

protected:
    const filesys::File& File() const { return file_; }
    const std::string& Path() const { return path_; }
    long long Size() const { return size_; }

private:
    bool WriteAt(long long at, const char* src, size_t n);
    bool Flush();
    void Advance(size_t n);

    filesys::File file_;
    std::string path_;
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

// What the file systems of both sides do alike, through the shared seam.
class SeamFs : public ArcFs {
public:
    // The suite's one replace routine: it refuses a read-only target (and,
    // natively, a device), then moves through the shared seam.
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
};

#endif
