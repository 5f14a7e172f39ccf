// Split and unsplit: a file cut into parts of a fixed number of lines,
// bytes, kilobytes or megabytes, named from its base name and a three-letter
// extension that counts upwards, and such parts joined back into one file.
#ifndef OMBRIX_SPLIT_H
#define OMBRIX_SPLIT_H

#include <cstddef>

enum SplitType { kSplit = 0, kUnsplit = 1 };
enum SplitUnits { kSplitLines = 0, kSplitBytes = 1, kSplitKilobytes = 2, kSplitMegabytes = 3 };

// Steps the last three characters of a part name in place (base 26, 'a' to
// 'z'). Returns true, after telling the user, when the names are used up.
bool NextPartName(char* name);

// The file name up to its last '.', or the whole name without one.
void SplitBaseName(const char* filename, char* base, size_t size);

// Cuts input into base.extension, then the names that follow, each part
// holding unitsPerFile units (a count below 1 never fills a part). False
// when it stopped after telling the user why.
bool SplitIntoParts(const char* input, const char* base, const char* extension, int units, long long unitsPerFile);

// Joins base.extension and the parts that follow it, up to the first that
// is missing, into output. False when it stopped after telling the user.
bool SplitJoinParts(const char* output, const char* base, const char* extension);

struct SplitOptions {
    int type;    // kSplit or kUnsplit
    int units;   // a SplitUnits
    long unitsPerFile;
};

// A whole run from the dialog's fields: the extension is lower-cased first,
// megabytes are counted as 1024 blocks of 1024 bytes.
bool SplitRun(const char* filename, const char* extension, const SplitOptions& options);

#endif
