// Archive creation and appending: the directory walk and the member writer.
#include "arcwrite.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <deque>
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

// The walk of the source in the order its members are written: a
// directory's files as the pattern takes them, then (when descending) each
// subdirectory in name order, listed and its status read when the walk
// reaches it, followed by its own walk. It goes one step at a time, so that
// it runs on the writer's thread or ahead of it on a thread of its own.
class Walk {
public:
    struct Step {
        bool isDir = false;
        bool listed = false;   // a directory whose entries and status were read
        std::string path;
        std::string member;
        ArcStatus st;   // a listed directory's
    };

    Walk(const WriteOptions& options, ArcFs& fs, const std::vector<ArcDirEntry>& root) : options_(options), fs_(fs)
    {
        Enter(options.source, "", root);
    }

    // The next step; false when the walk is done.
    bool Next(Step* step)
    {
        while (!frames_.empty()) {
            Frame& f = frames_.back();
            if (f.file < f.files.size()) {
                const std::string& name = f.files[f.file++];
                *step = Step();
                step->path = f.dir + "/" + name;
                step->member = Member(f.prefix, name);
                return true;
            }
            if (f.sub < f.subdirs.size()) {
                const std::string& name = f.subdirs[f.sub++];
                *step = Step();
                step->isDir = true;
                step->path = f.dir + "/" + name;
                step->member = Member(f.prefix, name);
                std::vector<ArcDirEntry> entries;
                step->listed = fs_.ListDir(step->path, &entries) && fs_.Stat(step->path, &step->st);
                if (step->listed) {
                    step->st.isDir = true;
                    Enter(step->path, step->member, entries);
                }
                return true;
            }
            frames_.pop_back();
        }
        return false;
    }

private:
    struct Frame {
        std::string dir;
        std::string prefix;
        std::vector<std::string> files;
        std::vector<std::string> subdirs;
        size_t file = 0;
        size_t sub = 0;
    };

    void Enter(const std::string& dir, const std::string& prefix, const std::vector<ArcDirEntry>& entries)
    {
        Frame f;
        f.dir = dir;
        f.prefix = prefix;
        f.files = ExpandPattern(options_.pattern, entries);
        if (options_.descend) {
            for (const ArcDirEntry& e : entries) {
                // A link is never followed: it could lead back up the tree.
                if (e.isDir && !e.isLink)
                    f.subdirs.push_back(e.name);
            }
            std::sort(f.subdirs.begin(), f.subdirs.end(), LessNoCase);
        }
        frames_.push_back(std::move(f));
    }

    static std::string Member(const std::string& prefix, const std::string& name)
    {
        return LowerName(prefix.empty() ? name : prefix + "/" + name);
    }

    const WriteOptions& options_;
    ArcFs& fs_;
    std::vector<Frame> frames_;
};

// Walks the source and opens its files ahead of the writer, on threads of
// their own: one walks (a directory's listing is a few round trips to the
// server under Wine), the others open each file, read its status and read
// it whole when small, as every open, first read and close is a round trip
// too, and several can be under way at once. The read-ahead goes on across
// directories, so it never waits for the writer at a directory's end. The
// writer takes the steps in the walk's order and does everything a user
// sees (headers, messages) itself, so the archive and what is said are
// those of a walk in turn; the threads only read.
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

    // readers: the threads that open files; with fewer than one, or when
    // the system gives no thread, the writer walks and opens in turn.
    ReadAhead(ArcFs& fs, const std::vector<ArcFileId>& skip, Walk& walk, unsigned readers)
        : fs_(fs), skip_(skip), walk_(walk)
    {
        // A thread the system will not give leaves the work to the others,
        // or with no reader or no walker to the writer itself.
        try {
            for (unsigned i = 0; i < readers; i++)
                threads_.emplace_back([this] { Read(); });
            if (!threads_.empty())
                threads_.emplace_back([this] { WalkAhead(); });
        } catch (const std::system_error&) {
        }
        if (threads_.size() <= readers)
            Stop();
        threaded_ = !threads_.empty();
    }
    ~ReadAhead() { Stop(); }

    // The walk's next step, and a file's opening; false at the walk's end.
    bool Next(Walk::Step* step, Opened* file)
    {
        if (!threaded_) {
            if (!walk_.Next(step))
                return false;
            if (!step->isDir)
                *file = OpenCaught(step->path);
            return true;
        }
        {
            std::unique_lock<std::mutex> lock(m_);
            done_.wait(lock,
                       [&] { return items_.empty() ? walkDone_ : items_.front().step.isDir || items_.front().ready; });
            if (items_.empty()) {
                if (walkNoMemory_)
                    throw std::bad_alloc();   // where the walk in turn would have run out
                return false;
            }
            Item& front = items_.front();
            *step = std::move(front.step);
            if (!step->isDir) {
                *file = std::move(front.file);
                opened_--;
            }
            items_.pop_front();
            first_++;
        }
        work_.notify_all();
        return true;
    }

private:
    struct Item {
        Walk::Step step;
        Opened file;
        bool ready = false;   // a file opened
    };

    // Steps walked ahead of the writer; files opened ahead of it, and the
    // largest read whole: together at most 16 MB wait in memory.
    static const size_t kWalkAhead = 4096;
    static const size_t kAhead = 16;
    static const long long kWholeMax = 1 << 20;

    void Stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_);
            quit_ = true;
        }
        work_.notify_all();
        for (std::thread& t : threads_)
            t.join();
        threads_.clear();
    }

    void WalkAhead()
    {
        std::unique_lock<std::mutex> lock(m_);
        for (;;) {
            work_.wait(lock, [&] { return quit_ || items_.size() < kWalkAhead; });
            if (quit_)
                return;
            lock.unlock();
            Item item;
            bool more = false, noMemory = false;
            try {
                more = walk_.Next(&item.step);
            } catch (const std::bad_alloc&) {
                noMemory = true;
            }
            lock.lock();
            if (more) {
                try {
                    items_.push_back(std::move(item));
                } catch (const std::bad_alloc&) {
                    noMemory = true;
                    more = false;
                }
            }
            if (!more) {
                walkDone_ = true;
                walkNoMemory_ = noMemory;
            }
            done_.notify_all();
            work_.notify_all();
            if (!more)
                return;
        }
    }

    // Whether a file of the walk waits to be opened; next_ passes over the
    // directories before it (the writer may have taken some already: it
    // takes no file before a reader has opened it).
    bool FileToOpen()
    {
        if (next_ < first_)
            next_ = first_;
        while (next_ < first_ + items_.size() && items_[next_ - first_].step.isDir)
            next_++;
        return next_ < first_ + items_.size() && opened_ < kAhead;
    }

    void Read()
    {
        std::unique_lock<std::mutex> lock(m_);
        for (;;) {
            work_.wait(lock, [&] { return quit_ || FileToOpen(); });
            if (quit_)
                return;
            size_t i = next_++;
            opened_++;
            // The item stays where it is until the writer has taken it,
            // and it takes none before it is ready.
            const std::string& path = items_[i - first_].step.path;
            lock.unlock();
            Opened f = OpenCaught(path);
            lock.lock();
            if (quit_)
                return;   // f closes as it goes
            Item& item = items_[i - first_];
            item.file = std::move(f);
            item.ready = true;
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
    Walk& walk_;
    bool threaded_ = false;
    // Shared with the threads, under m_: the steps walked and not yet taken
    // (item i of the walk at items_[i - first_]), the next file to open and
    // how many files are opened and not yet taken.
    std::mutex m_;
    std::condition_variable work_, done_;
    std::deque<Item> items_;
    size_t first_ = 0;
    size_t next_ = 0;
    size_t opened_ = 0;
    bool walkDone_ = false;
    bool walkNoMemory_ = false;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

class Writer {
public:
    // skip: the files never to be archived, the archive being written and
    // the one it replaces.
    Writer(std::initializer_list<ArcFileId> skip, const WriteOptions& options, ArcStream& out, ArcFs& fs, ArcUi& ui)
        : skip_(skip), options_(options), out_(out), fs_(fs), ui_(ui), buffer_(kCopyChunk)
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
        Walk walk(options_, fs_, entries);
        unsigned readers = options_.readers == 0 ? kWriteReaders : options_.readers < 2 ? 0 : options_.readers;
        ReadAhead ahead(fs_, skip_, walk, readers < kWriteMaxReaders ? readers : kWriteMaxReaders);
        Walk::Step step;
        ReadAhead::Opened file;
        while (ahead.Next(&step, &file)) {
            if (!step.isDir) {
                if (!File(step.member, std::move(file)))
                    return false;
            } else if (!step.listed) {
                ui_.Message("cant access directory " + step.member + " - skipped");
            } else if (!Header(step.member, step.st)) {
                return false;
            }
        }
        return true;
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
