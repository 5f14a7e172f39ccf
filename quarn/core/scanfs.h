// The file-system side of quarn's search: one listing of a directory that
// answers every file mask and finds the subdirectories, and files read whole
// with the platform's own calls. Under Wine each listing, open, read and
// status call is a round trip to the server, so the search makes as few as
// it can.
#ifndef QUARN_SCANFS_H
#define QUARN_SCANFS_H

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ListedName {
    char name[260];       // as the directory has it
    char shortName[14];   // the 8.3 alias masks also match on Windows; empty when there is none
    bool directory;
};

// Every entry of the current directory, "." and ".." left out, in the order
// the platform lists "*.*". Empty when the directory cannot be listed.
void ListCurrentDirectory(std::vector<ListedName>& entries);

// Whether ListedNameMatches gives for mask exactly what the platform's own
// listing of mask gives; other masks are listed by the platform.
bool ListingAnswersMask(const char* mask);

// For a mask that ListingAnswersMask accepts: whether the platform's listing
// of mask holds the entry.
bool ListedNameMatches(const char* mask, const ListedName& entry);

// A file opened for reading only, shared with writers as the runtime's
// fopen shares it.
class WholeFileReader {
public:
    WholeFileReader() = default;
    // Takes over the open file of other.
    void Adopt(WholeFileReader& other);
    ~WholeFileReader() { Close(); }
    WholeFileReader(const WholeFileReader&) = delete;
    WholeFileReader& operator=(const WholeFileReader&) = delete;

    bool Open(const char* name);
    // Up to size bytes; fewer only at the end of the file or after an error,
    // so a short read needs no second read to find the end.
    size_t Read(char* into, size_t size);
    void Close();

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

// Files searched on worker threads, one worker per file, their results
// taken by the search's thread strictly in the order it gave the files, so
// that the waits for the file system overlap each other and the matching.
// A worker writes a file's results as a run of chunks (the pieces of text the
// search in turn appends one by one) into pieces of its own; the search's
// thread takes each piece as it is finished, and a worker waits once its
// file has a few finished pieces waiting, so a file with much output never
// needs more than those in memory.
struct FileWorkersItem;

class FileWorkers {
public:
    // Finished text of a file, with the end of each chunk in it.
    struct Piece {
        std::string text;
        std::vector<size_t> ends;
    };

    // Where a worker writes a file's results.
    class Output {
    public:
        void Add(const char* text, size_t length);
        // The search wants nothing more of this file: the worker may stop.
        bool Dropped() const;

    private:
        friend class FileWorkers;
        Output(FileWorkers& owner, const std::shared_ptr<FileWorkersItem>& item) : m_owner(owner), m_item(item) {}
        FileWorkers& m_owner;
        std::shared_ptr<FileWorkersItem> m_item;
        Piece m_piece;
    };

    // What a worker does with a file: search it, writing its results to out,
    // and return what TakeNext is to hand back for it (kOutOfMemory when the
    // task ran out of memory).
    class Task {
    public:
        virtual int Run(unsigned worker, const std::string& path, const std::string& header, Output& out) = 0;

    protected:
        ~Task() = default;
    };

    enum { kOutOfMemory = -1000 };

    FileWorkers(unsigned threads, Task& task);
    ~FileWorkers();
    FileWorkers(const FileWorkers&) = delete;
    FileWorkers& operator=(const FileWorkers&) = delete;

    // How many files may be in flight at once.
    size_t Window() const { return m_window; }
    size_t InFlight() const { return m_items.size(); }

    // Queues a file by its full path, with the header its results begin
    // with; at most Window() may be in flight.
    void Submit(const std::string& path, const std::string& header);

    // The oldest file given: each of its pieces given to take(piece) as it is
    // finished, then what its task returned.
    template <class Take>
    int TakeNext(Take take)
    {
        Piece piece;
        int outcome;
        while (NextPiece(piece, outcome))
            take(static_cast<const Piece&>(piece));
        return outcome;
    }

    // Waits until the oldest `count` files are finished, or every file in
    // flight, or until the oldest file has results to take or a worker waits
    // for the search to take some: the search's thread then takes a run of
    // files at one wake-up rather than one file at each.
    void WaitForFinished(size_t count);
    // Whether the oldest file is finished, so that TakeNext will not wait.
    bool OldestFinished();

    // Drops every file still in flight.
    void Clear();

private:
    class Hold;
    friend class Output;
    bool NextPiece(Piece& piece, int& outcome);
    void Publish(FileWorkersItem& item, Piece& piece, bool last, int outcome);
    void Stop();
    void Work(unsigned worker);
    void Wait(Hold& hold, int which);
    void Wake(int which, bool all);
    bool SearchMayGoOn() const;
    void WakeSearchIfItMayGoOn();

    enum { kWork, kReady, kRoom, kConditions };

    Task& m_task;
    size_t m_window;
    // On Windows the system's slim lock and condition variables, which
    // Wine waits on inside the process; the runtime's thread library asks
    // Wine's server at every wait and wake-up.
#ifdef _WIN32
    void* m_lock = nullptr;
    // Workers: a file or the end; the search: a piece or a file finished;
    // a worker: room for its pieces.
    void* m_conditions[kConditions] = {};
#else
    std::mutex m_lock;
    std::condition_variable m_conditions[kConditions];
#endif
    std::deque<std::shared_ptr<FileWorkersItem>> m_items;
    bool m_stopping = false;
    bool m_searchWaiting = false;   // the search's thread sleeps on kReady
    size_t m_wanted = 1;            // finished files the search waits for
    size_t m_roomWaiters = 0;       // workers waiting for the search to take pieces
    std::vector<std::thread> m_workers;
};

#endif
