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

// Files opened and their first block read on worker threads ahead of the
// search, which takes them strictly in the order it gave them, so the waits
// for the file system overlap each other and the matching. The matching
// itself stays on the search's thread (the expression matcher keeps its
// state in globals).
class ReadAhead {
public:
    ReadAhead(unsigned threads, size_t blockSize);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // How many files may be in flight at once.
    size_t Window() const { return m_window; }
    size_t InFlight() const { return m_items.size(); }

    // Queues a file by its full path; at most Window() may be in flight.
    void Submit(const std::string& path);

    // Waits for the oldest file given: false when it could not be opened;
    // otherwise its first block is swapped into `block` (of the block size),
    // `got` bytes of it read, and reader holds the file open after it, or
    // closed when `got` is short of the block, the file being at its end.
    bool TakeNext(WholeFileReader& reader, std::vector<char>& block, size_t& got);

    // Drops every file still in flight.
    void Clear();

private:
    struct Item {
        std::string path;
        bool taken = false;    // a worker has it
        bool done = false;
        bool opened = false;
        std::unique_ptr<WholeFileReader> reader;
        std::vector<char> data;
        size_t got = 0;
    };
    class Hold;
    void Stop();
    void Work();
    void WaitForWork(Hold& hold);
    void WaitUntilDone(Hold& hold);
    void WakeWorkers(bool all);
    void WakeSearch();

    size_t m_blockSize;
    size_t m_window;
    // On Windows the system's slim lock and condition variables, which
    // Wine waits on inside the process; the runtime's thread library asks
    // Wine's server at every wait and wake-up.
#ifdef _WIN32
    void* m_lock = nullptr;
    void* m_wake = nullptr;     // workers: an item to read, or the end
    void* m_ready = nullptr;    // the search: an item is done
#else
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_ready;
#endif
    std::deque<std::shared_ptr<Item>> m_items;
    std::vector<std::vector<char>> m_spare;  // block buffers to reuse
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};

#endif
