// The stream over a C runtime file that the POSIX file system hands out.
#ifndef TREVAK_ARCFS_STREAM_H
#define TREVAK_ARCFS_STREAM_H

#include <cstdio>
#include <memory>
#include <string>

#include "arcfs.h"

// Takes ownership of fp; st is the file's status when it was opened, id
// its identity, path its name (for a message).
std::unique_ptr<ArcStream> MakeFileStream(FILE* fp, const ArcStatus& st, const ArcFileId& id, const std::string& path);

#endif
