// Extraction of members into a target directory.
#ifndef TREVAK_ARCEXTRACT_H
#define TREVAK_ARCEXTRACT_H

#include <cstddef>
#include <string>
#include <vector>

#include "arcfs.h"
#include "arcui.h"

struct ExtractOptions {
    bool selectedOnly = false;
    std::vector<int> selected;   // member indices, ascending
    bool rename = false;         // ask for each file's name
    bool noOverwrite = false;    // leave existing files alone
    bool ignoreOlder = false;    // leave files newer than the member alone
    bool restoreTimes = false;   // give files the member's time
    // Threads that make the small new files while the archive is read on;
    // 0 takes one a processor (at most kExtractMaxWriters), 1 makes every
    // file in turn. What is shown and written is the same for any number.
    unsigned writers = 0;
};

const unsigned kExtractMaxWriters = 8;

// Extracts the archive read from in into target, an existing directory.
// Every member's name passes CheckMemberName first; a file that exists
// already is written beside its name and put in place only when complete. Returns false
// when the extraction stopped early (after a message or a Cancel).
bool ExtractArchive(ArcStream& in, int type, const std::string& target, const ExtractOptions& options, ArcFs& fs,
                    ArcUi& ui);

// Room for count member indices in *selected; false when the block would
// not fit in the address space or the memory cannot be had (the caller then
// says kExtractOutOfMemory).
bool AllocateSelection(size_t count, std::vector<int>* selected);

extern const char kExtractOutOfMemory[];

#endif
