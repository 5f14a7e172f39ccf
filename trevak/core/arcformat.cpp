// Header codecs of the cpio (odc), ustar and old tar formats.
#include "arcformat.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "names.h"

namespace {

// Field places of a tar header.
const size_t kTarName = 0, kTarNameLen = 100;
const size_t kTarMode = 100, kTarUid = 108, kTarGid = 116, kTarSmallLen = 8;
const size_t kTarSize = 124, kTarMtime = 136, kTarLargeLen = 12;
const size_t kTarChksum = 148, kTarChksumLen = 8;
const size_t kTarTypeflag = 156;
const size_t kTarMagic = 257, kTarVersion = 263;
const size_t kTarDevMajor = 329, kTarDevMinor = 337;
const size_t kTarPrefix = 345, kTarPrefixLen = 155;
const size_t kTarSummed = 500;

const long long kMax6 = 0777777LL;         // six octal digits
const long long kMax7 = 07777777LL;        // an 8-byte tar field
const long long kMax11 = 077777777777LL;   // eleven octal digits

bool IsOctal(unsigned char c)
{
    return c >= '0' && c <= '7';
}

// The text of a field up to its first NUL, never past its width.
std::string FieldText(const unsigned char* field, size_t width)
{
    size_t n = 0;
    while (n < width && field[n] != 0)
        n++;
    return std::string(reinterpret_cast<const char*>(field), n);
}

void PutOctal(unsigned char* field, const char* format, long long value)
{
    char text[32];
    int n = snprintf(text, sizeof text, format, value);
    memcpy(field, text, static_cast<size_t>(n));
}

long long Clamp(long long v, long long lo, long long hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

}   // namespace

int DetectArchiveType(const unsigned char* block, size_t n)
{
    if (n >= 6 && memcmp(block, "070707", 6) == 0)
        return kArcCpio;
    if (n < kTarBlock)
        return kArcUnknown;
    if (memcmp(block + kTarMagic, "ustar", 5) == 0)
        return kArcUstar;
    static const unsigned char zero[5] = {0, 0, 0, 0, 0};
    if (memcmp(block + kTarMagic, zero, 5) == 0)
        return kArcTar;
    return kArcUnknown;
}

bool ParseTarNumber(const unsigned char* field, size_t width, long long max, long long* out)
{
    size_t i = 0;
    while (i < width && field[i] == ' ')
        i++;
    long long value = 0;
    while (i < width && IsOctal(field[i])) {
        value = value * 8 + (field[i] - '0');
        if (value > max)
            return false;
        i++;
    }
    for (; i < width; i++) {
        if (field[i] != ' ' && field[i] != 0)
            return false;
    }
    *out = value;
    return true;
}

bool ParseCpioNumber(const unsigned char* field, size_t width, long long* out)
{
    long long value = 0;
    for (size_t i = 0; i < width; i++) {
        if (!IsOctal(field[i]))
            return false;
        value = value * 8 + (field[i] - '0');
    }
    *out = value;
    return true;
}

bool TarIsEnd(const unsigned char* block)
{
    return block[kTarName] == 0;
}

bool ParseTarHeader(const unsigned char* block, TarHeader* h)
{
    long long mode, uid, gid, size, mtime, chksum;
    if (!ParseTarNumber(block + kTarMode, kTarSmallLen, kMax7, &mode) ||
        !ParseTarNumber(block + kTarUid, kTarSmallLen, kMax7, &uid) ||
        !ParseTarNumber(block + kTarGid, kTarSmallLen, kMax7, &gid) ||
        !ParseTarNumber(block + kTarSize, kTarLargeLen, kMaxMemberSize, &size) ||
        !ParseTarNumber(block + kTarMtime, kTarLargeLen, kMax11, &mtime) ||
        !ParseTarNumber(block + kTarChksum, kTarChksumLen, kMax7, &chksum))
        return false;
    // Only a POSIX header has a prefix there; other writers keep times in it.
    bool posix = memcmp(block + kTarMagic, "ustar", 6) == 0;
    std::string name = FieldText(block + kTarName, kTarNameLen);
    if (posix && block[kTarPrefix] != 0)
        name = FieldText(block + kTarPrefix, kTarPrefixLen) + "/" + name;
    h->name = name;
    h->typeflag = static_cast<char>(block[kTarTypeflag]);
    h->st = ArcStatus();
    h->st.mode = static_cast<unsigned>(mode) & 0177777u;
    h->st.uid = static_cast<int>(uid);
    h->st.gid = static_cast<int>(gid);
    h->st.size = size;
    h->st.mtime = mtime;
    h->st.nlink = 1;
    h->checksumOk = TarChecksumMatches(block, chksum);
    return true;
}

MemberKind TarKind(const TarHeader& h, int type)
{
    bool plain = h.typeflag == '0' || h.typeflag == 0;
    if (h.typeflag == '5')
        return kMemberDir;
    if (type == kArcTar && plain && !h.name.empty() && h.name.back() == '/')
        return kMemberDir;
    return plain ? kMemberFile : kMemberOther;
}

long long TarDataBytes(const TarHeader& h, int type)
{
    if (h.typeflag >= '1' && h.typeflag <= '6')
        return 0;
    if (type == kArcTar && TarKind(h, type) == kMemberDir)
        return 0;
    return (h.st.size + static_cast<long long>(kTarBlock) - 1) / static_cast<long long>(kTarBlock) *
           static_cast<long long>(kTarBlock);
}

unsigned long TarChecksum(const unsigned char* block)
{
    unsigned long sum = 0;
    for (size_t i = 0; i < kTarSummed; i++)
        sum += (i >= kTarChksum && i < kTarChksum + kTarChksumLen) ? ' ' : block[i];
    return sum;
}

bool TarChecksumMatches(const unsigned char* block, long long stored)
{
    if (static_cast<long long>(TarChecksum(block)) == stored)
        return true;
    long long unsignedSum = 0, signedSum = 0;
    for (size_t i = 0; i < kTarBlock; i++) {
        bool blank = i >= kTarChksum && i < kTarChksum + kTarChksumLen;
        unsignedSum += blank ? ' ' : block[i];
        signedSum += blank ? ' ' : static_cast<signed char>(block[i]);
    }
    return unsignedSum == stored || signedSum == stored;
}

HeaderResult FormatTarHeader(const std::string& name, const ArcStatus& st, int type, unsigned char* out)
{
    unsigned char h[kTarBlock];
    memset(h, 0, sizeof h);
    std::string full = st.isDir ? name + "/" : name;
    if (name.empty())
        return kHeaderNameUnstorable;
    if (!st.isDir && st.size > kMaxMemberSize)
        return kHeaderTooLarge;
    if (name.size() < kTarNameLen || (name.size() == kTarNameLen && !st.isDir)) {
        memcpy(h + kTarName, full.data(), full.size() < kTarNameLen ? full.size() : kTarNameLen);
    } else if (name.size() == kTarNameLen && type == kArcUstar) {
        // The type flag marks the directory; its '/' has no room.
        memcpy(h + kTarName, full.data(), kTarNameLen);
    } else if (type != kArcUstar) {
        // An old tar directory without its '/' would read back as a file.
        return kHeaderNameTooLong;
    } else {
        // The prefix takes everything before a '/' at position 155 or earlier.
        // The last character is never the split: the name field may not be empty.
        size_t limit = full.size() - 2 < kTarPrefixLen ? full.size() - 2 : kTarPrefixLen;
        size_t split = std::string::npos;
        for (size_t i = 0; i <= limit; i++) {
            if (full[i] == '/')
                split = i;
        }
        if (split == std::string::npos || split == 0)
            return kHeaderNameUnstorable;
        std::string rest = full.substr(split + 1);
        if (rest.size() > kTarNameLen)
            return kHeaderNameUnstorable;
        memcpy(h + kTarPrefix, full.data(), split);
        memcpy(h + kTarName, rest.data(), rest.size());
    }
    PutOctal(h + kTarMode, "%06llo ", static_cast<long long>(st.mode & 0777u));
    PutOctal(h + kTarUid, "%06llo ", 0);
    PutOctal(h + kTarGid, "%06llo ", 0);
    PutOctal(h + kTarSize, "%011llo ", st.isDir ? 0 : st.size);
    PutOctal(h + kTarMtime, "%011llo ", Clamp(st.mtime, 0, kMax11));
    memset(h + kTarChksum, ' ', kTarChksumLen);
    // An old tar directory has the old regular-file flag NUL, which readers
    // take as a directory when the name ends in '/'; with '0' some take a file.
    h[kTarTypeflag] = (st.isDir && type != kArcUstar) ? '\0' : '0';
    if (type == kArcUstar) {
        if (st.isDir)
            h[kTarTypeflag] = '5';
        memcpy(h + kTarMagic, "ustar", 6);
        memcpy(h + kTarVersion, "00", 2);
        PutOctal(h + kTarDevMajor, "%06llo ", 0);
        PutOctal(h + kTarDevMinor, "%06llo ", 0);
    }
    PutOctal(h + kTarChksum, "%06llo ", static_cast<long long>(TarChecksum(h)));
    h[kTarChksum + 7] = 0;
    memcpy(out, h, kTarBlock);
    return kHeaderOk;
}

bool ParseCpioHeader(const unsigned char* h, CpioHeader* out)
{
    if (memcmp(h, "070707", 6) != 0)
        return false;
    long long dev, ino, mode, uid, gid, nlink, rdev, mtime, namesize, filesize;
    if (!ParseCpioNumber(h + 6, 6, &dev) || !ParseCpioNumber(h + 12, 6, &ino) || !ParseCpioNumber(h + 18, 6, &mode) ||
        !ParseCpioNumber(h + 24, 6, &uid) || !ParseCpioNumber(h + 30, 6, &gid) || !ParseCpioNumber(h + 36, 6, &nlink) ||
        !ParseCpioNumber(h + 42, 6, &rdev) || !ParseCpioNumber(h + 48, 11, &mtime) ||
        !ParseCpioNumber(h + 59, 6, &namesize) || !ParseCpioNumber(h + 65, 11, &filesize))
        return false;
    if (namesize < 1 || namesize > kCpioNameMax || filesize > kMaxMemberSize)
        return false;
    out->st = ArcStatus();
    out->st.dev = static_cast<unsigned>(dev);
    out->st.ino = static_cast<unsigned>(ino);
    out->st.mode = static_cast<unsigned>(mode);
    out->st.uid = static_cast<int>(uid);
    out->st.gid = static_cast<int>(gid);
    out->st.nlink = static_cast<int>(nlink);
    out->st.rdev = static_cast<unsigned>(rdev);
    out->st.mtime = mtime;
    out->st.size = filesize;
    out->st.isDir = CpioKind(out->st) == kMemberDir;
    out->namesize = namesize;
    return true;
}

bool ParseCpioName(const unsigned char* bytes, long long namesize, std::string* name)
{
    if (namesize < 1 || namesize > kCpioNameMax)
        return false;
    size_t n = static_cast<size_t>(namesize) - 1;
    if (bytes[n] != 0 || memchr(bytes, 0, n) != nullptr)
        return false;
    name->assign(reinterpret_cast<const char*>(bytes), n);
    return true;
}

MemberKind CpioKind(const ArcStatus& st)
{
    switch (st.mode & 0170000u) {
    case 0040000u:
        return kMemberDir;
    case 0100000u:
        return kMemberFile;
    default:
        return kMemberOther;
    }
}

HeaderResult FormatCpioHeader(const std::string& name, const ArcStatus& st, std::string* out)
{
    long long namesize = static_cast<long long>(name.size()) + 1;
    if (name.empty() || namesize > kCpioNameMax)
        return kHeaderNameUnstorable;
    if (!st.isDir && st.size > kMaxMemberSize)
        return kHeaderTooLarge;
    // Values wider than their field keep their low digits.
    unsigned mode = (st.mode & 07777u) | (st.isDir ? 0040000u : 0100000u);
    char h[128];
    snprintf(h,
             sizeof h,
             "070707%06llo%06llo%06llo%06llo%06llo%06llo%06llo%011llo%06llo%011llo",
             st.dev & kMax6,
             st.ino & kMax6,
             static_cast<long long>(mode),
             st.uid & kMax6,
             st.gid & kMax6,
             st.nlink & kMax6,
             st.rdev & kMax6,
             Clamp(st.mtime, 0, kMax11),
             namesize,
             st.isDir ? 0LL : st.size);
    out->assign(h, kCpioHeaderSize);
    out->append(name);
    out->push_back('\0');
    return kHeaderOk;
}

std::string CpioTrailer()
{
    std::string t = "070707";
    t.append(53, '0');
    t.append("000013");
    t.append(11, '0');
    t.append("TRAILER!!!");
    t.push_back('\0');
    return t;
}

std::string FormatMemberLine(const std::string& name, const ArcStatus& st, bool verbose)
{
    std::string lower = LowerName(name);
    if (!verbose)
        return lower;
    // A time the local-time conversion cannot take shows as 00/00/0000.
    int day = 0, month = 0, year = 0;
    struct tm tmv;
    bool ok;
#ifdef _WIN32
    __time64_t t = st.mtime;
    ok = _localtime64_s(&tmv, &t) == 0;
#else
    time_t t = static_cast<time_t>(st.mtime);
    ok = localtime_r(&t, &tmv) != nullptr;
#endif
    if (ok && st.mtime >= 0) {
        day = tmv.tm_mday;
        month = tmv.tm_mon + 1;
        year = tmv.tm_year + 1900;
    }
    char line[512];
    snprintf(line,
             sizeof line,
             "%06o %d %5d %5d %9lld  %02d/%02d/%04d  %s",
             st.mode,
             st.nlink,
             st.uid,
             st.gid,
             st.size,
             day,
             month,
             year,
             lower.c_str());
    return line;
}
