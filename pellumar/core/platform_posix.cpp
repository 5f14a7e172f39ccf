// The file-system seam natively: POSIX calls, with the wildcard matching of
// the Windows directory search (letter case ignored, "*.*" matches every
// name) so that the core behaves alike on both.
#include "platform.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "names.h"

namespace platform {

bool FindEntries(const std::string& pattern, std::vector<DirEntry>& entries, size_t limit)
{
    entries.clear();
    size_t cut = pattern.find_last_of("/\\");
    std::string directory = cut == std::string::npos ? "." : pattern.substr(0, cut + 1);
    std::string namePattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    if (namePattern.empty())
        return false;
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return false;
    while (struct dirent* found = readdir(dir)) {
        if (entries.size() >= limit)
            break;
        if (!WildcardMatches(namePattern.c_str(), found->d_name))
            continue;
        std::string full = (cut == std::string::npos ? std::string() : directory) + found->d_name;
        struct stat status;
        if (stat(full.c_str(), &status) != 0)
            continue;
        DirEntry entry;
        entry.name = found->d_name;
        entry.directory = S_ISDIR(status.st_mode);
        entry.readOnly = (status.st_mode & S_IWUSR) == 0;
        entry.size = entry.directory ? 0 : static_cast<uint64_t>(status.st_size);
        entry.writeTime = static_cast<int64_t>(status.st_mtime);
        entries.push_back(entry);
    }
    closedir(dir);
    return !entries.empty();
}

std::string CurrentDirectory()
{
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size()))
        return std::string();
    return buffer.data();
}

bool ChangeDirectory(const std::string& path)
{
    return chdir(path.c_str()) == 0;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string ShortAlias(const std::string&)
{
    return std::string();
}

bool IsCharacterDevice(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISCHR(status.st_mode);
}

void LowerLastComponent(const std::string& path)
{
    size_t cut = path.find_last_of('/');
    size_t start = cut == std::string::npos ? 0 : cut + 1;
    std::string wanted = path.substr(0, start) + LowerName(path.substr(start));
    // Letter case makes another name here: one already taken is left alone,
    // and a refused rename only leaves the name spelled as it was.
    if (wanted != path && !Exists(wanted))
        (void)rename(path.c_str(), wanted.c_str());
}

char Separator()
{
    return '/';
}

}
