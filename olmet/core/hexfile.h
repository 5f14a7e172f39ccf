// The file olmet shows, held whole in one memory block. Loading goes
// through a small seam (open, size, block) so that the rules can be tested
// natively and every failure path reached; the program's seam uses the C
// runtime and global memory.
#ifndef OLMET_HEXFILE_H
#define OLMET_HEXFILE_H

#include <cstdio>
#include <string>

#include "hexrows.h"

namespace olmet {

// Where a load gets its file and its memory.
class LoadSeam {
public:
    virtual ~LoadSeam() {}
    virtual std::FILE* Open(const char* path);                  // binary reading; null on failure
    virtual bool FileSize(std::FILE* file, Offset* size);       // from the open file's status
    // Up to `bytes` bytes into `into`, as fread gives them; *failed set when
    // the stream met a read error rather than the file's end.
    virtual size_t Read(std::FILE* file, unsigned char* into, size_t bytes, bool* failed);
    virtual void* Allocate(Offset size);                        // zero-filled; null on failure
    virtual unsigned char* Lock(void* block);                   // null on failure
    virtual void Free(void* block);                             // unlocks when locked
};

// The seam of the running program (the C runtime and its heap natively,
// global memory on Windows).
LoadSeam& DefaultLoadSeam();

enum class LoadError { None, CantOpen, ZeroLength, OutOfMemory, CantLock };

// The message a failed load shows; "cant open %s" names the path as given.
std::string LoadMessage(LoadError error, const std::string& path);

// The loaded file: block, bytes, size and path always belong together. A
// load that fails leaves what was loaded before exactly as it was.
class HexFile {
public:
    explicit HexFile(LoadSeam& seam = DefaultLoadSeam()) : m_seam(&seam) {}
    ~HexFile();
    HexFile(const HexFile&) = delete;
    HexFile& operator=(const HexFile&) = delete;

    // Reads the whole file into a new block; on success the old block goes
    // and the path becomes `path` lower-cased. A read that fails part way
    // is a file that cannot be opened: no part of it is kept.
    LoadError Load(const char* path);

    const unsigned char* Data() const { return m_data; }
    Offset Size() const { return m_size; }
    const std::string& Path() const { return m_path; }
    bool Loaded() const { return m_data != nullptr; }

private:
    void Release();

    LoadSeam* m_seam;
    void* m_block = nullptr;
    unsigned char* m_data = nullptr;
    Offset m_size = 0;
    std::string m_path;
};

}  // namespace olmet

#endif
