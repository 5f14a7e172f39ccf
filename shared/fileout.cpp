#include "fileout.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {
WriteFault s_fault = WriteFault::kNone;
long long s_faultAt = 0;
long long s_written = 0;   // bytes accepted since the fault was armed

bool Armed(WriteFault fault)
{
    return s_fault == fault && s_written >= s_faultAt;
}
}

void ArmWriteFault(WriteFault fault, long long atByte)
{
    s_fault = fault;
    s_faultAt = atByte;
    s_written = 0;
}

bool WriteBytes(FILE* stream, const void* data, size_t length)
{
    if (!stream)
        return false;
    if (length == 0)
        return !std::ferror(stream);
    size_t allowed = length;
    bool fail = false;
    if (s_fault == WriteFault::kWrite && s_written + static_cast<long long>(length) > s_faultAt) {
        allowed = s_written >= s_faultAt ? 0 : static_cast<size_t>(s_faultAt - s_written);
        fail = true;
    }
    size_t done = allowed ? std::fwrite(data, 1, allowed, stream) : 0;
    s_written += static_cast<long long>(done);
    if (fail || done != length) {
        if (fail)
            errno = ENOSPC;
        return false;
    }
    return true;
}

bool WriteText(FILE* stream, const char* text)
{
    return WriteBytes(stream, text, std::strlen(text));
}

bool FlushStream(FILE* stream)
{
    if (!stream)
        return false;
    if (Armed(WriteFault::kFlush)) {
        errno = ENOSPC;
        return false;
    }
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

bool CloseStream(FILE* stream)
{
    if (!stream)
        return false;
    bool ok = !std::ferror(stream);
    if (!FlushStream(stream))
        ok = false;
    if (std::fclose(stream) != 0)
        ok = false;
    if (Armed(WriteFault::kClose)) {
        errno = EIO;
        ok = false;
    }
    return ok;
}

bool ReplaceWithFile(const char* replacement, const char* target)
{
    if (s_fault == WriteFault::kReplace) {
        errno = EACCES;
        return false;
    }
#ifdef _WIN32
    return MoveFileExA(replacement, target, MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(replacement, target) == 0;
#endif
}

bool MakeTempName(char* name)
{
#ifdef _WIN32
    return _mktemp(name) != nullptr;
#else
    // The runtime's rule: a letter, then the process number in five digits.
    size_t length = std::strlen(name);
    if (length < 6 || std::strcmp(name + length - 6, "XXXXXX") != 0)
        return false;
    char* tail = name + length - 6;
    unsigned pid = static_cast<unsigned>(getpid()) % 100000u;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        std::snprintf(tail, 7, "%c%05u", letter, pid);
        if (access(name, F_OK) != 0)
            return true;
    }
    std::memcpy(tail, "XXXXXX", 6);
    return false;
#endif
}
