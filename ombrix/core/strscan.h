// Printable strings: the runs of printable characters in files that a string
// end (NUL, line feed, or carriage return and line feed) closes, each long
// enough run on a line, optionally after its position in the file.
#ifndef OMBRIX_STRSCAN_H
#define OMBRIX_STRSCAN_H

enum StringsOffsets { kOffsetsNone = 0, kOffsetsDecimal = 1, kOffsetsOctal = 2, kOffsetsHex = 3 };

// Appends the header and the runs of one file of at least minLength
// characters. False, after telling the user, when it cannot be opened.
bool StringsScanFile(const char* name, int minLength, int offsets);

// A whole run into the output text, spilling into directory.
struct StringsOptions {
    int minLength;   // shortest run of printable bytes listed
    int offsets;     // a StringsOffsets form
};

bool StringsRun(const char* directory, const char* files, const StringsOptions& options);

#endif
