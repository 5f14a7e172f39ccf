// The buffered file stream and the in-memory stream.
#include "arcfs_stream.h"

#include "fileout.h"
#include "message.h"

#include <cstring>
#include <utility>

namespace {

// Reads refill 64 KB: a listing reads one header after every step over a
// member's data, and a larger refill would read data only to drop it.
// A stream that has written 1 MB (an archive, not one of thousands of
// small extracted files, for which a large block would cost more to get
// than it saves) gathers its writes in 1 MB, so that the headers and small
// files of an archive go to the disk in few calls. Under Wine every call
// is a round trip to the server.
const size_t kReadBuffer = 1 << 16;
const size_t kWriteBuffer = 1 << 20;
const size_t kJumpRead = 1 << 12;

}   // namespace

FileStream::FileStream(filesys::File file, long long size, const std::string& path)
    : file_(std::move(file)), path_(path), buf_(kReadBuffer), size_(size)
{
}

FileStream::~FileStream()
{
    if (file_.IsOpen() && !Close())
        ToolMessage(("cant write " + path_).c_str());
}

size_t FileStream::Read(void* out, size_t n)
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
        // Large reads go straight to the caller's memory. A read that does
        // not go on where the last one ended (a listing's next header,
        // after a step over a member's data) refills 4 KB only.
        bool direct = n - done >= kReadBuffer;
        size_t refill = pos_ == lastReadEnd_ ? kReadBuffer : kJumpRead;
        size_t want = direct ? n - done : refill;
        if (!file_.Seek(pos_))
            break;
        size_t got = file_.Read(direct ? dst + done : buf_.data(), want);
        if (got == 0)
            break;
        lastReadEnd_ = pos_ + static_cast<long long>(got);
        if (direct) {
            done += got;
            pos_ += static_cast<long long>(got);
            readLen_ = 0;
        } else {
            readStart_ = pos_;
            readLen_ = got;
        }
    }
    return done;
}

bool FileStream::Write(const void* data, size_t n)
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
        if (buf_.size() < kWriteBuffer && written_ >= static_cast<long long>(kWriteBuffer))
            buf_.resize(kWriteBuffer);
        if (n >= buf_.size()) {
            if (!WriteAt(pos_, src, n))
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

bool FileStream::Skip(long long n)
{
    if (n < 0 || n > size_ - pos_)
        return false;
    pos_ += n;
    return true;
}

bool FileStream::Seek(long long pos)
{
    if (pos < 0 || !Flush())
        return false;
    pos_ = pos;
    return true;
}

bool FileStream::Truncate(long long size)
{
    if (size < 0 || !Flush() || !file_.Truncate(size))
        return false;
    readLen_ = 0;
    size_ = size;
    if (pos_ > size)
        pos_ = size;
    return true;
}

bool FileStream::Close()
{
    if (!file_.IsOpen())
        return false;
    bool ok = Flush() && !failed_;
    if (!file_.Close())
        ok = false;
    return ok;
}

bool FileStream::WriteAt(long long at, const char* src, size_t n)
{
    if (!file_.Seek(at) || !file_.Write(src, n)) {
        failed_ = true;
        return false;
    }
    return true;
}

// Writes what the buffer holds; false (for good) when the disk refused.
bool FileStream::Flush()
{
    if (writeLen_ == 0)
        return !failed_;
    size_t n = writeLen_;
    writeLen_ = 0;
    return WriteAt(writeStart_, buf_.data(), n);
}

void FileStream::Advance(size_t n)
{
    written_ += static_cast<long long>(n);
    pos_ += static_cast<long long>(n);
    if (pos_ > size_)
        size_ = pos_;
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

bool SeamFs::Replace(const std::string& from, const std::string& to)
{
    return ReplaceWithFile(from.c_str(), to.c_str());
}

bool SeamFs::Remove(const std::string& path)
{
    return filesys::Remove(path);
}
