// Walking the members of an archive, one header after another. Listing,
// extracting and finding the end for an append all read through this one
// reader, so they step over exactly the same data for every member.
#ifndef TREVAK_ARCREADER_H
#define TREVAK_ARCREADER_H

#include <functional>
#include <string>

#include "arcformat.h"
#include "arcfs.h"
#include "arcui.h"

struct ArcMember {
    std::string name;   // as the archive stores it
    ArcStatus st;
    MemberKind kind = kMemberOther;
    char typeflag = 0;        // tar only
    bool checksumOk = true;   // tar only
};

class ArcReader {
public:
    enum Result { kMember, kEnd, kCorrupt };

    ArcReader(ArcStream& in, int type) : in_(in), type_(type) {}
    // The next member header (stepping over what is left of the previous
    // member's data). kEnd at the end marker, the trailer or the end of the
    // file; kCorrupt at a malformed header.
    Result Next(ArcMember* m);
    // Reads the member's data (its size, without padding); returns the bytes
    // read, 0 at the end of the data, -1 when the archive ends early.
    long long ReadData(void* buf, size_t n);
    // Where the end marker (or the end of the file) begins once Next has
    // returned kEnd: the place an append writes its first member.
    long long EndOffset() const { return end_; }
    // True when the archive ended inside a member's data.
    bool Truncated() const { return truncated_; }

private:
    // A malformed header ends the walk for good: nothing after it is trusted.
    Result Corrupt()
    {
        corrupt_ = true;
        return kCorrupt;
    }

    ArcStream& in_;
    int type_;
    long long payload_ = 0;   // data bytes of the member not yet read
    long long padding_ = 0;   // bytes after them up to the next header
    long long end_ = -1;
    bool truncated_ = false;
    bool corrupt_ = false;
};

// Lists every member in archive order; add returns false when the list has
// no room. True at the end of the archive; false after a message.
bool ListArchive(ArcStream& in, int type, const std::function<bool(const ArcMember&)>& add, ArcUi& ui);

// The type of the archive at path, decided from its first 512 bytes; an
// archive shorter than that, or of no known type, is refused with a message
// and kArcUnknown is returned.
int OpenArchiveType(const std::string& path, ArcFs& fs, ArcUi& ui);

extern const char kCorruptArchive[];

#endif
