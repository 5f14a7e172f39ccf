// Writing files into an archive: creating one anew or appending to one.
#ifndef TREVAK_ARCWRITE_H
#define TREVAK_ARCWRITE_H

#include <string>
#include <vector>

#include "arcfs.h"
#include "arcui.h"

struct WriteOptions {
    std::string source;    // the directory member names are relative to
    std::string pattern;   // blank-separated wildcard words
    bool descend = true;   // also every directory below the source
    bool append = false;
    int type = 1;   // the format: created in it, or the archive's own when appending
    // Threads that open and read the files ahead of the writer while
    // another walks the directories ahead of them; 0 takes kWriteReaders,
    // 1 walks and reads every file in turn. What is shown and written is
    // the same for any number.
    unsigned readers = 0;
};

const unsigned kWriteReaders = 3;
const unsigned kWriteMaxReaders = 8;

// Writes the files of the source into the archive at path. Create builds
// the archive beside it and puts it in place whole, so a failed run leaves
// the old file as it was; Append writes where the end marker was and, if
// it stops, writes the end marker back there. The archive itself is never
// archived. True when the archive was written whole.
bool WriteArchive(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui);

// The files of a directory that the pattern selects: the words in their
// order (a word ending in ".*" also takes a name without a dot, so "*.*"
// takes every name), the names of each word sorted without regard to case.
std::vector<std::string> ExpandPattern(const std::string& pattern, const std::vector<ArcDirEntry>& entries);

#endif
