#include "pieces.h"

#include <atomic>
#include <memory>
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

namespace {
// The smallest page any of the systems uses; touching more often than a
// page costs a store, not a fault.
const size_t kPage = 4096;

void TouchRange(volatile char* base, size_t at, size_t end)
{
    for (; at < end; at += kPage)
        base[at] = 0;
}
}   // namespace

void TouchPagesAhead(void* block, size_t bytes, const std::function<bool(size_t from, size_t to)>& fill)
{
    const size_t kStretch = 4 * 1024 * 1024;
    const size_t stretches = (bytes + kStretch - 1) / kStretch;
    if (stretches == 0)
        return;
    volatile char* base = static_cast<char*>(block);
    // Stretches are taken in order by whoever is free. A stretch is filled
    // only once its flag says its pages are in: a zero stored into a page
    // after the fill would wipe what the fill put there.
    std::unique_ptr<std::atomic<bool>[]> touched(new std::atomic<bool>[stretches]);
    for (size_t i = 0; i < stretches; ++i)
        touched[i].store(false, std::memory_order_relaxed);
    std::atomic<size_t> next{0};
    auto touchNext = [&]() {
        const size_t i = next.fetch_add(1);
        if (i >= stretches)
            return false;
        TouchRange(base, i * kStretch, i + 1 < stretches ? (i + 1) * kStretch : bytes);
        touched[i].store(true, std::memory_order_release);
        return true;
    };
    Run(For(bytes, kStretch), [&](unsigned piece) {
        if (piece != 0) {
            while (touchNext()) {
            }
            return;
        }
        // The calling thread fills; waiting for a stretch it takes one
        // itself, so it never waits on a thread that did not start.
        bool filling = true;
        for (size_t i = 0; i < stretches && filling; ++i) {
            while (!touched[i].load(std::memory_order_acquire)) {
                if (!touchNext())
                    std::this_thread::yield();
            }
            filling = fill(i * kStretch, i + 1 < stretches ? (i + 1) * kStretch : bytes);
        }
    });
}

}   // namespace pieces
