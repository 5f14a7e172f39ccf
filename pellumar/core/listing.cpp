#include "listing.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>

std::string ModeString(const DirEntry& entry)
{
    std::string mode = "-r----";
    if (entry.directory)
        mode[0] = 'd';
    if (!entry.readOnly)
        mode[2] = 'w';
    if (entry.archive)
        mode[3] = 'a';
    if (entry.hidden)
        mode[3] = 'h';
    if (entry.system)
        mode[3] = 's';
    return mode;
}

std::string LongLine(const DirEntry& entry, const struct tm* local)
{
    std::string mode = ModeString(entry);
    std::string name = LowerName(entry.name);
    // The size is unsigned and 64-bit: the field widens for sizes of ten
    // digits rather than wrapping to a negative number.
    char head[64];
    std::snprintf(head, sizeof head, "%s  %9" PRIu64 "    ", mode.c_str(), entry.size);
    char when[64];
    if (local)
        std::snprintf(when,
                      sizeof when,
                      "%02d/%02d/%04d %02d:%02d",
                      local->tm_mday,
                      local->tm_mon + 1,
                      local->tm_year + 1900,
                      local->tm_hour,
                      local->tm_min);
    else
        std::snprintf(when, sizeof when, "%-10s %-5s", "NULL", "NULL");
    return std::string(head) + when + "    " + name;
}

std::string LongLine(const DirEntry& entry)
{
    time_t when = static_cast<time_t>(entry.writeTime);
    struct tm local;
#ifdef _WIN32
    bool converted = localtime_s(&local, &when) == 0;
#else
    bool converted = localtime_r(&when, &local) != nullptr;
#endif
    return LongLine(entry, converted ? &local : nullptr);
}

std::string ShortLine(const DirEntry& entry)
{
    std::string name = LowerName(entry.name);
    return entry.directory ? name + "/" : name;
}

int CompareNamesNoCase(const std::string& a, const std::string& b)
{
    size_t length = std::min(a.size(), b.size());
    for (size_t i = 0; i < length; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int CompareDirEntries(const DirEntry& a, const DirEntry& b, int sortKey)
{
    switch (sortKey) {
    case kSortByName:
        return CompareNamesNoCase(a.name, b.name);
    case kSortBySize:
        if (a.size != b.size)
            return a.size > b.size ? -1 : 1;
        return CompareNamesNoCase(a.name, b.name);
    case kSortByTime:
        if (a.writeTime != b.writeTime)
            return a.writeTime > b.writeTime ? -1 : 1;
        return CompareNamesNoCase(a.name, b.name);
    default:
        return 0;
    }
}

Listing BuildListing(std::vector<DirEntry> entries, int showMode, int sortKey)
{
    Listing listing;
    std::vector<DirEntry> kept;
    for (DirEntry& entry : entries) {
        if (kept.size() >= kMaxListedEntries)
            break;
        if (showMode == kShowDirectories && !entry.directory)
            continue;
        if (showMode == kShowFiles && entry.directory)
            continue;
        kept.push_back(std::move(entry));
    }
    listing.longLines.push_back("Total " + std::to_string(kept.size()));
    std::stable_sort(kept.begin(), kept.end(), [sortKey](const DirEntry& a, const DirEntry& b) {
        return CompareDirEntries(a, b, sortKey) < 0;
    });
    for (const DirEntry& entry : kept) {
        listing.longLines.push_back(LongLine(entry));
        listing.shortLines.push_back(ShortLine(entry));
        listing.longestShort = std::max(listing.longestShort, listing.shortLines.back().size());
    }
    return listing;
}

Listing BuildListing(const std::string& pattern, int showMode, int sortKey)
{
    std::vector<DirEntry> entries;
    // The filter is applied to what the search delivers, so the search
    // itself is not cut at 1024: the limit counts the entries shown.
    platform::FindEntries(pattern, entries, SIZE_MAX);
    return BuildListing(std::move(entries), showMode, sortKey);
}

int SelectedLongLine(bool longMode, int longSelection, int shortSelection)
{
    if (longMode)
        return longSelection >= 0 ? longSelection : -1;
    return shortSelection >= 0 ? shortSelection + 1 : -1;
}

bool SplitListLine(const std::string& line, std::string& mode, std::string& name)
{
    size_t pos = 0;
    auto skipBlanks = [&]() {
        while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos])))
            ++pos;
    };
    auto word = [&]() {
        size_t start = pos;
        while (pos < line.size() && !std::isspace(static_cast<unsigned char>(line[pos])))
            ++pos;
        return line.substr(start, pos - start);
    };
    skipBlanks();
    std::string first = word();
    if (first.empty())
        return false;
    for (int skipped = 0; skipped < 3; ++skipped) {
        skipBlanks();
        if (word().empty())
            return false;
    }
    skipBlanks();
    size_t end = line.find('\n', pos);
    std::string rest = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (rest.empty())
        return false;
    mode = first;
    name = rest;
    return true;
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    char last = directory.back();
    if (last == '\\' || last == '/')
        return directory + name;
    return directory + "\\" + name;
}

bool SelectedFilePath(const std::string& cwd, const std::string& line, std::string& path)
{
    std::string mode, name;
    if (!SplitListLine(line, mode, name) || mode[0] != '-')
        return false;
    path = JoinPath(cwd, name);
    return true;
}
