// The stand-in for the runtime's directory search, for systems other than
// Windows (the Windows build does not compile this file).
#include "sysio.h"

#include <dirent.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
struct Search {
    std::vector<_finddata_t> found;
    size_t next = 0;
};
}

char* _fullpath(char* buffer, const char* path, size_t size)
{
    std::string full;
    if (path[0] == '/') {
        full = path;
    } else {
        char here[4096];
        if (!getcwd(here, sizeof here))
            return nullptr;
        full = std::string(here) + "/" + path;
    }
    if (!buffer) {
        buffer = static_cast<char*>(std::malloc(full.size() + 1));
        size = full.size() + 1;
        if (!buffer)
            return nullptr;
    }
    if (full.size() + 1 > size)
        return nullptr;
    std::memcpy(buffer, full.c_str(), full.size() + 1);
    return buffer;
}

intptr_t _findfirst(const char* spec, _finddata_t* data)
{
    std::string text(spec);
    size_t slash = text.find_last_of("/\\");
    std::string directory = slash == std::string::npos ? "." : text.substr(0, slash + 1);
    std::string pattern = slash == std::string::npos ? text : text.substr(slash + 1);
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return -1;
    Search* search = new Search;
    while (dirent* entry = readdir(dir)) {
        if (!WildcardMatches(pattern.c_str(), entry->d_name) || std::strlen(entry->d_name) >= 260)
            continue;
        struct stat status;
        std::string path = directory + "/" + entry->d_name;
        if (stat(path.c_str(), &status) != 0)
            continue;
        _finddata_t item = {};
        item.attrib = S_ISDIR(status.st_mode) ? _A_SUBDIR : _A_NORMAL;
        if (!(status.st_mode & S_IWUSR))
            item.attrib |= _A_RDONLY;
        item.time_create = item.time_access = item.time_write = status.st_mtime;
        item.size = static_cast<unsigned long>(status.st_size);
        std::strcpy(item.name, entry->d_name);
        search->found.push_back(item);
    }
    closedir(dir);
    if (search->found.empty()) {
        delete search;
        return -1;
    }
    intptr_t handle = reinterpret_cast<intptr_t>(search);
    _findnext(handle, data);
    return handle;
}

int _findnext(intptr_t handle, _finddata_t* data)
{
    Search* search = reinterpret_cast<Search*>(handle);
    if (search->next >= search->found.size())
        return -1;
    *data = search->found[search->next++];
    return 0;
}

int _findclose(intptr_t handle)
{
    delete reinterpret_cast<Search*>(handle);
    return 0;
}
