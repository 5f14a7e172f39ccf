// The stream over a C runtime file that both real file systems hand out.
#ifndef TREVAK_ARCFS_STREAM_H
#define TREVAK_ARCFS_STREAM_H

#include <cstdio>
#include <memory>

#include "arcfs.h"

// Takes ownership of fp; st is the file's status when it was opened, id
// its identity.
std::unique_ptr<ArcStream> MakeFileStream(FILE* fp, const ArcStatus& st, const ArcFileId& id);

// The stream of an open file with its status and identity, or null (and
// the file closed) when fp is null or not a regular file. One for each
// platform.
std::unique_ptr<ArcStream> WrapFile(FILE* fp);

// The part of a real file system that the C runtime's streams serve alike
// on every platform.
class StdioFs : public ArcFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& path) override;
    std::unique_ptr<ArcStream> Create(const std::string& path) override;
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& path) override;
};

#endif
