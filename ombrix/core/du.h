// Disk usage: the space that the files of a directory tree occupy on the
// disk, in whole clusters, shown in units of 1024 or 512 bytes, with the
// share that the files' real sizes fill.
#ifndef OMBRIX_DU_H
#define OMBRIX_DU_H

// One directory or file of the walk.
struct DirUsage {
    double allocated;   // bytes of whole clusters
    double actual;      // bytes of the real sizes
    double percent;     // utilization of the line being printed
    char path[260];
};

struct DuOptions {
    bool listAll;          // a line for every file too
    bool excludeSubdirs;   // only the root line
    bool showUtilization;
    bool kilobytes;   // 1024-byte units, else 512
};

// The run's settings, read by every level of the walk.
extern bool g_duListAll;
extern bool g_duExcludeSubdirs;
extern bool g_duShowUtilization;
extern bool g_duKilobytes;

// Walks the directory named by entry.path, adds its sizes to entry and
// prints the lines of what lies below it.
void DuSumDirectory(DirUsage& entry);

// Formats the line of one entry with the run's settings and appends it,
// lower-cased.
void DuPrintLine(DirUsage& entry);

// A whole run into the output text. The spill directory is left as the last
// run set it.
bool DuRun(const char* directory, const DuOptions& options);

// Where the cluster size comes from: sectors per cluster and bytes per
// sector of the current drive, nonzero on success. Tests put in their own.
typedef int (*DuDiskGeometryFunction)(unsigned long* sectorsPerCluster, unsigned long* bytesPerSector);
void SetDuDiskGeometryFunction(DuDiskGeometryFunction function);   // null = the system's

#endif
