// The stream over a C runtime file that both real file systems hand out.
#ifndef TREVAK_ARCFS_STREAM_H
#define TREVAK_ARCFS_STREAM_H

#include <cstdio>
#include <memory>

#include "arcfs.h"

// Takes ownership of fp; size is the file's size when it was opened.
std::unique_ptr<ArcStream> MakeFileStream(FILE* fp, long long size);

#endif
