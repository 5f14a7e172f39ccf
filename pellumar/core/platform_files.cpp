// The shell's file calls that every engine makes alike, answered by the
// tool library's file-system seam on both systems.
#include "platform.h"

#include "filesys.h"

namespace platform {

bool IsDirectory(const std::string& path)
{
    filesys::Status status;
    return filesys::Stat(path, &status, filesys::Links::kFollow) && status.directory;
}

bool Exists(const std::string& path)
{
    // A link that leads nowhere still takes its name.
    filesys::Status status;
    return filesys::Stat(path, &status);
}

bool RemoveFile(const std::string& path)
{
    return filesys::Remove(path);
}

}
