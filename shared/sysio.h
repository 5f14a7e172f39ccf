// The C runtime's Windows names for files and directories, on every system.
// On Windows this is the runtime itself; elsewhere a small stand-in over
// POSIX, so that the engines build and their unit tests run natively
// (under the sanitizers). Names match as Windows matches them: without
// regard to case, "*.*" taking every name.
#ifndef TAMREL_SYSIO_H
#define TAMREL_SYSIO_H

#include <cstdio>

// Between a directory and a name in the paths the tools build.
#ifdef _WIN32
const char kDirSeparator = '\\';
#else
const char kDirSeparator = '/';
#endif

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>

enum { _A_NORMAL = 0x00, _A_RDONLY = 0x01, _A_SUBDIR = 0x10 };

struct _finddata_t {
    unsigned attrib;
    time_t time_create;
    time_t time_access;
    time_t time_write;
    unsigned long size;
    char name[260];
};

// -1 when nothing matches; the next entry into data otherwise.
intptr_t _findfirst(const char* spec, _finddata_t* data);
int _findnext(intptr_t handle, _finddata_t* data);
int _findclose(intptr_t handle);

// The stand-in matches names as the Windows search does (names.h).
#include "names.h"

inline int _stricmp(const char* a, const char* b)
{
    return strcasecmp(a, b);
}
inline int _strnicmp(const char* a, const char* b, size_t n)
{
    return strncasecmp(a, b, n);
}
inline int _mkdir(const char* directory)
{
    return mkdir(directory, 0755);
}
inline int _chdir(const char* directory)
{
    return chdir(directory);
}
inline char* _getcwd(char* buffer, int size)
{
    return getcwd(buffer, static_cast<size_t>(size));
}
inline int _fileno(FILE* stream)
{
    return fileno(stream);
}

// No text mode here: every stream is binary.
enum { _O_TEXT = 0x4000, _O_BINARY = 0x8000 };
inline int _setmode(int, int)
{
    return _O_BINARY;
}

#define _stati64 stat
enum { _S_IREAD = 0400, _S_IWRITE = 0200 };
inline int _chmod(const char* path, int mode)
{
    return chmod(path, (mode & _S_IWRITE) ? 0644 : 0444);
}
inline int _fseeki64(FILE* stream, long long offset, int origin)
{
    return fseeko(stream, offset, origin);
}
inline long long _ftelli64(FILE* stream)
{
    return ftello(stream);
}

// There are no drive letters here.
inline int _chdrive(int)
{
    return -1;
}

// The absolute form of path; with a null buffer a new one from malloc.
char* _fullpath(char* buffer, const char* path, size_t size);
#endif

#endif
