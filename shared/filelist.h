// The input file list: blank-separated wildcard specifications expanded into
// the names of the matching files of the current directory.
#ifndef TAMREL_FILELIST_H
#define TAMREL_FILELIST_H

const int kMaxFileNames = 1024;

extern char* g_fileNames[1024];   // heap copies, lower-cased, owned by the list
extern int g_fileCount;

// Replaces the list with the files that spec names: words in their order,
// the names of one word sorted, directories left out, at most 1024 names.
// Returns 1 when the list holds a name, else 0 after telling the user.
// A word longer than 259 characters names no file.
int ExpandFileList(const char* spec);

// qsort comparator over two slots of g_fileNames.
int CompareFileNames(const void* a, const void* b);

#endif
