#include "pieces.h"

#include <thread>
#include <vector>

namespace pieces {

unsigned Processors()
{
    const unsigned n = std::thread::hardware_concurrency();
    return n ? n : 1;
}

void Run(unsigned count, const std::function<void(unsigned)>& work)
{
    std::vector<std::thread> threads;
    std::vector<unsigned> leftOver;
    threads.reserve(count);
    leftOver.reserve(count);
    for (unsigned i = 1; i < count; ++i) {
        try {
            threads.emplace_back(work, i);
        } catch (...) {   // no thread (or no memory for one): done here below
            leftOver.push_back(i);
        }
    }
    try {
        if (count)
            work(0);
        for (unsigned i : leftOver)
            work(i);
    } catch (...) {   // the started threads end before the failure goes on
        for (std::thread& each : threads)
            each.join();
        throw;
    }
    for (std::thread& each : threads)
        each.join();
}

unsigned For(size_t bytes, size_t least)
{
    const size_t most = Processors();
    size_t n = least ? bytes / least : most;
    if (n > most)
        n = most;
    return n ? static_cast<unsigned>(n) : 1;
}

void TouchPages(void* block, size_t bytes)
{
    // The smallest page any of the systems uses; touching more often than
    // a page costs a store, not a fault.
    const size_t kPage = 4096;
    volatile char* base = static_cast<char*>(block);
    const unsigned count = For(bytes, 4 * 1024 * 1024);
    const size_t pages = (bytes + kPage - 1) / kPage;
    const size_t pagesEach = (pages + count - 1) / count;
    Run(count, [&](unsigned piece) {
        size_t at = static_cast<size_t>(piece) * pagesEach * kPage;
        const size_t end = at + pagesEach * kPage < bytes ? at + pagesEach * kPage : bytes;
        for (; at < end; at += kPage)
            base[at] = 0;
    });
}

}   // namespace pieces
