// The file olmet shows, held whole in one memory block. The file is read
// through the file system's seam; the block comes from a small seam of the
// program's own, so that the rules can be tested natively and every failure
// of memory reached. The program's block is global memory on Windows.
#ifndef OLMET_HEXFILE_H
#define OLMET_HEXFILE_H

#include <string>

#include "filesys.h"
#include "hexrows.h"

namespace olmet {

// Where a load gets its block.
class MemorySeam {
public:
    virtual ~MemorySeam() {}
    virtual void* Allocate(Offset size);        // zero-filled; null on failure
    virtual unsigned char* Lock(void* block);   // null on failure
    virtual void Free(void* block);             // unlocks when locked
};

// The seam of the running program (the C runtime's heap natively, global
// memory on Windows).
MemorySeam& DefaultMemorySeam();

enum class LoadError { None, CantOpen, ZeroLength, OutOfMemory, CantLock };

// The message a failed load shows; "cant open %s" names the path as given.
std::string LoadMessage(LoadError error, const std::string& path);

// The loaded file: block, bytes, size and path always belong together. A
// load that fails leaves what was loaded before exactly as it was.
class HexFile {
public:
    explicit HexFile(MemorySeam& seam = DefaultMemorySeam()) : m_seam(&seam) {}
    ~HexFile();
    HexFile(const HexFile&) = delete;
    HexFile& operator=(const HexFile&) = delete;

    // Reads the whole file into a new block; on success the old block goes
    // and the path becomes `path` lower-cased. A read that fails part way
    // is a file that cannot be opened: no part of it is kept.
    LoadError Load(const char* path);
    // The same for a file already open, whose status gave statSize bytes
    // (-1: it gave none).
    LoadError Load(filesys::File& file, Offset statSize, const char* path);

    const unsigned char* Data() const { return m_data; }
    Offset Size() const { return m_size; }
    const std::string& Path() const { return m_path; }
    bool Loaded() const { return m_data != nullptr; }

private:
    void Release();

    MemorySeam* m_seam;
    void* m_block = nullptr;
    unsigned char* m_data = nullptr;
    Offset m_size = 0;
    std::string m_path;
};

}   // namespace olmet

#endif
