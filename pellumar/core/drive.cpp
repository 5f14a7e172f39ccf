#include "drive.h"

#include <cstdio>

std::string DriveTypeText(unsigned driveType)
{
    switch (driveType) {
    case 2:
        return "Removable";
    case 3:
        return "Fixed";
    case 4:
        return "Remote";
    case 5:
        return "Cdrom";
    case 6:
        return "Ramdisk";
    default:
        return "Unknown";
    }
}

DriveFigures ComputeDriveFigures(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters,
                                 uint32_t totalClusters)
{
    DriveFigures figures;
    uint64_t clusterBytes = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    figures.totalMegabytes = (clusterBytes * totalClusters) >> 20;
    figures.freeMegabytes = (clusterBytes * freeClusters) >> 20;
    double used = 0.0;
    // A drive that could not be asked has no total: nothing is used of it,
    // rather than a division by zero.
    if (totalClusters != 0 && freeClusters <= totalClusters)
        used = static_cast<double>(totalClusters - freeClusters) / totalClusters * 100.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", used);
    figures.percentUsed = text;
    return figures;
}
