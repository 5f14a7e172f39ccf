#include "scanfs.h"

#include <atomic>
#include <cctype>
#include <cstring>
#include <new>

#include "sysio.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32

namespace {

// "*.ext" with a plain extension: the name, or its 8.3 alias, ends in
// ".ext" in any case.
bool EndsWithExtension(const char* name, const char* dotExtension, size_t length)
{
    size_t nameLength = std::strlen(name);
    return nameLength >= length && _strnicmp(name + nameLength - length, dotExtension, length) == 0;
}

bool IsPlainExtensionMask(const char* mask)
{
    if (mask[0] != '*' || mask[1] != '.' || mask[2] == 0)
        return false;
    for (const char* p = mask + 2; *p; ++p) {
        if (std::strchr("*?.<>\"\\/:", *p))
            return false;
    }
    return true;
}

}   // namespace

void ListCurrentDirectory(std::vector<ListedName>& entries)
{
    entries.clear();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        ListedName entry;
        std::memcpy(entry.name, found.cFileName, sizeof entry.name);
        std::memcpy(entry.shortName, found.cAlternateFileName, sizeof entry.shortName);
        entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(entry);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool ListingAnswersMask(const char* mask)
{
    return std::strcmp(mask, "*") == 0 || std::strcmp(mask, "*.*") == 0 || IsPlainExtensionMask(mask);
}

bool ListedNameMatches(const char* mask, const ListedName& entry)
{
    if (!IsPlainExtensionMask(mask))
        return true;   // "*" or "*.*"
    const char* dotExtension = mask + 1;
    size_t length = std::strlen(dotExtension);
    return EndsWithExtension(entry.name, dotExtension, length) ||
           (entry.shortName[0] && EndsWithExtension(entry.shortName, dotExtension, length));
}

bool WholeFileReader::Open(const char* name)
{
    Close();
    HANDLE handle = CreateFileA(name,
                                GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr,
                                OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    m_handle = handle;
    return true;
}

size_t WholeFileReader::Read(char* into, size_t size)
{
    size_t total = 0;
    while (total < size) {
        DWORD chunk = size - total > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size - total);
        DWORD got = 0;
        if (!ReadFile(static_cast<HANDLE>(m_handle), into + total, chunk, &got, nullptr) || got == 0)
            break;
        total += got;
        if (got < chunk)
            break;
    }
    return total;
}

void WholeFileReader::Adopt(WholeFileReader& other)
{
    Close();
    m_handle = other.m_handle;
    other.m_handle = nullptr;
}

void WholeFileReader::Close()
{
    if (m_handle) {
        CloseHandle(static_cast<HANDLE>(m_handle));
        m_handle = nullptr;
    }
}

#else

void ListCurrentDirectory(std::vector<ListedName>& entries)
{
    entries.clear();
    _finddata_t found;
    intptr_t search = _findfirst("*.*", &found);
    if (search == -1)
        return;
    do {
        if (std::strcmp(found.name, ".") == 0 || std::strcmp(found.name, "..") == 0)
            continue;
        ListedName entry;
        std::memcpy(entry.name, found.name, sizeof entry.name);
        entry.shortName[0] = 0;
        entry.directory = (found.attrib & _A_SUBDIR) != 0;
        entries.push_back(entry);
    } while (_findnext(search, &found) == 0);
    _findclose(search);
}

bool ListingAnswersMask(const char* mask)
{
    // A mask with a directory in it lists that directory instead.
    return !std::strpbrk(mask, "/\\");
}

bool ListedNameMatches(const char* mask, const ListedName& entry)
{
    return WildcardMatches(mask, entry.name);
}

bool WholeFileReader::Open(const char* name)
{
    Close();
    m_fd = open(name, O_RDONLY);
    if (m_fd < 0)
        return false;
    struct stat status;
    if (fstat(m_fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        Close();
        return false;
    }
    return true;
}

size_t WholeFileReader::Read(char* into, size_t size)
{
    size_t total = 0;
    while (total < size) {
        ssize_t got = read(m_fd, into + total, size - total);
        if (got <= 0)
            break;
        total += static_cast<size_t>(got);
    }
    return total;
}

void WholeFileReader::Adopt(WholeFileReader& other)
{
    Close();
    m_fd = other.m_fd;
    other.m_fd = -1;
}

void WholeFileReader::Close()
{
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
}

#endif

namespace {
// A worker hands a piece over once it holds this much, and waits while its
// file, not yet the oldest, has this many pieces waiting.
const size_t kPieceSize = 256 * 1024;
const size_t kMaxPieces = 4;
}   // namespace

// One file in flight.
struct FileWorkersItem {
    std::string path;
    std::string header;
    bool taken = false;   // a worker has it
    bool done = false;
    std::atomic<bool> dropped{false};
    int outcome = 0;
    std::deque<FileWorkers::Piece> pieces;
};

#ifdef _WIN32

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*),
              "the lock and condition variables live in pointer-sized members");

class FileWorkers::Hold {
public:
    explicit Hold(FileWorkers& owner) : m_lock(reinterpret_cast<PSRWLOCK>(&owner.m_lock)) { Lock(); }
    ~Hold()
    {
        if (m_held)
            Unlock();
    }
    void Lock()
    {
        AcquireSRWLockExclusive(m_lock);
        m_held = true;
    }
    void Unlock()
    {
        m_held = false;
        ReleaseSRWLockExclusive(m_lock);
    }
    void Wait(void*& condition)
    {
        SleepConditionVariableSRW(reinterpret_cast<PCONDITION_VARIABLE>(&condition), m_lock, INFINITE, 0);
    }

private:
    PSRWLOCK m_lock;
    bool m_held = false;
};

void FileWorkers::Wake(int which, bool all)
{
    PCONDITION_VARIABLE condition = reinterpret_cast<PCONDITION_VARIABLE>(&m_conditions[which]);
    if (all)
        WakeAllConditionVariable(condition);
    else
        WakeConditionVariable(condition);
}

void FileWorkers::Wait(Hold& hold, int which)
{
    hold.Wait(m_conditions[which]);
}

#else

class FileWorkers::Hold {
public:
    explicit Hold(FileWorkers& owner) : m_lock(owner.m_lock) {}
    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }
    std::unique_lock<std::mutex>& lock() { return m_lock; }

private:
    std::unique_lock<std::mutex> m_lock;
};

void FileWorkers::Wake(int which, bool all)
{
    if (all)
        m_conditions[which].notify_all();
    else
        m_conditions[which].notify_one();
}

void FileWorkers::Wait(Hold& hold, int which)
{
    m_conditions[which].wait(hold.lock());
}

#endif

void FileWorkers::Output::Add(const char* text, size_t length)
{
    m_piece.text.append(text, length);
    m_piece.ends.push_back(m_piece.text.size());
    if (m_piece.text.size() >= kPieceSize)
        m_owner.Publish(*m_item, m_piece, false, 0);
}

bool FileWorkers::Output::Dropped() const
{
    return m_item->dropped.load(std::memory_order_relaxed);
}

FileWorkers::FileWorkers(unsigned threads, Task& task) : m_task(task), m_window(threads * 4u)
{
    try {
        for (unsigned i = 0; i < threads; ++i)
            m_workers.emplace_back(&FileWorkers::Work, this, i);
    } catch (...) {
        // The threads already started end before the failure goes on.
        Stop();
        throw;
    }
}

FileWorkers::~FileWorkers()
{
    Stop();
}

void FileWorkers::Stop()
{
    {
        Hold hold(*this);
        m_stopping = true;
        for (const std::shared_ptr<FileWorkersItem>& each : m_items)
            each->dropped = true;
    }
    Wake(kWork, true);
    Wake(kRoom, true);
    for (std::thread& each : m_workers)
        each.join();
    m_workers.clear();
}

bool FileWorkers::SearchMayGoOn() const
{
    if (m_items.empty() || m_roomWaiters > 0 || !m_items.front()->pieces.empty())
        return true;
    size_t finished = 0;
    for (const std::shared_ptr<FileWorkersItem>& each : m_items) {
        if (!each->done)
            break;
        if (++finished >= m_wanted)
            return true;
    }
    return finished == m_items.size();
}

void FileWorkers::WakeSearchIfItMayGoOn()
{
    if (m_searchWaiting && SearchMayGoOn())
        Wake(kReady, true);
}

void FileWorkers::WaitForFinished(size_t count)
{
    Hold hold(*this);
    m_wanted = count ? count : 1;
    while (!SearchMayGoOn()) {
        m_searchWaiting = true;
        Wait(hold, kReady);
        m_searchWaiting = false;
    }
    m_wanted = 1;
}

bool FileWorkers::OldestFinished()
{
    Hold hold(*this);
    return !m_items.empty() && m_items.front()->done;
}

void FileWorkers::Submit(const std::string& path, const std::string& header)
{
    auto item = std::make_shared<FileWorkersItem>();
    item->path = path;
    item->header = header;
    {
        Hold hold(*this);
        m_items.push_back(item);
    }
    Wake(kWork, false);
}

void FileWorkers::Publish(FileWorkersItem& item, Piece& piece, bool last, int outcome)
{
    Hold hold(*this);
    if (!piece.text.empty() && !item.dropped)
        item.pieces.push_back(std::move(piece));
    piece.text.clear();
    piece.ends.clear();
    if (last) {
        item.outcome = outcome;
        item.done = true;
    }
    WakeSearchIfItMayGoOn();
    if (last || item.pieces.size() < kMaxPieces)
        return;
    ++m_roomWaiters;
    WakeSearchIfItMayGoOn();
    while (item.pieces.size() >= kMaxPieces && !item.dropped && !m_stopping)
        Wait(hold, kRoom);
    --m_roomWaiters;
}

bool FileWorkers::NextPiece(Piece& piece, int& outcome)
{
    Hold hold(*this);
    std::shared_ptr<FileWorkersItem> item = m_items.front();
    for (;;) {
        if (!item->pieces.empty()) {
            bool full = item->pieces.size() >= kMaxPieces;
            piece = std::move(item->pieces.front());
            item->pieces.pop_front();
            if (full)
                Wake(kRoom, true);
            return true;
        }
        if (item->done) {
            outcome = item->outcome;
            m_items.pop_front();
            return false;
        }
        m_searchWaiting = true;
        Wait(hold, kReady);
        m_searchWaiting = false;
    }
}

void FileWorkers::Clear()
{
    // A worker holding an item keeps it alive until it has done with it.
    Hold hold(*this);
    for (const std::shared_ptr<FileWorkersItem>& each : m_items)
        each->dropped = true;
    m_items.clear();
    Wake(kRoom, true);
}

void FileWorkers::Work(unsigned worker)
{
    Hold hold(*this);
    for (;;) {
        std::shared_ptr<FileWorkersItem> item;
        while (!m_stopping && !item) {
            for (const std::shared_ptr<FileWorkersItem>& each : m_items) {
                if (!each->taken) {
                    item = each;
                    break;
                }
            }
            if (!item && !m_stopping)
                Wait(hold, kWork);
        }
        if (!item)
            return;
        item->taken = true;
        hold.Unlock();
        Output out(*this, item);
        int outcome;
        try {
            outcome = m_task.Run(worker, item->path, item->header, out);
        } catch (const std::bad_alloc&) {
            outcome = kOutOfMemory;
        }
        Publish(*item, out.m_piece, true, outcome);
        hold.Lock();
    }
}
