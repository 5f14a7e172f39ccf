// The three archive formats at the level of single headers: portable ASCII
// cpio (odc), ustar and old tar. Parsing reads every field from its fixed
// place and width only, so a hostile header can say nothing that makes a
// reader run past it; writing produces the headers other archivers read.
#ifndef TREVAK_ARCFORMAT_H
#define TREVAK_ARCFORMAT_H

#include <cstddef>
#include <string>

#include "arcfs.h"

enum ArcType { kArcCpio = 0, kArcUstar = 1, kArcTar = 2 };
const int kArcUnknown = -1;

const size_t kTarBlock = 512;
const size_t kCpioHeaderSize = 76;
// Member sizes stay within a 32-bit long, the widest size the member list
// and the 32-bit program can hold.
const long long kMaxMemberSize = 0x7fffffffLL;
// A cpio name, its NUL included, is at most this long.
const long long kCpioNameMax = 512;
// The longest name a ustar header holds: prefix, '/', name.
const size_t kTarNameMax = 256;

// Archive type from the first block of a file: "070707" at 0 is cpio,
// "ustar" at 257 ustar, five NULs there old tar; else kArcUnknown.
int DetectArchiveType(const unsigned char* block, size_t n);

// A tar number: optional leading blanks, octal digits, then nothing but
// blanks and NULs to the end of the field. No sign, no base-256. An empty
// field reads as 0. False when malformed or above max.
bool ParseTarNumber(const unsigned char* field, size_t width, long long max, long long* out);
// A cpio number: exactly width octal digits.
bool ParseCpioNumber(const unsigned char* field, size_t width, long long* out);

// What a reader makes of a member, in either format.
enum MemberKind { kMemberFile, kMemberDir, kMemberOther };

struct TarHeader {
    std::string name;   // prefix '/' name, or name alone
    char typeflag = 0;
    ArcStatus st;   // mode holds the permission bits as stored
    bool checksumOk = false;
};

// True when the block ends the archive (its name begins with NUL).
bool TarIsEnd(const unsigned char* block);
// Parses a header block; false when a field is malformed.
bool ParseTarHeader(const unsigned char* block, TarHeader* h);
MemberKind TarKind(const TarHeader& h, int type);
// Bytes of data blocks that follow the header: none for type flags '1' to
// '6' and old-tar directories, the size rounded up to blocks otherwise
// (so long-name and extended headers of other writers are skipped whole).
long long TarDataBytes(const TarHeader& h, int type);

// This system's checksum: bytes 0 to 499, the checksum field as blanks.
unsigned long TarChecksum(const unsigned char* block);
// Accepts this system's sum and the all-512-byte sums, unsigned or signed.
bool TarChecksumMatches(const unsigned char* block, long long stored);

enum HeaderResult { kHeaderOk, kHeaderNameTooLong, kHeaderNameUnstorable, kHeaderTooLarge };
// One ustar (type 1) or old tar (type 2) header for name and status.
// Directories get a '/' appended. Nothing is written to out unless kHeaderOk.
HeaderResult FormatTarHeader(const std::string& name, const ArcStatus& st, int type, unsigned char* out);

struct CpioHeader {
    ArcStatus st;
    long long namesize = 0;
};
// Parses the 76 header bytes; false when a field is malformed or the name
// size is not 1 to kCpioNameMax.
bool ParseCpioHeader(const unsigned char* h, CpioHeader* out);
// Checks the name bytes that follow: exactly namesize bytes, the last the
// only NUL.
bool ParseCpioName(const unsigned char* bytes, long long namesize, std::string* name);
MemberKind CpioKind(const ArcStatus& st);
// Header and name with its NUL; kHeaderTooLarge when the size or name does
// not fit the format.
HeaderResult FormatCpioHeader(const std::string& name, const ArcStatus& st, std::string* out);
// The trailer member, "TRAILER!!!" and its NUL included.
std::string CpioTrailer();

// The member list's line: the name lower-cased, with the long form
// "%06o %d %5d %5d %9ld  %02d/%02d/%04d  %s" when verbose.
std::string FormatMemberLine(const std::string& name, const ArcStatus& st, bool verbose);

#endif
