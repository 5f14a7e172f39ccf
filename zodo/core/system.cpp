// The blocks of memory the window-free code holds the text and its index
// in: the pager's own side of the system (the file it reads through the
// file system's seam).
#include "lineindex.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zodo {

#ifdef _WIN32
namespace {
// Global memory, locked once for the block's whole life; the handle is
// found again from the locked pointer when the block is given back.
class GlobalBlocks : public BlockMemory {
public:
    void* Allocate(size_t bytes, LoadStatus* failure) override
    {
        HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, bytes ? bytes : 1);
        if (!handle) {
            *failure = LoadStatus::OutOfMemory;
            return nullptr;
        }
        void* p = GlobalLock(handle);
        if (!p) {
            GlobalFree(handle);
            *failure = LoadStatus::CantLock;
            return nullptr;
        }
        return p;
    }
    void Release(void* block) override
    {
        HGLOBAL handle = GlobalHandle(block);
        if (!handle)
            return;
        GlobalUnlock(handle);
        GlobalFree(handle);
    }
};
}   // namespace

BlockMemory& SystemBlockMemory()
{
    static GlobalBlocks blocks;
    return blocks;
}

#else
namespace {
class HeapBlocks : public BlockMemory {
public:
    void* Allocate(size_t bytes, LoadStatus* failure) override
    {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p)
            *failure = LoadStatus::OutOfMemory;
        return p;
    }
    void Release(void* block) override { std::free(block); }
};
}   // namespace

BlockMemory& SystemBlockMemory()
{
    static HeapBlocks blocks;
    return blocks;
}
#endif

}   // namespace zodo
