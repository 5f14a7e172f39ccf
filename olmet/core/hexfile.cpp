#include "hexfile.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#include <io.h>
#endif

namespace olmet {

namespace {
// The file goes straight into the block in one read when it is smaller than
// this (which the runtime's read takes in one call), in reads of this size
// otherwise: the same bytes as reading it 512 bytes at a time.
const size_t kReadChunk = size_t(1) << 30;
}

std::FILE* LoadSeam::Open(const char* path) { return std::fopen(path, "rb"); }

bool LoadSeam::FileSize(std::FILE* file, Offset* size)
{
#ifdef _WIN32
    struct _stat64 status;
    if (_fstat64(_fileno(file), &status) != 0)
        return false;
#else
    struct stat status;
    if (fstat(fileno(file), &status) != 0)
        return false;
#endif
    *size = static_cast<Offset>(status.st_size);
    return true;
}

size_t LoadSeam::Read(std::FILE* file, unsigned char* into, size_t bytes, bool* failed)
{
    size_t n = std::fread(into, 1, bytes, file);
    *failed = std::ferror(file) != 0;
    return n;
}

void* LoadSeam::Allocate(Offset size)
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

unsigned char* LoadSeam::Lock(void* block)
{
#ifdef _WIN32
    return static_cast<unsigned char*>(::GlobalLock(static_cast<HGLOBAL>(block)));
#else
    return static_cast<unsigned char*>(block);
#endif
}

void LoadSeam::Free(void* block)
{
#ifdef _WIN32
    ::GlobalUnlock(static_cast<HGLOBAL>(block));
    ::GlobalFree(static_cast<HGLOBAL>(block));
#else
    std::free(block);
#endif
}

LoadSeam& DefaultLoadSeam()
{
    static LoadSeam seam;
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

HexFile::~HexFile() { Release(); }

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
    std::FILE* file = m_seam->Open(path);
    if (!file)
        return LoadError::CantOpen;
    Offset size = 0;
    if (!m_seam->FileSize(file, &size)) {
        std::fclose(file);
        return LoadError::CantOpen;
    }
    if (size <= 0) {
        std::fclose(file);
        return LoadError::ZeroLength;
    }
    void* block = m_seam->Allocate(size);
    if (!block) {
        std::fclose(file);
        return LoadError::OutOfMemory;
    }
    unsigned char* data = m_seam->Lock(block);
    if (!data) {
        m_seam->Free(block);
        std::fclose(file);
        return LoadError::CantLock;
    }
    // Never more than the status said; a file that shrank since then is
    // shown as far as it was read, so no byte shown is one the file lacks.
    Offset got = 0;
    bool failed = false;
    while (got < size && !failed) {
        size_t want = static_cast<size_t>(size - got < static_cast<Offset>(kReadChunk) ? size - got : kReadChunk);
        size_t n = m_seam->Read(file, data + got, want, &failed);
        got += static_cast<Offset>(n);
        if (n < want)
            break;
    }
    std::fclose(file);
    // What was read before a read error is no view of the file.
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
    m_size = got;
    m_path = path;
    for (char& c : m_path)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return LoadError::None;
}

}  // namespace olmet
