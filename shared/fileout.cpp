#include "fileout.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "afxstr.h"
#include "filesys.h"
#include "message.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
WriteFault s_fault = WriteFault::kNone;
long long s_faultAt = 0;
long long s_written = 0;   // bytes accepted since the fault was armed
// Streams that missed a write, until they are closed. The runtime's own
// error flag covers real failures; this covers the armed ones too.
std::vector<FILE*> s_failedStreams;

void MarkFailed(FILE* stream)
{
    if (std::find(s_failedStreams.begin(), s_failedStreams.end(), stream) == s_failedStreams.end())
        s_failedStreams.push_back(stream);
}

// Whether the stream had missed a write; forgets it.
bool TakeFailed(FILE* stream)
{
    auto at = std::find(s_failedStreams.begin(), s_failedStreams.end(), stream);
    if (at == s_failedStreams.end())
        return false;
    s_failedStreams.erase(at);
    return true;
}

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
        MarkFailed(stream);
        return false;
    }
    return true;
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
    if (TakeFailed(stream))
        ok = false;
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
    // A read-only file is not replaced: Windows refuses that move, but not
    // every system that runs these programs does, nor does rename.
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
#else
    struct stat status;
    if (stat(target, &status) == 0 && !(status.st_mode & S_IWUSR)) {
        errno = EACCES;
        return false;
    }
    // Nor is a device: a rename would put a file where the device was.
    if (stat(target, &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
        errno = EPERM;
        return false;
    }
#endif
    return filesys::Replace(replacement, target);
}

namespace {

unsigned ProcessNumber()
{
#ifdef _WIN32
    return static_cast<unsigned>(GetCurrentProcessId());
#else
    return static_cast<unsigned>(getpid());
#endif
}

// Creates name if no file has it. Null with exists set when the name is
// taken; null with exists clear when the system refuses for another reason.
FILE* CreateExclusively(const char* name, bool text, bool& exists)
{
    exists = false;
#ifdef _WIN32
    HANDLE handle = CreateFileA(
        name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        // A directory or a file being deleted under the name is refused as
        // access denied rather than as existing.
        exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                 (error == ERROR_ACCESS_DENIED && GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES);
        return nullptr;
    }
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | (text ? _O_TEXT : _O_BINARY));
    if (descriptor == -1) {
        CloseHandle(handle);
        DeleteFileA(name);
        return nullptr;
    }
    FILE* stream = _fdopen(descriptor, text ? "wt" : "wb");
    if (!stream) {
        _close(descriptor);
        DeleteFileA(name);
    }
    return stream;
#else
    int descriptor = open(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (descriptor < 0) {
        exists = errno == EEXIST;
        return nullptr;
    }
    FILE* stream = fdopen(descriptor, text ? "w" : "wb");
    if (!stream) {
        close(descriptor);
        unlink(name);
    }
    return stream;
#endif
}

}

void TempNameCandidate(char* name, unsigned attempt)
{
    const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    // Odd multipliers keep every attempt of a process on a name of its own,
    // and processes apart from one another.
    unsigned long long value =
        (ProcessNumber() * 2654435761ull + attempt * 40503ull) % (36ull * 36 * 36 * 36 * 36 * 36);
    char* tail = name + std::strlen(name) - 6;
    for (int i = 5; i >= 0; --i) {
        tail[i] = kDigits[value % 36];
        value /= 36;
    }
}

FILE* CreateUniqueFile(char* name, bool text)
{
    size_t length = std::strlen(name);
    if (length < 6 || std::strcmp(name + length - 6, "XXXXXX") != 0)
        return nullptr;
    for (unsigned attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        TempNameCandidate(name, attempt);
        bool exists = false;
        FILE* stream = CreateExclusively(name, text, exists);
        if (stream)
            return stream;
        if (!exists)
            break;
    }
    std::memcpy(name + length - 6, "XXXXXX", 6);
    return nullptr;
}

FILE* CreateReplacement(const char* target, char* tempName)
{
    // The directory part of target, so that the move stays on one volume.
    size_t directory = 0;
    for (size_t i = 0; target[i]; ++i) {
        if (target[i] == '\\' || target[i] == '/' || target[i] == ':')
            directory = i + 1;
    }
    const char kTemplate[] = "tmXXXXXX";
    if (directory + sizeof kTemplate > 260)
        return nullptr;
    std::memcpy(tempName, target, directory);
    std::memcpy(tempName + directory, kTemplate, sizeof kTemplate);
    return CreateUniqueFile(tempName);
}

Replacement FinishReplacement(FILE* stream, const char* tempName, const char* target, bool written)
{
    if (!CloseStream(stream))
        written = false;
    Replacement outcome = !written                            ? Replacement::kWriteFailed
                          : ReplaceWithFile(tempName, target) ? Replacement::kDone
                                                              : Replacement::kReplaceFailed;
    if (outcome != Replacement::kDone)
        DiscardShortFile(tempName);
    return outcome;
}

void DiscardShortFile(const char* name)
{
    if (std::remove(name) != 0) {
        CString message("cant remove incomplete file ");
        message += name;
        ToolMessage(message);
    }
}

bool ReportReplacement(Replacement outcome, const char* target)
{
    if (outcome == Replacement::kWriteFailed) {
        CString message("cant write output file ");
        message += target;
        ToolMessage(message);
    } else if (outcome == Replacement::kReplaceFailed) {
        // The file is held open or read-only: to the user, as if it could
        // not be made.
        ToolMessage("cant create output file");
    }
    return outcome == Replacement::kDone;
}
