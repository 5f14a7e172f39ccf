// Extraction: the member walk, the options, the name check and the copy.
#include "arcextract.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <set>
#include <vector>

#include "arcformat.h"
#include "arcname.h"
#include "arcreader.h"

namespace {

// Data moves 1 MB at a time: a large file in few calls, and a small one
// in one read and one write.
const size_t kCopyChunk = 1 << 20;

// A new file of at most kCopyChunk bytes is read from the archive and its
// making (create, write, close, time) left to a writer thread while the
// archive is read on. Everything the user sees still comes from this
// thread in archive order: a handed-off file's outcome is said before
// anything said about a later member, and a failure that stops the run
// takes back the files and directories made after it, so the run stops
// where one in turn would have, with the same files on disk.
const size_t kMaxPending = 64;               // files handed off and not yet told
const size_t kMaxPendingBytes = 32u << 20;   // their data

struct Handoff {
    enum Outcome { kWaiting, kWritten, kCreateFailed, kWriteFailed, kNoMemory, kDropped };
    std::string name;   // as the user knows it
    std::string path;
    std::string key;   // SameFileKey of its path below the target
    std::vector<char> data;
    long long mtime = 0;
    bool setTime = false;
    bool readOnly = false;
    size_t seq = 0;   // its place among the files handed off, from 1
    Outcome outcome = kWaiting;
};

// The name under which the system may know a path: letters of one case,
// each component without the dots and spaces it ignores at the end, and
// every byte above ASCII alike, so that two paths that could name one file
// always share it.
std::string SameFileKey(const std::string& path)
{
    std::string key;
    key.reserve(path.size());
    for (size_t i = 0; i <= path.size(); i++) {
        char c = i < path.size() ? path[i] : '/';
        if (c == '/' || c == '\\') {
            while (!key.empty() && (key.back() == '.' || key.back() == ' ') && key.size() > 1 &&
                   key[key.size() - 2] != '/')
                key.pop_back();
            if (i < path.size())
                key += '/';
            continue;
        }
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80)
            c = static_cast<char>(0x80);
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        key += c;
    }
    return key;
}

class Extractor {
public:
    Extractor(ArcStream& in, int type, const std::string& target, const ExtractOptions& options, ArcFs& fs, ArcUi& ui)
        : reader_(in, type), type_(type), target_(target), options_(options), fs_(fs), ui_(ui), buffer_(kCopyChunk)
    {
        unsigned n = options_.writers;
        if (n == 0) {
            n = std::thread::hardware_concurrency();
            if (n == 0)
                n = 1;
        }
        writers_ = n < kExtractMaxWriters ? n : kExtractMaxWriters;
    }

    ~Extractor()
    {
        {
            std::lock_guard<std::mutex> lock(m_);
            quit_ = true;
        }
        work_.notify_all();
        for (std::thread& t : threads_)
            t.join();
    }

    bool Run()
    {
        try {
            if (!Walk())
                return false;
            return Settle();
        } catch (const std::bad_alloc&) {
            if (Settle())
                ui_.Message(kExtractOutOfMemory);
            return false;
        }
    }

private:
    bool Walk()
    {
        if (options_.selectedOnly && options_.selected.empty()) {
            ui_.Message("No files selected");
            return false;
        }
        int last = options_.selectedOnly ? options_.selected.back() : -1;
        ArcMember m;
        for (int index = 0;; index++) {
            if (last >= 0 && index > last)
                return true;
            ArcReader::Result r = reader_.Next(&m);
            if (r == ArcReader::kEnd)
                return true;
            if (r == ArcReader::kCorrupt) {
                if (Settle())
                    ui_.Message(kCorruptArchive);
                return false;
            }
            if (options_.selectedOnly && !std::binary_search(options_.selected.begin(), options_.selected.end(), index))
                continue;
            if (!Member(m))
                return false;
        }
    }

    // What is said goes through these, so that every handed-off file's
    // outcome is said first; false when one of those stopped the run.
    bool Say(const std::string& text)
    {
        if (!Settle())
            return false;
        ui_.Message(text);
        return true;
    }

    // One member; false stops the extraction.
    bool Member(const ArcMember& m)
    {
        if (m.kind == kMemberDir) {
            std::string clean;
            bool slash;
            if (!CheckMemberName(m.name, &clean, &slash))
                return Refuse(m.name);
            return MakePath(clean) != kStop;
        }
        if (m.kind != kMemberFile)
            return true;
        if (!m.checksumOk) {
            if (!Settle())
                return false;
            ArcUi::Answer a = ui_.AskYesNoCancel("Header checksum error for file " + m.name +
                                                 "!!!  This could indicate a media fault.  "
                                                 "Select YES to extract the file anyway, "
                                                 "NO to skip this file, "
                                                 "or CANCEL to abandon.");
            if (a == ArcUi::kCancel)
                return false;
            if (a == ArcUi::kNo)
                return true;
        }
        std::string name = m.name;
        if (options_.rename) {
            if (!Settle())
                return false;
            std::string to;
            if (!ui_.AskRename(m.name, &to))
                return false;
            if (to.empty())
                return true;
            if (to != ".")
                name = to;
        }
        std::string clean;
        bool slash;
        if (!CheckMemberName(name, &clean, &slash) || clean.empty())
            return Refuse(name);
        if (slash)
            return Say(name + ": create file fails");
        std::string path = target_ + "/" + clean;
        if (Pending(clean) && !Settle())
            return false;
        ArcStatus existing;
        bool exists = !KnownMissing(clean) && fs_.Stat(path, &existing);
        if (exists && options_.noOverwrite)
            return true;
        if (exists && options_.ignoreOlder && m.st.mtime < existing.mtime)
            return true;
        size_t cut = clean.rfind('/');
        if (cut != std::string::npos) {
            PathResult made = MakePath(clean.substr(0, cut));
            if (made != kMade)
                return made != kStop;
        }
        if (exists && (existing.isDir || existing.isLink))
            return Say(name + ": create file fails");
        Remember(SameFileKey(clean));
        if (!exists && writers_ > 1 && m.st.size <= static_cast<long long>(kCopyChunk))
            return HandOff(m, name, clean, path);
        if (!Settle())
            return false;
        return Copy(m, name, path, exists);
    }

    // Writes the data; a file that exists already is written beside its
    // name and replaced only when the new one is whole.
    bool Copy(const ArcMember& m, const std::string& name, const std::string& path, bool exists)
    {
        std::string temp = path;
        std::unique_ptr<ArcStream> out = exists ? fs_.CreateBeside(path, &temp) : fs_.Create(path);
        if (!out) {
            ui_.Message(name + ": create file fails");
            return true;
        }
        ui_.Progress(name);
        for (;;) {
            long long got = reader_.ReadData(buffer_.data(), buffer_.size());
            if (got == 0)
                break;
            if (got < 0) {
                out->Close();
                fs_.Remove(temp);
                ui_.Message(ReadError());
                return false;
            }
            if (!out->Write(buffer_.data(), static_cast<size_t>(got))) {
                out->Close();
                fs_.Remove(temp);
                ui_.Message(name + ": write error - extraction stopped");
                return false;
            }
        }
        if (!out->Close()) {
            fs_.Remove(temp);
            ui_.Message(name + ": write error - extraction stopped");
            return false;
        }
        if (temp != path && !fs_.Replace(temp, path)) {
            fs_.Remove(temp);
            ui_.Message(name + ": create file fails");
            return true;
        }
        if (options_.restoreTimes)
            fs_.SetTimes(path, m.st.mtime);
        if (!(m.st.mode & 0200u))
            fs_.MakeReadOnly(path);
        return true;
    }

    std::string ReadError() const
    {
        return type_ == kArcCpio ? "I/O error reading cpio file" : "I/O error reading tar file";
    }

    // A new small file: its data is read here and its making left to a
    // writer. Data the archive cuts short is handled as in Copy, in turn.
    bool HandOff(const ArcMember& m, const std::string& name, const std::string& clean, const std::string& path)
    {
        std::unique_ptr<Handoff> h(new Handoff);
        h->data.resize(static_cast<size_t>(m.st.size));
        size_t have = 0;
        while (have < h->data.size()) {
            long long got = reader_.ReadData(h->data.data() + have, h->data.size() - have);
            if (got == 0)
                break;
            if (got < 0) {
                // Copy would have made the file before finding the data
                // short; what it said then is said here.
                if (!Settle())
                    return false;
                std::unique_ptr<ArcStream> out = fs_.Create(path);
                if (!out) {
                    ui_.Message(name + ": create file fails");
                    return true;
                }
                ui_.Progress(name);
                out->Close();
                fs_.Remove(path);
                ui_.Message(ReadError());
                return false;
            }
            have += static_cast<size_t>(got);
        }
        h->data.resize(have);
        h->name = name;
        h->path = path;
        h->key = SameFileKey(clean);
        h->mtime = m.st.mtime;
        h->setTime = options_.restoreTimes;
        h->readOnly = !(m.st.mode & 0200u);
        if (!StartWriters()) {
            h->outcome = Make(*h);
            return Tell(*h);
        }
        while (pending_.size() >= kMaxPending || (pendingBytes_ + have > kMaxPendingBytes && !pending_.empty())) {
            if (!TellFirst(true))
                return Abandon();
        }
        pendingKeys_.insert(h->key);
        pendingBytes_ += have;
        h->seq = ++handedOff_;
        {
            std::lock_guard<std::mutex> lock(m_);
            pending_.push_back(std::move(h));
        }
        work_.notify_one();
        // Say what is done already, so that the progress keeps up.
        while (!pending_.empty() && FirstDone()) {
            if (!TellFirst(false))
                return Abandon();
        }
        return true;
    }

    bool FirstDone()
    {
        std::lock_guard<std::mutex> lock(m_);
        return pending_.front()->outcome != Handoff::kWaiting;
    }

    bool StartWriters()
    {
        if (!threads_.empty())
            return true;
        if (noThreads_)
            return false;
        // A thread the system will not give leaves the work to the others,
        // or to this one.
        try {
            for (unsigned i = 0; i < writers_; i++)
                threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
        }
        noThreads_ = threads_.empty();
        return !noThreads_;
    }

    void Work()
    {
        std::unique_lock<std::mutex> lock(m_);
        for (;;) {
            work_.wait(lock, [this] { return quit_ || taken_ < pending_.size(); });
            if (quit_)
                return;
            Handoff& j = *pending_[taken_++];
            if (dropping_) {
                j.outcome = Handoff::kDropped;
            } else {
                lock.unlock();
                Handoff::Outcome outcome = Make(j);
                lock.lock();
                j.outcome = outcome;
            }
            done_.notify_all();
        }
    }

    // The file calls of Copy for a handed-off file; the outcome is said by
    // Tell. Read only set aside: a file taken back must still be removable.
    Handoff::Outcome Make(const Handoff& j)
    {
        Handoff::Outcome outcome;
        try {
            std::unique_ptr<ArcStream> out = fs_.Create(j.path);
            if (!out) {
                outcome = Handoff::kCreateFailed;
            } else if (!j.data.empty() && !out->Write(j.data.data(), j.data.size())) {
                out->Close();
                fs_.Remove(j.path);
                outcome = Handoff::kWriteFailed;
            } else if (!out->Close()) {
                fs_.Remove(j.path);
                outcome = Handoff::kWriteFailed;
            } else {
                if (j.setTime)
                    fs_.SetTimes(j.path, j.mtime);
                outcome = Handoff::kWritten;
            }
        } catch (const std::bad_alloc&) {
            outcome = Handoff::kNoMemory;
        }
        return outcome;
    }

    // Says what Copy would have said of a made file; false when that
    // stopped the run.
    bool Tell(Handoff& j)
    {
        switch (j.outcome) {
        case Handoff::kCreateFailed:
            ui_.Message(j.name + ": create file fails");
            return true;
        case Handoff::kWritten:
            ui_.Progress(j.name);
            if (j.readOnly)
                fs_.MakeReadOnly(j.path);
            return true;
        case Handoff::kWriteFailed:
            ui_.Progress(j.name);
            ui_.Message(j.name + ": write error - extraction stopped");
            return false;
        case Handoff::kNoMemory:
            ui_.Message(kExtractOutOfMemory);
            return false;
        default:
            return false;
        }
    }

    // Waits for the first handed-off file (when wait) and says its outcome.
    bool TellFirst(bool wait)
    {
        std::unique_ptr<Handoff> j;
        {
            std::unique_lock<std::mutex> lock(m_);
            if (wait)
                done_.wait(lock, [this] { return pending_.front()->outcome != Handoff::kWaiting; });
            j = std::move(pending_.front());
            pending_.pop_front();
            taken_--;
        }
        pendingKeys_.erase(pendingKeys_.find(j->key));
        pendingBytes_ -= j->data.size();
        toldSeq_ = j->seq;
        if (!Tell(*j))
            return false;
        if (pending_.empty())
            dirsMade_.clear();   // none of them can be taken back now
        return true;
    }

    // Says the outcome of every handed-off file, in order; false when one
    // stopped the run (the files made after it are then taken back).
    bool Settle()
    {
        if (stopped_)
            return false;
        while (!pending_.empty()) {
            if (!TellFirst(true))
                return Abandon();
        }
        return true;
    }

    // A handed-off file stopped the run: the files handed off after it are
    // not made, or removed once made, and the directories made after it
    // removed, the last made first, as a run in turn never reached them.
    bool Abandon()
    {
        stopped_ = true;
        std::unique_lock<std::mutex> lock(m_);
        dropping_ = true;
        work_.notify_all();
        done_.wait(lock, [this] { return taken_ == pending_.size() && AllDone(); });
        for (std::unique_ptr<Handoff>& j : pending_) {
            if (j->outcome == Handoff::kWritten)
                fs_.Remove(j->path);
        }
        for (size_t i = dirsMade_.size(); i-- > 0;) {
            if (dirsMade_[i].first >= toldSeq_)
                fs_.RemoveDir(dirsMade_[i].second);
        }
        dirsMade_.clear();
        pending_.clear();
        taken_ = 0;
        pendingKeys_.clear();
        pendingBytes_ = 0;
        return false;
    }

    bool AllDone() const
    {
        for (const std::unique_ptr<Handoff>& j : pending_) {
            if (j->outcome == Handoff::kWaiting)
                return false;
        }
        return true;
    }

    // Whether nothing can be at a checked path below the target: its
    // directory was made by this run, so began empty, and nothing this run
    // made or tried to make may be known by the path's name. A short (8.3)
    // name can stand for any long one, so a name with a tilde never is.
    bool KnownMissing(const std::string& clean) const
    {
        if (newDirs_.empty() || clean.find('~') != std::string::npos)
            return false;
        std::string key = SameFileKey(clean);
        size_t cut = key.rfind('/');
        return cut != std::string::npos && newDirs_.count(key.substr(0, cut)) && !madeKeys_.count(key);
    }

    // Records a path this run made or tried to make something at. Past
    // kMaxRemembered paths it forgets them all, and from then on every path
    // is asked for; false then.
    bool Remember(const std::string& key)
    {
        if (forgotten_)
            return false;
        if (madeKeys_.size() >= kMaxRemembered) {
            forgotten_ = true;
            newDirs_.clear();
            madeKeys_.clear();
            return false;
        }
        madeKeys_.insert(key);
        return true;
    }

    // Whether a handed-off file may be the one at a checked path below the
    // target. A short (8.3) name can stand for any long one, so a name with
    // a tilde always may.
    bool Pending(const std::string& clean) const
    {
        if (pending_.empty())
            return false;
        if (clean.find('~') != std::string::npos)
            return true;
        return pendingKeys_.count(SameFileKey(clean)) != 0;
    }

    enum PathResult { kMade, kFailed, kStop };

    // Makes every missing directory of a checked relative path below the
    // target. A component that exists as anything but a plain directory, or
    // cannot be made, stops the member (kFailed); kStop when a handed-off
    // file stopped the run.
    PathResult MakePath(const std::string& clean)
    {
        std::string path = target_;
        size_t pos = 0;
        while (pos < clean.size()) {
            size_t slash = clean.find('/', pos);
            if (slash == std::string::npos)
                slash = clean.size();
            path += "/" + clean.substr(pos, slash - pos);
            pos = slash + 1;
            if (madeDirs_.count(path))
                continue;
            if (Pending(clean.substr(0, slash)) && !Settle())
                return kStop;
            ArcStatus st;
            bool ok;
            if (!KnownMissing(clean.substr(0, slash)) && fs_.Stat(path, &st)) {
                ok = st.isDir && !st.isLink;
            } else {
                // Made while files handed off before it are still being
                // made: should one of them stop the run, Abandon takes the
                // directory back.
                ok = fs_.MakeDir(path);
                if (ok) {
                    std::string key = SameFileKey(clean.substr(0, slash));
                    if (Remember(key))
                        newDirs_.insert(key);
                    if (!pending_.empty())
                        dirsMade_.emplace_back(handedOff_, path);
                }
            }
            if (ok) {
                madeDirs_.insert(path);
                continue;
            }
            return Say(clean.substr(0, slash) + ": cant create directory") ? kFailed : kStop;
        }
        return kMade;
    }

    bool Refuse(const std::string& name) { return Say(name + ": unsafe name - not extracted"); }

    ArcReader reader_;
    int type_;
    std::string target_;
    const ExtractOptions& options_;
    ArcFs& fs_;
    ArcUi& ui_;
    std::vector<char> buffer_;
    std::set<std::string> madeDirs_;   // directories known to be plain ones in this run
    // SameFileKey of the directories this run made, and of every path it
    // made or tried to make a file or directory at.
    std::set<std::string> newDirs_;
    std::set<std::string> madeKeys_;
    bool forgotten_ = false;
    static const size_t kMaxRemembered = 1 << 16;

    unsigned writers_ = 1;
    bool noThreads_ = false;
    bool stopped_ = false;
    std::multiset<std::string> pendingKeys_;
    size_t pendingBytes_ = 0;
    size_t handedOff_ = 0;   // files handed off so far
    size_t toldSeq_ = 0;     // the last handed-off file told
    // Directories made while files were handed off and not yet told, each
    // with the number of files handed off before it.
    std::vector<std::pair<size_t, std::string>> dirsMade_;
    // Shared with the writers, under m_: the handed-off files in archive
    // order, how many of them a writer has taken, and each one's outcome.
    std::mutex m_;
    std::condition_variable work_, done_;
    std::deque<std::unique_ptr<Handoff>> pending_;
    size_t taken_ = 0;
    bool dropping_ = false;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

}   // namespace

bool ExtractArchive(ArcStream& in, int type, const std::string& target, const ExtractOptions& options, ArcFs& fs,
                    ArcUi& ui)
{
    try {
        return Extractor(in, type, target, options, fs, ui).Run();
    } catch (const std::bad_alloc&) {
        ui.Message(kExtractOutOfMemory);
        return false;
    }
}

bool AllocateSelection(size_t count, std::vector<int>* selected)
{
    selected->clear();
    if (count > SIZE_MAX / sizeof(int) || count > selected->max_size())
        return false;
    try {
        selected->resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

const char kExtractOutOfMemory[] = "Out of memory - sorry";
