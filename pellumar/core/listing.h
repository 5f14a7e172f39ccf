// The directory listing without windows: which entries, in which order, and
// the long and short lines the view shows; and the way back from a shown line
// to the entry it describes.
#ifndef PELLUMAR_LISTING_H
#define PELLUMAR_LISTING_H

#include <ctime>
#include <string>
#include <vector>

#include "names.h"
#include "platform.h"

const size_t kMaxListedEntries = 1024;

enum ShowMode { kShowAll = 0, kShowDirectories = 1, kShowFiles = 2 };
enum SortKey { kSortByName = 0, kSortBySize = 1, kSortByTime = 2 };

// "-r----" with d, w and the last of a, h, s put in.
std::string ModeString(const DirEntry& entry);

// One line of the long list. local is the write time in local time, or null
// when it cannot be converted ("NULL" then stands for date and time).
std::string LongLine(const DirEntry& entry, const struct tm* local);
// The same line with the write time converted here.
std::string LongLine(const DirEntry& entry);
// One entry of the short list: the lower-case name, "/" after a directory.
std::string ShortLine(const DirEntry& entry);

// Compares as the directory search's names do: letter case ignored.
int CompareNamesNoCase(const std::string& a, const std::string& b);

// Negative when a goes first. Name: letter case ignored. Size: larger
// first, as unsigned 64-bit numbers, ties by name. Time: later first, ties
// by name. Any other key: equal.
int CompareDirEntries(const DirEntry& a, const DirEntry& b, int sortKey);

// What one listing shows.
struct Listing {
    std::vector<std::string> longLines;    // "Total %d" first
    std::vector<std::string> shortLines;   // short entry i is long line i + 1
    size_t longestShort = 12;              // longest short entry, at least 12
};

// Lists pattern in the current directory: the show filter, at most 1024
// entries (the first that the search delivers), sorted by sortKey.
Listing BuildListing(const std::string& pattern, int showMode, int sortKey);
// The same over entries already found (tests give their own).
Listing BuildListing(std::vector<DirEntry> entries, int showMode, int sortKey);

// The long-list line that is selected: the long list's index in long mode,
// the short list's index plus one in short mode; -1 for no selection.
int SelectedLongLine(bool longMode, int longSelection, int shortSelection);

// Splits a long line into its mode string (first word) and the name (the
// rest after the fourth word and the blanks behind it). False when the line
// has no name.
bool SplitListLine(const std::string& line, std::string& mode, std::string& name);

// The full path of the plain file that line describes, in directory cwd;
// false for a directory, the total line or a line that cannot be read.
bool SelectedFilePath(const std::string& cwd, const std::string& line, std::string& path);

// directory and name joined by one backslash (none added after a root such
// as c:\).
std::string JoinPath(const std::string& directory, const std::string& name);

#endif
