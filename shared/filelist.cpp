#include "filelist.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "message.h"
#include "names.h"
#include "sysio.h"

char* g_fileNames[1024];
int g_fileCount = 0;

namespace {
const size_t kMaxWordLength = 259;

void ClearFileList()
{
    for (int i = 0; i < g_fileCount; ++i) {
        std::free(g_fileNames[i]);
        g_fileNames[i] = nullptr;
    }
    g_fileCount = 0;
}

char* CopyLowered(const char* name)
{
    size_t length = std::strlen(name);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (!copy)
        return nullptr;
    std::memcpy(copy, name, length + 1);
    LowerBytes(copy, length);
    return copy;
}

// Adds the files that one word matches. False only when memory ran out.
bool AddMatches(const char* word)
{
    struct _finddata_t entry;
    intptr_t search = _findfirst(word, &entry);
    if (search == -1)
        return true;
    do {
        if (g_fileCount >= kMaxFileNames)
            break;
        if (entry.attrib & _A_SUBDIR)
            continue;
        char* name = CopyLowered(entry.name);
        if (!name) {
            _findclose(search);
            ToolMessage("Out of memory");
            return false;
        }
        g_fileNames[g_fileCount++] = name;
    } while (_findnext(search, &entry) == 0);
    _findclose(search);
    return true;
}
}

int CompareFileNames(const void* a, const void* b)
{
    return _stricmp(*static_cast<char* const*>(a), *static_cast<char* const*>(b));
}

int ExpandFileList(const char* spec)
{
    ClearFileList();
    const char* p = spec ? spec : "";
    while (*p) {
        int first = g_fileCount;
        const char* end = std::strchr(p, ' ');
        if (!end)
            end = p + std::strlen(p);
        size_t length = static_cast<size_t>(end - p);
        // A word too long for a path cannot name a file; it is passed over
        // rather than cut to a name it does not mean.
        if (length > 0 && length <= kMaxWordLength) {
            char word[kMaxWordLength + 1];
            std::memcpy(word, p, length);
            word[length] = 0;
            if (!AddMatches(word))
                return 0;
        }
        p = end;
        while (*p == ' ' || *p == '\t')
            ++p;
        if (g_fileCount - first > 1)
            std::qsort(
                &g_fileNames[first], static_cast<size_t>(g_fileCount - first), sizeof g_fileNames[0], CompareFileNames);
    }
    if (g_fileCount == 0) {
        ToolMessage("Cant open specified input file");
        return 0;
    }
    return 1;
}
