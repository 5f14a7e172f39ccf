#include "du.h"

#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "message.h"
#include "outtext.h"

bool g_duListAll = false;
bool g_duExcludeSubdirs = false;
bool g_duShowUtilization = false;
bool g_duKilobytes = true;

namespace {
int SystemDiskGeometry(unsigned long* sectorsPerCluster, unsigned long* bytesPerSector)
{
    DWORD sectors = 0;
    DWORD bytes = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    if (!GetDiskFreeSpaceA(nullptr, &sectors, &bytes, &freeClusters, &clusters))
        return 0;
    *sectorsPerCluster = sectors;
    *bytesPerSector = bytes;
    return 1;
}

DuDiskGeometryFunction g_diskGeometry = &SystemDiskGeometry;

// Cluster size of the current drive. A drive that does not tell, or tells
// nonsense, is counted in single bytes rather than dividing by zero.
unsigned long long ClusterSize()
{
    unsigned long sectors = 0;
    unsigned long bytes = 0;
    if (!g_diskGeometry(&sectors, &bytes))
        return 1;
    unsigned long long cluster = static_cast<unsigned long long>(sectors) * bytes;
    return cluster ? cluster : 1;
}

// The path of a name below dir; false (and a cut path) when it does not fit.
bool JoinPath(char* out, size_t size, const char* dir, const char* name)
{
    size_t dirLength = std::strlen(dir);
    const char* format = dirLength > 0 && dir[dirLength - 1] == '\\' ? "%s%s" : "%s\\%s";
    int n = std::snprintf(out, size, format, dir, name);
    return n >= 0 && static_cast<size_t>(n) < size;
}

void InitUsage(DirUsage& usage)
{
    usage.allocated = 0;
    usage.actual = 0;
    usage.percent = 0;
    usage.path[0] = 0;
}
}

void SetDuDiskGeometryFunction(DuDiskGeometryFunction function)
{
    g_diskGeometry = function ? function : &SystemDiskGeometry;
}

void DuPrintLine(DirUsage& entry)
{
    double unit = g_duKilobytes ? 1024.0 : 512.0;
    double value = entry.allocated / unit;
    char line[512];
    if (g_duShowUtilization) {
        entry.percent = entry.allocated <= 0 ? 100.0 : entry.actual / entry.allocated * 100.0;
        std::snprintf(line, sizeof line, "%8.0f  (%5.1f%%)  %s\r\n", value, entry.percent, entry.path);
    } else {
        std::snprintf(line, sizeof line, "%8.0f  %s\r\n", value, entry.path);
    }
    LowercaseText(line);
    AppendOutput(line);
}

void DuSumDirectory(DirUsage& entry)
{
    // Read before changing into the directory: the cluster size is that of
    // the drive current at this moment.
    unsigned long long cluster = ClusterSize();

    char kept[260];
    if (!_getcwd(kept, sizeof kept))
        kept[0] = 0;
    if (_chdir(entry.path) != 0) {
        ToolMessage("Change directory fails - results unreliable");
        return;
    }

    struct __finddata64_t found;
    intptr_t search = _findfirst64("*.*", &found);
    if (search != -1) {
        do {
            if (std::strcmp(found.name, ".") == 0 || std::strcmp(found.name, "..") == 0)
                continue;
            DirUsage child;
            InitUsage(child);
            bool fits = JoinPath(child.path, sizeof child.path, entry.path, found.name);
            if (found.attrib & _A_SUBDIR) {
                if (fits) {
                    DuSumDirectory(child);
                } else {
                    // Its path cannot be held, so it cannot be entered; it
                    // counts as empty, as any directory that cannot be.
                    ToolMessage("Change directory fails - results unreliable");
                }
                entry.actual += child.actual;
                entry.allocated += child.allocated;
                if (!g_duExcludeSubdirs)
                    DuPrintLine(child);
            } else {
                unsigned long long size = static_cast<unsigned long long>(found.size);
                unsigned long long allocated = size == 0 ? 0 : (size + cluster - 1) / cluster * cluster;
                child.actual = static_cast<double>(size);
                child.allocated = static_cast<double>(allocated);
                entry.actual += child.actual;
                entry.allocated += child.allocated;
                if (g_duListAll && !g_duExcludeSubdirs)
                    DuPrintLine(child);
            }
        } while (_findnext64(search, &found) == 0);
        _findclose(search);
    }
    _chdir(kept);
}

bool DuRun(const char* directory, const DuOptions& options)
{
    DirUsage root;
    InitUsage(root);
    if (!directory)
        directory = "";
    // A directory too long for the record is shown cut but never entered:
    // the cut path may name another directory.
    std::snprintf(root.path, sizeof root.path, "%s", directory);
    bool fits = std::strlen(directory) < sizeof root.path;

    g_duListAll = options.listAll;
    g_duExcludeSubdirs = options.excludeSubdirs;
    g_duShowUtilization = options.showUtilization;
    g_duKilobytes = options.kilobytes;

    ResetOutput();
    if (fits)
        DuSumDirectory(root);
    else
        ToolMessage("Change directory fails - results unreliable");
    DuPrintLine(root);
    return CloseOutputSpill() && fits;
}
