// Whether two file names lead to one file. Split, unsplit and context split
// ask it before creating an output, so that a part never replaces the file
// it is being cut from.
#ifndef OMBRIX_SAMEFILE_H
#define OMBRIX_SAMEFILE_H

// True when both names give the same full path (compared without regard to
// case, short 8.3 names resolved), or when both exist and are one file.
bool SameFile(const char* a, const char* b);

// What the utilities show when they refuse such an output.
extern const char kOutputIsInputMessage[];

#endif
