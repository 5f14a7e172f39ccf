#include "samefile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <cstring>

const char kOutputIsInputMessage[] = "output file would overwrite input file";

#ifndef _WIN32
// Elsewhere one file is one device and inode, whatever its names.
bool SameFile(const char* a, const char* b)
{
    struct stat statusA;
    struct stat statusB;
    if (stat(a, &statusA) != 0 || stat(b, &statusB) != 0)
        return std::strcmp(a, b) == 0;
    return statusA.st_dev == statusB.st_dev && statusA.st_ino == statusB.st_ino;
}
#else

namespace {
// The full path of name with every existing part in its long form; false
// when the name cannot be made into a path at all.
bool CanonicalPath(const char* name, char* path, DWORD size)
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(name, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full)
        return false;
    DWORD m = GetLongPathNameA(full, path, size);
    if (m == 0 || m >= size) {
        // The file does not exist yet: its directory may still be written
        // with short names, so resolve that part alone.
        char* slash = std::strrchr(full, '\\');
        if (!slash)
            return false;
        *slash = 0;
        char dir[MAX_PATH];
        DWORD d = GetLongPathNameA(full[0] ? full : "\\", dir, sizeof dir);
        if (d == 0 || d >= sizeof dir) {
            *slash = '\\';
            std::strcpy(path, full);
            return true;
        }
        size_t dirLength = std::strlen(dir);
        if (dirLength > 0 && dir[dirLength - 1] == '\\')
            dir[--dirLength] = 0;
        if (dirLength + 1 + std::strlen(slash + 1) + 1 > size)
            return false;
        std::strcpy(path, dir);
        std::strcat(path, "\\");
        std::strcat(path, slash + 1);
    }
    return true;
}

bool Identity(const char* name, BY_HANDLE_FILE_INFORMATION* info)
{
    HANDLE handle = CreateFileA(name,
                                0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr,
                                OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = GetFileInformationByHandle(handle, info);
    CloseHandle(handle);
    return ok != FALSE;
}
}

bool SameFile(const char* a, const char* b)
{
    char pathA[MAX_PATH];
    char pathB[MAX_PATH];
    bool haveA = CanonicalPath(a, pathA, sizeof pathA);
    bool haveB = CanonicalPath(b, pathB, sizeof pathB);
    if (haveA && haveB ? _stricmp(pathA, pathB) == 0 : _stricmp(a, b) == 0)
        return true;
    // Links and other second names of one file.
    BY_HANDLE_FILE_INFORMATION infoA;
    BY_HANDLE_FILE_INFORMATION infoB;
    if (!Identity(a, &infoA) || !Identity(b, &infoB))
        return false;
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow && (infoA.nFileIndexHigh | infoA.nFileIndexLow) != 0;
}
#endif
