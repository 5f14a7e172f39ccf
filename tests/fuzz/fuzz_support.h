// What the fuzz targets of the file engines share: a scratch directory of
// their own, current for the whole run, so that whatever an engine writes
// (parts, spill files) stays there, and input pieces cut at NUL bytes.
#ifndef TAMREL_FUZZ_SUPPORT_H
#define TAMREL_FUZZ_SUPPORT_H

#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "message.h"

inline std::string& FuzzDirectory()
{
    static std::string path;
    return path;
}

// Removes the scratch directory and what the engines left in it.
inline void LeaveFuzzDirectory()
{
    const std::string& path = FuzzDirectory();
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir))
            unlink((path + "/" + entry->d_name).c_str());
        closedir(dir);
    }
    rmdir(path.c_str());
}

// Makes a fresh directory below the current one current and silences the
// tool messages; once.
inline void EnterFuzzDirectory()
{
    if (!FuzzDirectory().empty())
        return;
    char here[4096];
    char name[] = "tamrel-fuzz-XXXXXX";
    if (!getcwd(here, sizeof here) || !mkdtemp(name) || chdir(name) != 0)
        std::abort();
    FuzzDirectory() = std::string(here) + "/" + name;
    std::atexit(LeaveFuzzDirectory);
    SetToolMessageHandler([](const char*) {});
}

// The bytes up to the next NUL from at (or the end); at moves past the NUL.
inline std::string NextPiece(const uint8_t* data, size_t size, size_t& at)
{
    size_t start = at;
    while (at < size && data[at] != 0)
        ++at;
    std::string piece(reinterpret_cast<const char*>(data) + start, at - start);
    if (at < size)
        ++at;
    return piece;
}

inline void WriteWholeFile(const char* name, const std::string& bytes)
{
    FILE* file = std::fopen(name, "wb");
    if (!file)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

#endif
