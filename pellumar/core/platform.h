// The few file-system calls the shell's window-free core makes, behind one
// small seam, so the core and its tests build and run on Windows and
// natively. IsDirectory, Exists and RemoveFile are the tool library's
// filesys calls (platform_files.cpp); the rest are the shell's own, in
// platform_win.cpp (Win32) and platform_posix.cpp (POSIX).
#ifndef PELLUMAR_PLATFORM_H
#define PELLUMAR_PLATFORM_H

#include <cstdint>
#include <string>
#include <vector>

// One directory entry as the listing and the copy see it.
struct DirEntry {
    std::string name;   // as the file system spells it
    bool directory = false;
    bool readOnly = false;
    bool archive = false;
    bool hidden = false;
    bool system = false;
    uint64_t size = 0;       // 64-bit: a 3 GB file is 3 GB
    int64_t writeTime = 0;   // seconds since 1970, UTC
};

namespace platform {

// Entries that pattern (a wildcard name, possibly with a directory part)
// matches, at most limit of them, in the order the system delivers them.
// False when nothing matches.
bool FindEntries(const std::string& pattern, std::vector<DirEntry>& entries, size_t limit);

// The current directory as the system spells it; empty when it cannot say.
std::string CurrentDirectory();
bool ChangeDirectory(const std::string& path);
// IsDirectory follows a link; Exists is true for any name that is taken.
bool IsDirectory(const std::string& path);
bool Exists(const std::string& path);

// True when both paths exist and name one file (same volume and file index,
// or device and inode), whatever spelling reaches it.
bool SameFile(const std::string& a, const std::string& b);

// The 8.3 alias of the last component of path; empty when the file system
// keeps none (or the file cannot be found).
std::string ShortAlias(const std::string& path);

// True when path opens a character device (nul, a printer or serial port;
// natively /dev/null and the like) rather than a file on disk.
bool IsCharacterDevice(const std::string& path);

bool RemoveFile(const std::string& path);

// Renames path so that its last component is in lower case, when it is not
// already and no other file has that name. The file is never without a name.
void LowerLastComponent(const std::string& path);

// The path separator the system writes ('\\' on Windows, '/' natively); both
// are read everywhere.
char Separator();

}

#endif
