// The file-system seam on Windows: Win32 calls, ANSI paths.
#include "platform.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "names.h"

namespace {

int64_t UnixSeconds(const FILETIME& time)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    // 100-nanosecond ticks since 1601 to seconds since 1970.
    return static_cast<int64_t>(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

DirEntry EntryFrom(const WIN32_FIND_DATAA& found)
{
    DirEntry entry;
    entry.name = found.cFileName;
    entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.readOnly = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    entry.archive = (found.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
    entry.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.system = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    entry.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    entry.writeTime = UnixSeconds(found.ftLastWriteTime);
    return entry;
}

bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE file = CreateFileA(path.c_str(),
                              0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr,
                              OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return ok != 0;
}

// The full, long spelling of an existing path, for a comparison that does
// not depend on how the user typed it.
std::string LongFullPath(const std::string& path)
{
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::string();
    std::string full(needed, '\0');
    DWORD got = GetFullPathNameA(path.c_str(), needed, &full[0], nullptr);
    if (got == 0 || got >= needed)
        return std::string();
    full.resize(got);
    needed = GetLongPathNameA(full.c_str(), nullptr, 0);
    if (needed == 0)
        return full;
    std::string longer(needed, '\0');
    got = GetLongPathNameA(full.c_str(), &longer[0], needed);
    if (got == 0 || got >= needed)
        return full;
    longer.resize(got);
    return longer;
}

}

namespace platform {

bool FindEntries(const std::string& pattern, std::vector<DirEntry>& entries, size_t limit)
{
    entries.clear();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (entries.size() >= limit)
            break;
        entries.push_back(EntryFrom(found));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

std::string CurrentDirectory()
{
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return std::string();
    std::string path(needed, '\0');
    DWORD got = GetCurrentDirectoryA(needed, &path[0]);
    if (got == 0 || got >= needed)
        return std::string();
    path.resize(got);
    return path;
}

bool ChangeDirectory(const std::string& path)
{
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

bool SameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!Identity(a, first) || !Identity(b, second))
        return false;
    if (first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
        first.nFileIndexLow == second.nFileIndexLow && (first.nFileIndexHigh | first.nFileIndexLow) != 0)
        return true;
    // Some file systems give no file index; the long full paths still tell.
    std::string longA = LongFullPath(a), longB = LongFullPath(b);
    return !longA.empty() && lstrcmpiA(longA.c_str(), longB.c_str()) == 0;
}

std::string ShortAlias(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    FindClose(search);
    return found.cAlternateFileName;
}

bool IsCharacterDevice(const std::string& path)
{
    // Opened for no access, only to ask what it is: a file on disk is left
    // as it is, and a device is not claimed.
    HANDLE handle =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    bool device = GetFileType(handle) == FILE_TYPE_CHAR;
    CloseHandle(handle);
    return device;
}

void LowerLastComponent(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    std::string name = found.cFileName;
    std::string lowered = LowerName(name);
    if (name == lowered)
        return;
    size_t cut = path.find_last_of("/\\:");
    std::string directory = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    // A rename that changes only letter case is not taken everywhere; the
    // way through a fresh name is.
    std::string wanted = directory + lowered;
    if (MoveFileA(path.c_str(), wanted.c_str())) {
        search = FindFirstFileA(wanted.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            if (lowered == found.cFileName)
                return;
        }
    }
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        char name[16];
        std::snprintf(
            name, sizeof name, "tm%06u", static_cast<unsigned>((GetTickCount() + attempt * 7919u) % 1000000u));
        std::string between = directory + name;
        if (!MoveFileA(wanted.c_str(), between.c_str())) {
            if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return;
        }
        MoveFileA(between.c_str(), wanted.c_str());
        return;
    }
}

char Separator()
{
    return '\\';
}

}
