// Buffered file streams and the in-memory stream.
#include "arcfs_stream.h"

#include "message.h"

#include <cstring>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Large enough that a 200 MB archive moves in few system calls.
const size_t kStreamBuffer = 1 << 16;

int SeekTo(FILE* fp, long long pos)
{
#ifdef _WIN32
    return _fseeki64(fp, pos, SEEK_SET);
#else
    return fseeko(fp, static_cast<off_t>(pos), SEEK_SET);
#endif
}

class FileStream : public ArcStream {
public:
    FileStream(FILE* fp, const ArcStatus& st, const ArcFileId& id, const std::string& path)
        : fp_(fp), path_(path), size_(st.size), status_(st), id_(id), buffer_(kStreamBuffer)
    {
        setvbuf(fp_, buffer_.data(), _IOFBF, buffer_.size());
    }
    // A stream left open (a caller stopped by an exception) still hands its
    // buffered bytes to the file, and says so when the file refused them.
    ~FileStream() override
    {
        if (fp_ && !Close())
            ToolMessage(("cant write " + path_).c_str());
    }
    size_t Read(void* buf, size_t n) override
    {
        if (writing_) {
            // A write must be followed by a positioning call before a read.
            if (SeekTo(fp_, pos_) != 0)
                return 0;
            writing_ = false;
        }
        size_t got = fread(buf, 1, n, fp_);
        pos_ += static_cast<long long>(got);
        return got;
    }
    bool Write(const void* buf, size_t n) override
    {
        if (!writing_) {
            if (SeekTo(fp_, pos_) != 0)
                return false;
            writing_ = true;
        }
        size_t put = fwrite(buf, 1, n, fp_);
        pos_ += static_cast<long long>(put);
        if (pos_ > size_)
            size_ = pos_;
        return put == n;
    }
    bool Skip(long long n) override
    {
        if (n < 0 || n > size_ - pos_)
            return false;
        // A short step (a block's padding) is read through the buffer: a
        // seek would throw the buffer away and read it again.
        if (!writing_ && n <= static_cast<long long>(sizeof scratch_)) {
            size_t want = static_cast<size_t>(n);
            return Read(scratch_, want) == want;
        }
        return Seek(pos_ + n);
    }
    bool Seek(long long pos) override
    {
        if (pos < 0 || SeekTo(fp_, pos) != 0)
            return false;
        pos_ = pos;
        writing_ = false;
        return true;
    }
    long long Tell() const override { return pos_; }
    bool Truncate(long long size) override
    {
        if (size < 0 || fflush(fp_) != 0)
            return false;
#ifdef _WIN32
        if (_chsize_s(_fileno(fp_), size) != 0)
            return false;
#else
        if (ftruncate(fileno(fp_), static_cast<off_t>(size)) != 0)
            return false;
#endif
        size_ = size;
        return Seek(pos_ < size ? pos_ : size);
    }
    bool Close() override
    {
        FILE* fp = fp_;
        fp_ = nullptr;
        if (!fp)
            return false;
        bool ok = fflush(fp) == 0 && !ferror(fp);
        if (fclose(fp) != 0)
            ok = false;
        return ok;
    }

    bool Status(ArcStatus* st) const override
    {
        *st = status_;
        return true;
    }
    ArcFileId Identity() const override
    {
        return id_;
    }

private:
    FILE* fp_;
    std::string path_;
    long long size_;
    ArcStatus status_;
    ArcFileId id_;
    char scratch_[4096];
    long long pos_ = 0;
    bool writing_ = false;
    std::vector<char> buffer_;
};

}   // namespace

std::unique_ptr<ArcStream> MakeFileStream(FILE* fp, const ArcStatus& st, const ArcFileId& id, const std::string& path)
{
    return std::unique_ptr<ArcStream>(new FileStream(fp, st, id, path));
}

size_t ArcMemStream::Read(void* buf, size_t n)
{
    size_t left = size_ - pos_;
    if (n > left)
        n = left;
    if (n)
        memcpy(buf, data_ + pos_, n);
    pos_ += n;
    return n;
}

bool ArcMemStream::Skip(long long n)
{
    if (n < 0 || static_cast<unsigned long long>(n) > size_ - pos_)
        return false;
    pos_ += static_cast<size_t>(n);
    return true;
}

bool ArcMemStream::Seek(long long pos)
{
    if (pos < 0 || static_cast<unsigned long long>(pos) > size_)
        return false;
    pos_ = static_cast<size_t>(pos);
    return true;
}
