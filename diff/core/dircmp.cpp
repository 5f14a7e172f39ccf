#include "dircmp.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "message.h"
#include "sysio.h"

std::vector<_finddata_t> g_dirEntries[2];
size_t g_dirEntryCount[2];
size_t g_dirIndex[2];

namespace {
const size_t kCompareBlock = 64 * 1024;

// Decimal text of a byte position or line number; files past 2 GB keep
// their true figures.
CString Decimal(long long value)
{
    char text[24];
    char* p = text + sizeof text - 1;
    *p = 0;
    unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = '-';
    return CString(p);
}

void ReportCantOpen(const char* name)
{
    CString message("cant open ");
    message += name;
    ToolMessage(message);
}

// Reads as much of block as the file still holds; short only at its end.
size_t ReadBlock(FILE* file, char* block)
{
    size_t total = 0;
    while (total < kCompareBlock) {
        size_t got = std::fread(block + total, 1, kCompareBlock - total, file);
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

size_t CountLineFeeds(const char* text, size_t length)
{
    size_t count = 0;
    const char* end = text + length;
    for (const char* p = text; p < end;) {
        const char* hit = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!hit)
            break;
        ++count;
        p = hit + 1;
    }
    return count;
}

// The full path of name as the current directory resolves it.
CString AbsoluteName(const char* name)
{
    char* full = _fullpath(nullptr, name, 0);
    if (!full)
        return CString(name);
    CString result(full);
    std::free(full);
    return result.IsEmpty() ? CString(name) : result;
}

// Makes dir the current directory, changing the drive first when it names
// one.
bool EnterDirectory(const char* dir)
{
    const char* colon = std::strchr(dir, ':');
    const char* path = dir;
    if (colon) {
        int drive = std::toupper(static_cast<unsigned char>(dir[0])) - 'A' + 1;
        if (_chdrive(drive) != 0)
            return false;
        path = colon + 1;
    }
    return _chdir(path) == 0;
}

// Fills table f with the plain files of the current directory, names
// upper-cased, sorted.
void ReadDirectoryTable(int f)
{
    std::vector<_finddata_t>& table = g_dirEntries[f];
    table.clear();
    _finddata_t entry;
    intptr_t handle = _findfirst("*.*", &entry);
    if (handle != -1) {
        do {
            if (entry.attrib & _A_SUBDIR)
                continue;
            for (char* p = entry.name; *p; ++p)
                *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
            table.push_back(entry);
        } while (_findnext(handle, &entry) == 0);
        _findclose(handle);
    }
    g_dirEntryCount[f] = table.size();
    if (!table.empty())
        std::qsort(table.data(), table.size(), sizeof(_finddata_t), CompareDirEntryNames);
}

bool Exhausted(int f)
{
    return g_dirIndex[f] >= g_dirEntryCount[f];
}

const char* CurrentName(int f)
{
    return g_dirEntries[f][g_dirIndex[f]].name;
}

// Lists the names of table f that sort before the other table's current
// name (all that are left when the other table is exhausted).
void ListOnlyIn(CString& result, int f, const char* dir)
{
    int other = 1 - f;
    while (!Exhausted(f)) {
        if (!Exhausted(other) && !(std::strcmp(CurrentName(f), CurrentName(other)) < 0))
            return;
        CString name(CurrentName(f));
        name.MakeLower();
        result += "Only in ";
        result += dir;
        result += ": ";
        result += name;
        result += "\r\n";
        ++g_dirIndex[f];
    }
}
}

int CompareDirEntryNames(const void* a, const void* b)
{
    return std::strcmp(static_cast<const _finddata_t*>(a)->name, static_cast<const _finddata_t*>(b)->name);
}

bool CompareFilesInto(CString& result, const char* name0, const char* name1)
{
    FILE* file0 = std::fopen(name0, "rb");
    if (!file0) {
        ReportCantOpen(name0);
        return false;
    }
    FILE* file1 = std::fopen(name1, "rb");
    if (!file1) {
        std::fclose(file0);
        ReportCantOpen(name1);
        return false;
    }

    std::vector<char> blocks(2 * kCompareBlock);
    char* block0 = blocks.data();
    char* block1 = block0 + kCompareBlock;
    long long position = 1;   // of the first byte of the blocks
    long long line = 1;
    CString verdict;   // empty while the files agree
    for (;;) {
        size_t got0 = ReadBlock(file0, block0);
        size_t got1 = ReadBlock(file1, block1);
        size_t common = got0 < got1 ? got0 : got1;
        if (std::memcmp(block0, block1, common) != 0) {
            size_t at = 0;
            while (block0[at] == block1[at])
                ++at;
            line += static_cast<long long>(CountLineFeeds(block0, at));
            verdict = CString(" differ: char ") + Decimal(position + static_cast<long long>(at)) + ", line " +
                      Decimal(line) + "\r\n";
            break;
        }
        if (got0 != got1) {
            verdict = CString(" differ: EOF in ") + (got0 < got1 ? name0 : name1) + "\r\n";
            break;
        }
        if (got0 < kCompareBlock)
            break;
        line += static_cast<long long>(CountLineFeeds(block0, common));
        position += static_cast<long long>(common);
    }
    std::fclose(file0);
    std::fclose(file1);

    result += "Files: ";
    result += name0;
    result += " and ";
    result += name1;
    result += verdict.IsEmpty() ? CString(" are the same\r\n") : verdict;
    return true;
}

bool CompareDirectoriesInto(CString& result, const char* dir0, const char* dir1)
{
    // Both names are resolved from where the comparison starts: entering the
    // first directory must not change what a relative second name means.
    CString dirs[2] = {AbsoluteName(dir0), AbsoluteName(dir1)};
    for (int f = 0; f < 2; ++f) {
        if (!EnterDirectory(dirs[f])) {
            CString message("cant access ");
            message += dirs[f];
            ToolMessage(message);
            return false;
        }
        ReadDirectoryTable(f);
    }

    g_dirIndex[0] = g_dirIndex[1] = 0;
    while (!Exhausted(0) || !Exhausted(1)) {
        if (Exhausted(0)) {
            ListOnlyIn(result, 1, dirs[1]);
            break;
        }
        if (Exhausted(1)) {
            ListOnlyIn(result, 0, dirs[0]);
            break;
        }
        int order = std::strcmp(CurrentName(0), CurrentName(1));
        if (order == 0) {
            CString path0 = dirs[0] + "\\" + CurrentName(0);
            CString path1 = dirs[1] + "\\" + CurrentName(1);
            path0.MakeLower();
            path1.MakeLower();
            // A file that cannot be opened has been reported; the others
            // are still compared.
            CompareFilesInto(result, path0, path1);
            ++g_dirIndex[0];
            ++g_dirIndex[1];
        } else if (order < 0) {
            ListOnlyIn(result, 0, dirs[0]);
        } else {
            ListOnlyIn(result, 1, dirs[1]);
        }
    }
    return true;
}
