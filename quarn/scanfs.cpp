#include "scanfs.h"

#include <cctype>
#include <cstring>

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

}  // namespace

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
    HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
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

#ifdef _WIN32

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*),
              "the lock and condition variables live in pointer-sized members");

class ReadAhead::Hold {
public:
    explicit Hold(ReadAhead& owner) : m_lock(reinterpret_cast<PSRWLOCK>(&owner.m_lock)) { Lock(); }
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

void ReadAhead::WakeWorkers(bool all)
{
    if (all)
        WakeAllConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&m_wake));
    else
        WakeConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&m_wake));
}

void ReadAhead::WakeSearch()
{
    WakeAllConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&m_ready));
}

void ReadAhead::WaitForWork(Hold& hold)
{
    hold.Wait(m_wake);
}

void ReadAhead::WaitUntilDone(Hold& hold)
{
    hold.Wait(m_ready);
}

#else

class ReadAhead::Hold {
public:
    explicit Hold(ReadAhead& owner) : m_lock(owner.m_lock) {}
    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }
    std::unique_lock<std::mutex>& lock() { return m_lock; }

private:
    std::unique_lock<std::mutex> m_lock;
};

void ReadAhead::WakeWorkers(bool all)
{
    if (all)
        m_wake.notify_all();
    else
        m_wake.notify_one();
}

void ReadAhead::WakeSearch()
{
    m_ready.notify_all();
}

void ReadAhead::WaitForWork(Hold& hold)
{
    m_wake.wait(hold.lock());
}

void ReadAhead::WaitUntilDone(Hold& hold)
{
    m_ready.wait(hold.lock());
}

#endif

ReadAhead::ReadAhead(unsigned threads, size_t blockSize) : m_blockSize(blockSize), m_window(threads * 2u)
{
    try {
        for (unsigned i = 0; i < threads; ++i)
            m_workers.emplace_back(&ReadAhead::Work, this);
    } catch (...) {
        // The threads already started end before the failure goes on.
        Stop();
        throw;
    }
}

ReadAhead::~ReadAhead()
{
    Stop();
}

void ReadAhead::Stop()
{
    {
        Hold hold(*this);
        m_stopping = true;
    }
    WakeWorkers(true);
    for (std::thread& each : m_workers)
        each.join();
    m_workers.clear();
}

void ReadAhead::Submit(const std::string& path)
{
    auto item = std::make_shared<Item>();
    item->path = path;
    {
        Hold hold(*this);
        if (!m_spare.empty()) {
            item->data.swap(m_spare.back());
            m_spare.pop_back();
        }
        m_items.push_back(item);
    }
    WakeWorkers(false);
}

bool ReadAhead::TakeNext(WholeFileReader& reader, std::vector<char>& block, size_t& got)
{
    Hold hold(*this);
    std::shared_ptr<Item> item = m_items.front();
    while (!item->done)
        WaitUntilDone(hold);
    m_items.pop_front();
    got = item->got;
    if (item->opened) {
        reader.Adopt(*item->reader);
        block.swap(item->data);
    }
    if (item->data.size() >= m_blockSize)
        m_spare.push_back(std::move(item->data));
    return item->opened;
}

void ReadAhead::Clear()
{
    // A worker holding an item keeps it alive until it has done with it.
    Hold hold(*this);
    m_items.clear();
}

void ReadAhead::Work()
{
    Hold hold(*this);
    for (;;) {
        std::shared_ptr<Item> item;
        while (!m_stopping && !item) {
            for (const std::shared_ptr<Item>& each : m_items) {
                if (!each->taken) {
                    item = each;
                    break;
                }
            }
            if (!item && !m_stopping)
                WaitForWork(hold);
        }
        if (!item)
            return;
        item->taken = true;
        hold.Unlock();
        auto reader = std::make_unique<WholeFileReader>();
        bool opened = reader->Open(item->path.c_str());
        size_t got = 0;
        if (opened) {
            if (item->data.size() < m_blockSize)
                item->data.resize(m_blockSize + 1);
            got = reader->Read(item->data.data(), m_blockSize);
            // A short read is the end of the file: nothing more will be read
            // from it, and closing it here keeps that call, a round trip to
            // Wine's server, off the search's thread.
            if (got < m_blockSize)
                reader->Close();
        }
        hold.Lock();
        item->reader = std::move(reader);
        item->opened = opened;
        item->got = got;
        item->done = true;
        WakeSearch();
    }
}
