// Archive creation and appending: the directory walk and the member writer.
#include "arcwrite.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "arcformat.h"
#include "arcreader.h"
#include "names.h"

namespace {

// Data moves 1 MB at a time: a large file in few calls, and a small one
// in one read and one write.
const size_t kCopyChunk = 1 << 20;

bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return LowerLetter(x) < LowerLetter(y); });
}

// Opens the files of a directory ahead of the writer, on threads of their
// own, reads their status and reads the small ones whole: under Wine every
// open, status query and close is a round trip to the server, and several
// can be under way at once. The writer takes the files in its own order and
// does everything a user sees (headers, messages) itself, so the archive and
// what is said are those of a walk in turn; the threads only read.
class ReadAhead {
public:
    struct Opened {
        std::unique_ptr<ArcStream> in;   // closed already when read whole or skipped
        ArcStatus st;
        bool statusOk = false;
        bool skip = false;         // one of the files never archived
        bool whole = false;        // data holds all st.size bytes
        bool readFailed = false;   // the file ended before st.size bytes
        bool noMemory = false;     // the thread ran out of memory opening it
        std::vector<char> data;
    };

    ReadAhead(ArcFs& fs, const std::vector<ArcFileId>& skip, unsigned threads) : fs_(fs), skip_(skip)
    {
        // A thread the system will not give leaves the work to the others,
        // or with none to the writer itself.
        try {
            for (unsigned i = 0; i < threads; i++)
                threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
        }
    }
    ~ReadAhead()
    {
        {
            std::lock_guard<std::mutex> lock(m_);
            quit_ = true;
        }
        work_.notify_all();
        for (std::thread& t : threads_)
            t.join();
    }

    // A new list of files; whatever is left of the last one is dropped.
    void Start(std::vector<std::string> paths)
    {
        std::vector<Opened> dropped;
        {
            std::lock_guard<std::mutex> lock(m_);
            batch_++;
            paths_ = std::move(paths);
            dropped.swap(files_);
            files_.resize(paths_.size());
            ready_.assign(paths_.size(), 0);
            next_ = taken_ = 0;
        }
        work_.notify_all();
    }

    // File i of the list, in order from 0.
    Opened Take(size_t i)
    {
        Opened f;
        if (threads_.empty())
            return OpenCaught(paths_[i]);
        {
            std::unique_lock<std::mutex> lock(m_);
            done_.wait(lock, [&] { return ready_[i] != 0; });
            f = std::move(files_[i]);
            taken_ = i + 1;
        }
        work_.notify_all();
        return f;
    }

private:
    // Files opened ahead of the writer, and the largest read whole: together
    // at most 16 MB wait in memory.
    static const size_t kAhead = 16;
    static const long long kWholeMax = 1 << 20;

    void Work()
    {
        std::unique_lock<std::mutex> lock(m_);
        for (;;) {
            work_.wait(lock, [&] { return quit_ || (next_ < paths_.size() && next_ < taken_ + kAhead); });
            if (quit_)
                return;
            size_t i = next_++;
            unsigned batch = batch_;
            std::string path = paths_[i];
            lock.unlock();
            Opened f = OpenCaught(path);
            lock.lock();
            if (batch != batch_)
                continue;   // dropped; f closes as it goes
            files_[i] = std::move(f);
            ready_[i] = 1;
            done_.notify_all();
        }
    }

    Opened OpenCaught(const std::string& path)
    {
        try {
            return Open(path);
        } catch (const std::bad_alloc&) {
            Opened f;
            f.noMemory = true;
            return f;
        }
    }

    Opened Open(const std::string& path)
    {
        Opened f;
        f.in = fs_.OpenRead(path);
        if (!f.in || !f.in->Status(&f.st))
            return f;
        f.statusOk = true;
        for (const ArcFileId& id : skip_)
            f.skip = f.skip || f.in->SameFile(id);
        if (f.skip) {
            f.in->Close();
            return f;
        }
        if (f.st.size > kWholeMax)
            return f;
        try {
            f.data.resize(static_cast<size_t>(f.st.size));
        } catch (const std::bad_alloc&) {
            return f;   // the writer reads it in turn
        }
        size_t done = 0, got = 1;
        while (done < f.data.size() && (got = f.in->Read(f.data.data() + done, f.data.size() - done)) > 0)
            done += got;
        f.whole = done == f.data.size();
        f.readFailed = !f.whole;
        f.in->Close();   // what is read is all the writer needs of it
        return f;
    }

    ArcFs& fs_;
    const std::vector<ArcFileId>& skip_;
    std::mutex m_;
    std::condition_variable work_, done_;
    std::vector<std::string> paths_;
    std::vector<Opened> files_;
    std::vector<char> ready_;
    size_t next_ = 0;    // the next file a thread opens
    size_t taken_ = 0;   // files the writer has taken
    unsigned batch_ = 0;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

const unsigned kReadAheadThreads = 2;

class Writer {
public:
    // skip: the files never to be archived, the archive being written and
    // the one it replaces.
    Writer(std::initializer_list<ArcFileId> skip, const WriteOptions& options, ArcStream& out, ArcFs& fs, ArcUi& ui)
        : skip_(skip),
          options_(options),
          out_(out),
          fs_(fs),
          ui_(ui),
          buffer_(kCopyChunk),
          ahead_(fs, skip_, kReadAheadThreads)
    {
    }

    // Writes the members of the source; false after a message.
    bool Run()
    {
        std::vector<ArcDirEntry> entries;
        if (!fs_.ListDir(options_.source, &entries)) {
            ui_.Message("Cant access specified directory");
            return false;
        }
        return Directory(options_.source, "", entries);
    }

    bool WriteEnd()
    {
        if (options_.type == kArcCpio) {
            std::string t = CpioTrailer();
            return out_.Write(t.data(), t.size());
        }
        static const unsigned char zero[2 * kTarBlock] = {};
        return out_.Write(zero, sizeof zero);
    }

private:
    bool Directory(const std::string& dir, const std::string& prefix, const std::vector<ArcDirEntry>& entries)
    {
        std::vector<std::string> names = ExpandPattern(options_.pattern, entries);
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir + "/" + name);
        ahead_.Start(paths);
        for (size_t i = 0; i < names.size(); i++) {
            if (!File(Member(prefix, names[i]), ahead_.Take(i)))
                return false;
        }
        if (!options_.descend)
            return true;
        std::vector<std::string> subdirs;
        for (const ArcDirEntry& e : entries) {
            // A link is never followed: it could lead back up the tree.
            if (e.isDir && !e.isLink)
                subdirs.push_back(e.name);
        }
        std::sort(subdirs.begin(), subdirs.end(), LessNoCase);
        for (const std::string& name : subdirs) {
            std::string path = dir + "/" + name;
            std::string member = Member(prefix, name);
            std::vector<ArcDirEntry> sub;
            ArcStatus st;
            if (!fs_.ListDir(path, &sub) || !fs_.Stat(path, &st)) {
                ui_.Message("cant access directory " + member + " - skipped");
                continue;
            }
            st.isDir = true;
            if (!Header(member, st) || !Directory(path, member, sub))
                return false;
        }
        return true;
    }

    static std::string Member(const std::string& prefix, const std::string& name)
    {
        return LowerName(prefix.empty() ? name : prefix + "/" + name);
    }

    bool File(const std::string& member, ReadAhead::Opened f)
    {
        // Opened and its status read through the open file before its header
        // is written, so the header describes the file that is copied.
        if (f.noMemory)
            throw std::bad_alloc();   // as if the writer had opened it itself
        std::unique_ptr<ArcStream>& in = f.in;
        ArcStatus st = f.st;
        if (!in || !f.statusOk) {
            ui_.Message("cant open file " + member + "\r\nAbandoning archive");
            return false;
        }
        if (f.skip)
            return true;
        st.isDir = false;
        ui_.Progress(member);
        if (!Header(member, st))
            return false;
        if (f.whole || f.readFailed)
            return CopyRead(f);
        long long left = st.size;
        while (left > 0) {
            size_t n = left < static_cast<long long>(buffer_.size()) ? static_cast<size_t>(left) : buffer_.size();
            if (in->Read(buffer_.data(), n) < n) {
                ui_.Message("I/O error reading input file");
                return false;
            }
            left -= static_cast<long long>(n);
            if (options_.type != kArcCpio && left == 0 && n % kTarBlock) {
                // The last block is padded with zero bytes.
                size_t padded = (n + kTarBlock - 1) / kTarBlock * kTarBlock;
                memset(buffer_.data() + n, 0, padded - n);
                n = padded;
            }
            if (!out_.Write(buffer_.data(), n)) {
                ui_.Message(kWriteError);
                return false;
            }
        }
        in->Close();
        return true;
    }

    // The data of a file read whole ahead, and the padding of its last block.
    bool CopyRead(ReadAhead::Opened& f)
    {
        if (f.readFailed) {
            ui_.Message("I/O error reading input file");
            return false;
        }
        size_t pad = options_.type == kArcCpio ? 0 : (kTarBlock - f.data.size() % kTarBlock) % kTarBlock;
        static const unsigned char zero[kTarBlock] = {};
        if ((!f.data.empty() && !out_.Write(f.data.data(), f.data.size())) || (pad && !out_.Write(zero, pad))) {
            ui_.Message(kWriteError);
            return false;
        }
        return true;
    }

    bool Header(const std::string& member, const ArcStatus& st)
    {
        HeaderResult r;
        std::string bytes;
        if (options_.type == kArcCpio) {
            r = FormatCpioHeader(member, st, &bytes);
        } else {
            unsigned char block[kTarBlock];
            r = FormatTarHeader(member, st, options_.type, block);
            bytes.assign(reinterpret_cast<const char*>(block), sizeof block);
        }
        switch (r) {
        case kHeaderOk:
            break;
        case kHeaderNameTooLong:
            ui_.Message("tar: filename > 100 characters.");
            return false;
        case kHeaderNameUnstorable:
            ui_.Message("cant store the name " + member + " - archive abandoned");
            return false;
        case kHeaderTooLarge:
            ui_.Message(member + ": file too large - archive abandoned");
            return false;
        }
        if (!out_.Write(bytes.data(), bytes.size())) {
            ui_.Message(options_.type == kArcCpio ? "Error writing cpio header - archive abandoned"
                                                  : "Error writing tar header - archive abandoned");
            return false;
        }
        return true;
    }

    static const char kWriteError[];

    std::vector<ArcFileId> skip_;
    const WriteOptions& options_;
    ArcStream& out_;
    ArcFs& fs_;
    ArcUi& ui_;
    std::vector<char> buffer_;
    ReadAhead ahead_;
};

const char Writer::kWriteError[] = "Error writing archive - archive abandoned";

const char kOutOfMemory[] = "Out of memory";

// Writes the members and the end marker; false after a message. Memory that
// cannot be had stops the run like a refused write, so that the caller
// still closes the archive and puts back what it must.
bool RunWriter(std::initializer_list<ArcFileId> skip, const WriteOptions& options, ArcStream& out, ArcFs& fs, ArcUi& ui)
{
    try {
        Writer w(skip, options, out, fs, ui);
        return w.Run() && w.WriteEnd();
    } catch (const std::bad_alloc&) {
        ui.Message(kOutOfMemory);
        return false;
    }
}

bool Create(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui)
{
    std::string temp;
    std::unique_ptr<ArcStream> out = fs.CreateBeside(archive, &temp);
    if (!out) {
        ui.Message("cant create " + archive);
        return false;
    }
    if (!RunWriter({out->Identity(), fs.Identity(archive)}, options, *out, fs, ui)) {
        out->Close();
        fs.Remove(temp);
        return false;
    }
    if (!out->Close() || !fs.Replace(temp, archive)) {
        fs.Remove(temp);
        ui.Message("Error writing archive - archive abandoned");
        return false;
    }
    return true;
}

// The bytes of an archive from its end marker to the end of the file, which
// an append writes over, kept to be put back should it stop. The first
// kTailInMemory bytes are held in memory (an end marker and its padding
// fit); the rest, however long, goes to a scratch file beside the archive.
class SavedTail {
public:
    static const size_t kTailInMemory = 1 << 16;

    SavedTail(const std::string& archive, ArcFs& fs) : archive_(archive), fs_(fs) {}
    ~SavedTail()
    {
        if (!spillName_.empty())
            fs_.Remove(spillName_);
    }

    // Reads from end to the end of the file; false when the copy could not
    // be written.
    bool Save(ArcStream& in, long long end)
    {
        head_.resize(kTailInMemory);
        size_ = 0;
        if (!in.Seek(end)) {
            head_.clear();
            return true;
        }
        size_t got = ReadFull(in, head_.data(), head_.size());
        head_.resize(got);
        size_ = static_cast<long long>(got);
        if (got < kTailInMemory)
            return true;
        std::unique_ptr<ArcStream> spill = fs_.CreateBeside(archive_, &spillName_);
        if (!spill)
            return false;
        std::vector<char> chunk(kCopyChunk);
        while ((got = in.Read(chunk.data(), chunk.size())) > 0) {
            if (!spill->Write(chunk.data(), got)) {
                spill->Close();
                return false;
            }
            size_ += static_cast<long long>(got);
        }
        if (!spill->Close())
            return false;
        spillId_ = fs_.Identity(spillName_);
        return true;
    }

    long long Size() const { return size_; }
    // The scratch file, which the append must not archive.
    ArcFileId SpillId() const { return spillId_; }

    // Puts the file back as it was from end on.
    bool Restore(ArcStream& out, long long end)
    {
        if (!out.Truncate(end + size_) || !out.Seek(end) || (!head_.empty() && !out.Write(head_.data(), head_.size())))
            return false;
        if (spillName_.empty())
            return true;
        std::unique_ptr<ArcStream> spill = fs_.OpenRead(spillName_);
        if (!spill)
            return false;
        std::vector<char> chunk(kCopyChunk);
        long long left = size_ - static_cast<long long>(head_.size());
        size_t got;
        while (left > 0 && (got = spill->Read(chunk.data(), chunk.size())) > 0) {
            if (!out.Write(chunk.data(), got))
                return false;
            left -= static_cast<long long>(got);
        }
        spill->Close();
        return left == 0;
    }

private:
    static size_t ReadFull(ArcStream& in, char* buf, size_t n)
    {
        size_t done = 0, got;
        while (done < n && (got = in.Read(buf + done, n - done)) > 0)
            done += got;
        return done;
    }

    std::string archive_;
    ArcFs& fs_;
    std::vector<char> head_;
    long long size_ = 0;
    std::string spillName_;
    ArcFileId spillId_;
};

bool Append(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui)
{
    std::unique_ptr<ArcStream> out = fs.OpenUpdate(archive);
    if (!out) {
        ui.Message("cant open " + archive);
        return false;
    }
    // The true end of the archive, not the member list's count: a damaged or
    // cut archive is refused rather than written over.
    ArcReader reader(*out, options.type);
    ArcMember m;
    ArcReader::Result r;
    while ((r = reader.Next(&m)) == ArcReader::kMember) {
    }
    if (r == ArcReader::kCorrupt || reader.Truncated()) {
        out->Close();
        ui.Message(kCorruptArchive);
        return false;
    }
    long long end = reader.EndOffset();
    SavedTail tail(archive, fs);
    if (!tail.Save(*out, end)) {
        out->Close();
        ui.Message("Error writing archive - archive abandoned");
        return false;
    }
    if (!out->Seek(end)) {
        out->Close();
        ui.Message("cant open " + archive);
        return false;
    }
    if (RunWriter({out->Identity(), tail.SpillId()}, options, *out, fs, ui)) {
        if (out->Close())
            return true;
        ui.Message("Error writing archive - archive abandoned");
        return false;
    }
    // Stopped: the file goes back to its old length and its old end marker,
    // so the archive reads exactly as before.
    bool restored = tail.Restore(*out, end);
    if (!out->Close() || !restored)
        ui.Message("Error writing archive - archive abandoned");
    return false;
}

}   // namespace

std::vector<std::string> ExpandPattern(const std::string& pattern, const std::vector<ArcDirEntry>& entries)
{
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos < pattern.size()) {
        size_t blank = pattern.find(' ', pos);
        if (blank == std::string::npos)
            blank = pattern.size();
        std::string word = pattern.substr(pos, blank - pos);
        pos = blank;
        while (pos < pattern.size() && (pattern[pos] == ' ' || pattern[pos] == '\t'))
            pos++;
        if (word.empty())
            continue;
        size_t first = names.size();
        for (const ArcDirEntry& e : entries) {
            if (!e.isDir && WildcardMatches(word.c_str(), e.name.c_str(), DotStar::DotlessOnly))
                names.push_back(e.name);
        }
        std::sort(names.begin() + static_cast<std::ptrdiff_t>(first), names.end(), LessNoCase);
    }
    return names;
}

bool WriteArchive(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui)
{
    return options.append ? Append(archive, options, fs, ui) : Create(archive, options, fs, ui);
}
