// File type: names the kind of each file from a table of magic numbers, the
// description the registry keeps for its extension, and a text-or-data test.
#ifndef OMBRIX_FILETYPE_H
#define OMBRIX_FILETYPE_H

#include <cstddef>

struct MagicEntry {
    int offset;   // byte position in the file; -1 ends the table
    int length;   // bytes compared
    const char* bytes;
    const char* text;   // description
};

// The 28 rows in the order they are tried, then the end row.
extern const MagicEntry g_magicTable[29];

// Debug modes of the dialog's radio group.
enum FileTypeDebug { kFileTypeNone = 0, kFileTypeRegistration = 1, kFileTypeMagic = 2 };

// Appends the line of one file: its name padded to 24 characters and its
// kind. With magicFirst the magic table is asked before the registry.
void FileTypeIdentify(const char* name, bool magicFirst);

// The magic table's kind for the first count bytes of a file, or null when
// no row matches; looksLikeText tells whether they pass the text test.
const char* ClassifyStart(const unsigned char* bytes, size_t count, bool* looksLikeText);

// Every extension of the registry with its class and description.
void FileTypeListRegistration();

// Every row of the magic table.
void FileTypeListMagic();

struct FileTypeOptions {
    int debug;         // a FileTypeDebug mode
    bool magicFirst;   // the magic table before the registry
};

// A whole run into the output text, spilling into directory. False when it
// stopped after telling the user why.
bool FileTypeRun(const char* directory, const char* files, const FileTypeOptions& options);

#endif
