#include "hexfile.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#endif

#include "names.h"
#include "pieces.h"

namespace olmet {

void* MemorySeam::Allocate(Offset size)
{
    // A size this process cannot address is plain lack of memory.
    if (size <= 0 || static_cast<std::uint64_t>(size) > std::numeric_limits<size_t>::max() / 2)
        return nullptr;
#ifdef _WIN32
    return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
#else
    return std::calloc(static_cast<size_t>(size), 1);
#endif
}

unsigned char* MemorySeam::Lock(void* block)
{
#ifdef _WIN32
    return static_cast<unsigned char*>(::GlobalLock(static_cast<HGLOBAL>(block)));
#else
    return static_cast<unsigned char*>(block);
#endif
}

void MemorySeam::Free(void* block)
{
#ifdef _WIN32
    ::GlobalUnlock(static_cast<HGLOBAL>(block));
    ::GlobalFree(static_cast<HGLOBAL>(block));
#else
    std::free(block);
#endif
}

MemorySeam& DefaultMemorySeam()
{
    static MemorySeam seam;
    return seam;
}

std::string LoadMessage(LoadError error, const std::string& path)
{
    switch (error) {
    case LoadError::None:
        return std::string();
    case LoadError::CantOpen:
        return "cant open " + path;
    case LoadError::ZeroLength:
        return "Zero length file!";
    case LoadError::OutOfMemory:
        return "Out of memory";
    case LoadError::CantLock:
        return "Cant lock global memory - get help";
    }
    return std::string();
}

HexFile::~HexFile()
{
    Release();
}

void HexFile::Release()
{
    if (m_block)
        m_seam->Free(m_block);
    m_block = nullptr;
    m_data = nullptr;
    m_size = 0;
}

LoadError HexFile::Load(const char* path)
{
    filesys::File file;
    if (!file.Open(path, filesys::Mode::kRead))
        return LoadError::CantOpen;
    filesys::Status status;
    // Only read from: closing it unchecked loses nothing.
    return Load(file, file.GetStatus(&status) ? status.size : -1, path);
}

LoadError HexFile::Load(filesys::File& file, Offset statSize, const char* path)
{
    if (statSize < 0)
        return LoadError::CantOpen;
    if (statSize == 0)
        return LoadError::ZeroLength;
    void* block = m_seam->Allocate(statSize);
    if (!block)
        return LoadError::OutOfMemory;
    unsigned char* data = m_seam->Lock(block);
    if (!data) {
        m_seam->Free(block);
        return LoadError::CantLock;
    }
    // The file goes straight into the block, front to back, never more than
    // the status said, while the block's pages are faulted in ahead of the
    // read on the other processors (a zero into each page of a zeroed
    // block). A file that shrank since the status call is shown as far as
    // it was read, so no byte shown is one the file lacks. What was read
    // before a read error is no view of the file.
    size_t got = 0;
    bool failed = false;
    pieces::TouchPagesAhead(data, static_cast<size_t>(statSize), [&](size_t from, size_t to) {
        const size_t read = file.Read(data + from, to - from);
        got += read;
        failed = filesys::LastError() != filesys::Error::kNone;
        return !failed && read == to - from;
    });
    if (failed) {
        m_seam->Free(block);
        return LoadError::CantOpen;
    }
    if (got == 0) {
        m_seam->Free(block);
        return LoadError::ZeroLength;
    }

    Release();
    m_block = block;
    m_data = data;
    m_size = static_cast<Offset>(got);
    m_path = LowerName(path);
    return LoadError::None;
}

}   // namespace olmet
