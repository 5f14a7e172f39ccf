// The few calls the window-free code makes to the operating system: blocks
// of memory and the size of an open file.
#include "lineindex.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <cstdio>
#include <sys/stat.h>
#endif

namespace zodo {

#ifdef _WIN32
namespace {
// Global memory, locked once for the block's whole life; the handle is
// found again from the locked pointer when the block is given back.
class GlobalBlocks : public BlockMemory {
 public:
  void* Allocate(size_t bytes, LoadStatus* failure) override {
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
  void Release(void* block) override {
    HGLOBAL handle = GlobalHandle(block);
    if (!handle) return;
    GlobalUnlock(handle);
    GlobalFree(handle);
  }
};
}  // namespace

BlockMemory& SystemBlockMemory() {
  static GlobalBlocks blocks;
  return blocks;
}

long long FileSizeOf(FILE* file) {
  struct _stati64 st;
  if (_fstati64(_fileno(file), &st) != 0) return -1;
  return st.st_size;
}

#else
namespace {
class HeapBlocks : public BlockMemory {
 public:
  void* Allocate(size_t bytes, LoadStatus* failure) override {
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) *failure = LoadStatus::OutOfMemory;
    return p;
  }
  void Release(void* block) override { std::free(block); }
};
}  // namespace

BlockMemory& SystemBlockMemory() {
  static HeapBlocks blocks;
  return blocks;
}

long long FileSizeOf(FILE* file) {
  struct stat st;
  if (fstat(fileno(file), &st) != 0) return -1;
  return st.st_size;
}
#endif

}  // namespace zodo
