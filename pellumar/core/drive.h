// The figures of the drive details without windows.
#ifndef PELLUMAR_DRIVE_H
#define PELLUMAR_DRIVE_H

#include <cstdint>
#include <string>

// "Removable", "Fixed", "Remote", "Cdrom", "Ramdisk", else "Unknown".
std::string DriveTypeText(unsigned driveType);

struct DriveFigures {
    uint64_t totalMegabytes = 0;
    uint64_t freeMegabytes = 0;
    std::string percentUsed;   // "%.2f"; "0.00" when the drive gave no total
};

// Megabytes rounded down from the counts multiplied in 64 bits.
DriveFigures ComputeDriveFigures(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters,
                                 uint32_t totalClusters);

#endif
