// Header writers and parsers of the three formats against fixed bytes,
// strict field parsing, the data-block rule and the type test.
#include <cstring>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "arcformat.h"
#include "trevak_test_support.h"

namespace {

const unsigned char* Bytes(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

void Put(std::string& block, size_t at, const std::string& text)
{
    block.replace(at, text.size(), text);
}

// The standard checksum, summed over all 512 bytes, as every other writer
// computes it; this system's headers must agree with it.
unsigned long StandardSum(const std::string& block)
{
    unsigned long sum = 0;
    for (size_t i = 0; i < 512; i++)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(block[i]);
    return sum;
}

std::string ExpectedTarHeader(const std::string& name, const char* mode, const char* size, char typeflag, bool ustar,
                              const std::string& prefix = "")
{
    std::string b(512, '\0');
    Put(b, 0, name);
    Put(b, 100, std::string(mode) + " ");
    Put(b, 108, "000000 ");
    Put(b, 116, "000000 ");
    Put(b, 124, std::string(size) + " ");
    Put(b, 136, "07346545000 ");   // 1000000000 seconds
    b[156] = typeflag;
    if (ustar) {
        Put(b, 257, std::string("ustar\0", 6));
        Put(b, 263, "00");
        Put(b, 329, "000000 ");
        Put(b, 337, "000000 ");
        Put(b, 345, prefix);
    }
    char sum[16];
    snprintf(sum, sizeof sum, "%06lo ", StandardSum(b));
    Put(b, 148, sum);
    return b;
}

std::string Header(const std::string& name, unsigned mode, long long size, bool dir, int type, HeaderResult* r)
{
    ArcStatus st;
    st.mode = mode;
    st.size = size;
    st.mtime = 1000000000;
    st.isDir = dir;
    unsigned char block[512];
    memset(block, 0xAA, sizeof block);
    *r = FormatTarHeader(name, st, type, block);
    return std::string(reinterpret_cast<char*>(block), 512);
}

TEST(TarHeaderWriter, FixedBytes)
{
    std::string name100(100, 'n');
    std::string long200 = std::string(120, 'p') + "/" + std::string(79, 'q');
    long200[50] = '/';
    struct Case {
        std::string name;
        unsigned mode;
        long long size;
        bool dir;
        int type;
        std::string expected;
    } cases[] = {
        {"a.txt", 0100666, 1234, false, kArcUstar, ExpectedTarHeader("a.txt", "000666", "00000002322", '0', true)},
        {"a.txt", 0100666, 1234, false, kArcTar, ExpectedTarHeader("a.txt", "000666", "00000002322", '0', false)},
        {"src", 040755, 0, true, kArcUstar, ExpectedTarHeader("src/", "000755", "00000000000", '5', true)},
        {"src", 040755, 0, true, kArcTar, ExpectedTarHeader("src/", "000755", "00000000000", '\0', false)},
        // A name of exactly 100 characters fills the field without a NUL.
        {name100, 0644, 0, false, kArcTar, ExpectedTarHeader(name100, "000644", "00000000000", '0', false)},
        // The last '/' within the first 156 characters splits a long name.
        {long200,
         0644,
         0,
         false,
         kArcUstar,
         ExpectedTarHeader(std::string(79, 'q'), "000644", "00000000000", '0', true, long200.substr(0, 120))},
    };
    for (const Case& c : cases) {
        HeaderResult r;
        std::string got = Header(c.name, c.mode, c.size, c.dir, c.type, &r);
        EXPECT_EQ(r, kHeaderOk) << c.name;
        EXPECT_EQ(got, c.expected) << c.name << " type " << c.type;
    }
}

TEST(TarHeaderWriter, RefusesNamesItCannotStore)
{
    std::string noSlash(150, 'x');
    std::string tailTooLong = "dir/" + std::string(101, 'x');
    std::string over101 = "d/" + std::string(99, 'x');
    struct Case {
        std::string name;
        bool dir;
        int type;
        HeaderResult expected;
    } cases[] = {
        {over101, false, kArcTar, kHeaderNameTooLong},
        {over101, false, kArcUstar, kHeaderOk},
        {noSlash, false, kArcUstar, kHeaderNameUnstorable},
        {tailTooLong, false, kArcUstar, kHeaderNameUnstorable},
        // The directory's own '/' is never the split: the name field would be empty.
        {std::string(120, 'd'), true, kArcUstar, kHeaderNameUnstorable},
        // An old tar directory without room for its '/' would read back as a file.
        {std::string(100, 'd'), true, kArcTar, kHeaderNameTooLong},
        {"", false, kArcUstar, kHeaderNameUnstorable},
    };
    for (const Case& c : cases) {
        HeaderResult r;
        std::string got = Header(c.name, 0644, 0, c.dir, c.type, &r);
        EXPECT_EQ(r, c.expected) << c.name;
        if (r != kHeaderOk) {
            EXPECT_EQ(got, std::string(512, '\xAA')) << "nothing written for " << c.name;
        }
    }
    HeaderResult r;
    Header("big", 0644, kMaxMemberSize + 1, false, kArcUstar, &r);
    EXPECT_EQ(r, kHeaderTooLarge);
}

TEST(TarHeaderReader, RoundTrip)
{
    std::string longName = std::string(130, 'a') + "/" + std::string(90, 'b') + ".txt";
    for (int type : {kArcUstar, kArcTar}) {
        for (const std::string& name : {std::string("a/b/c.txt"), std::string(100, 'z'), longName}) {
            if (type == kArcTar && name.size() > 100)
                continue;
            HeaderResult r;
            std::string block = Header(name, 0100640, 70000, false, type, &r);
            ASSERT_EQ(r, kHeaderOk);
            TarHeader h;
            ASSERT_TRUE(ParseTarHeader(Bytes(block), &h));
            EXPECT_EQ(h.name, name);
            EXPECT_EQ(h.st.mode, 0640u);
            EXPECT_EQ(h.st.size, 70000);
            EXPECT_EQ(h.st.mtime, 1000000000);
            EXPECT_TRUE(h.checksumOk);
            EXPECT_EQ(TarKind(h, type), kMemberFile);
        }
    }
}

TEST(TarChecksum, AcceptsThisSystemsAndOtherWritersSums)
{
    HeaderResult r;
    std::string block = Header("f", 0644, 1, false, kArcUstar, &r);
    // Bytes 500-511 are outside this system's sum but inside the standard one.
    block[505] = static_cast<char>(0xF0);
    unsigned long ours = TarChecksum(Bytes(block));
    unsigned long standard = StandardSum(block);
    long long signedSum = static_cast<long long>(standard) - 0xF0 + static_cast<signed char>(0xF0);
    EXPECT_NE(static_cast<long long>(ours), signedSum);
    EXPECT_TRUE(TarChecksumMatches(Bytes(block), static_cast<long long>(ours)));
    EXPECT_TRUE(TarChecksumMatches(Bytes(block), static_cast<long long>(standard)));
    EXPECT_TRUE(TarChecksumMatches(Bytes(block), signedSum));
    EXPECT_FALSE(TarChecksumMatches(Bytes(block), static_cast<long long>(standard) + 1));

    // A corrupted byte is seen, and the header still parses.
    block[3] ^= 1;
    TarHeader h;
    ASSERT_TRUE(ParseTarHeader(Bytes(block), &h));
    EXPECT_FALSE(h.checksumOk);
}

TEST(TarNumber, ParsesStrictlyWithinTheField)
{
    struct Case {
        std::string field;
        long long max;
        bool ok;
        long long value;
    } cases[] = {
        {std::string("0000644\0", 8), 07777777, true, 0644},
        {std::string("   644 \0", 8), 07777777, true, 0644},
        {std::string("000644 \0", 8), 07777777, true, 0644},
        {std::string("0012345\0", 8), 07777777, true, 012345},
        {std::string("\0\0\0\0\0\0\0\0", 8), 07777777, true, 0},
        {"07777777", 07777777, true, 07777777},   // every byte a digit, no terminator
        {"77777777", 07777777, false, 0},         // too large for the field's value range
        {std::string("-000644\0", 8), 07777777, false, 0},
        {std::string("+000644\0", 8), 07777777, false, 0},
        {std::string("0006 44\0", 8), 07777777, false, 0},
        {std::string("0000648\0", 8), 07777777, false, 0},
        {std::string("000064\0x", 8), 07777777, false, 0},
        {std::string("\x80\0\0\0\0\0\0\x01", 8), 07777777, false, 0},   // base-256
        {"17777777777 ", kMaxMemberSize, true, kMaxMemberSize},
        {"20000000000 ", kMaxMemberSize, false, 0},
        {"777777777777", kMaxMemberSize, false, 0},
    };
    for (const Case& c : cases) {
        long long v = -1;
        bool ok = ParseTarNumber(Bytes(c.field), c.field.size(), c.max, &v);
        EXPECT_EQ(ok, c.ok) << c.field;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.field;
        }
    }
}

TEST(TarHeaderReader, RefusesAHeaderWithABadField)
{
    HeaderResult r;
    std::string good = Header("f", 0644, 10, false, kArcUstar, &r);
    struct Case {
        size_t at;
        std::string text;
    } cases[] = {
        {124, "-0000000012 "},   // signed size
        {124, "777777777777"},   // size past a long
        {136, "0000000001x "},   // mtime
        {100, "00064 4\0"},      // mode
        {148, "12345678"},       // checksum past its range
    };
    for (const Case& c : cases) {
        std::string bad = good;
        Put(bad, c.at, c.text);
        TarHeader h;
        EXPECT_FALSE(ParseTarHeader(Bytes(bad), &h)) << c.at << " " << c.text;
    }
}

TEST(TarDataRule, EveryTypeFlag)
{
    // Bytes of data after a header of size 1000 for each flag and variant.
    struct Case {
        char typeflag;
        const char* name;
        int type;
        long long bytes;
        MemberKind kind;
    } cases[] = {
        {'0', "f", kArcUstar, 1024, kMemberFile},
        {'\0', "f", kArcUstar, 1024, kMemberFile},
        {'0', "f", kArcTar, 1024, kMemberFile},
        {'1', "f", kArcUstar, 0, kMemberOther},
        {'2', "f", kArcUstar, 0, kMemberOther},
        {'3', "f", kArcUstar, 0, kMemberOther},
        {'4', "f", kArcUstar, 0, kMemberOther},
        {'5', "d/", kArcUstar, 0, kMemberDir},
        {'6', "f", kArcUstar, 0, kMemberOther},
        {'7', "f", kArcUstar, 1024, kMemberOther},
        {'x', "f", kArcUstar, 1024, kMemberOther},
        {'g', "f", kArcUstar, 1024, kMemberOther},
        {'L', "f", kArcUstar, 1024, kMemberOther},
        {'K', "f", kArcTar, 1024, kMemberOther},
        // An old tar directory has no data whatever its size field says.
        {'0', "d/", kArcTar, 0, kMemberDir},
        {'\0', "d/", kArcTar, 0, kMemberDir},
        // In ustar only the flag makes a directory.
        {'0', "d/", kArcUstar, 1024, kMemberFile},
    };
    for (const Case& c : cases) {
        TarHeader h;
        h.name = c.name;
        h.typeflag = c.typeflag;
        h.st.size = 1000;
        EXPECT_EQ(TarDataBytes(h, c.type), c.bytes) << "flag " << c.typeflag << " " << c.name;
        EXPECT_EQ(TarKind(h, c.type), c.kind) << "flag " << c.typeflag << " " << c.name;
    }
    TarHeader h;
    h.typeflag = '0';
    for (long long size : {0LL, 1LL, 511LL, 512LL, 513LL}) {
        h.st.size = size;
        EXPECT_EQ(TarDataBytes(h, kArcUstar), (size + 511) / 512 * 512) << size;
    }
}

std::string CpioFields(const std::string& mode, const std::string& namesize, const std::string& filesize)
{
    return std::string("070707") + "000001" + "000002" + mode + "000003" + "000004" + "000001" + "000000" +
           "07346545000" + namesize + filesize;
}

TEST(CpioHeaderWriter, FixedBytes)
{
    ArcStatus st;
    st.dev = 1;
    st.ino = 2;
    st.mode = 0644;
    st.uid = 3;
    st.gid = 4;
    st.nlink = 1;
    st.mtime = 1000000000;
    st.size = 10;
    std::string out;
    ASSERT_EQ(FormatCpioHeader("a", st, &out), kHeaderOk);
    EXPECT_EQ(out, CpioFields("100644", "000002", "00000000012") + std::string("a\0", 2));
    st.isDir = true;
    st.mode = 0755;
    ASSERT_EQ(FormatCpioHeader("src", st, &out), kHeaderOk);
    EXPECT_EQ(out, CpioFields("040755", "000004", "00000000000") + std::string("src\0", 4));

    std::string t = CpioTrailer();
    EXPECT_EQ(t,
              std::string("070707") + std::string(53, '0') + "000013" + std::string(11, '0') +
                  std::string("TRAILER!!!\0", 11));
}

TEST(CpioHeaderReader, ParsesStrictly)
{
    struct Case {
        std::string header;
        bool ok;
    } cases[] = {
        {CpioFields("100644", "000002", "00000000012"), true},
        {CpioFields("100644", "001000", "00000000012"), true},    // 512, the limit
        {CpioFields("100644", "000000", "00000000012"), false},   // name size 0
        {CpioFields("100644", "001001", "00000000012"), false},   // over the limit
        {CpioFields("100644", "777777", "00000000012"), false},
        {CpioFields("100644", "000002", "17777777777"), true},
        {CpioFields("100644", "000002", "20000000000"), false},   // past a long
        {CpioFields("100644", "000002", "77777777777"), false},
        {CpioFields("10064 ", "000002", "00000000012"), false},   // blank
        {CpioFields("-00644", "000002", "00000000012"), false},   // sign
        {CpioFields("100648", "000002", "00000000012"), false},
        {CpioFields("100644", std::string("00000\0", 6), "00000000012"), false},
        {"070708" + CpioFields("100644", "000002", "00000000012").substr(6), false},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.header.size(), kCpioHeaderSize);
        CpioHeader h;
        EXPECT_EQ(ParseCpioHeader(Bytes(c.header), &h), c.ok) << c.header;
    }
    CpioHeader h;
    ASSERT_TRUE(ParseCpioHeader(Bytes(CpioFields("100644", "000002", "00000000012")), &h));
    EXPECT_EQ(h.namesize, 2);
    EXPECT_EQ(h.st.size, 10);
    EXPECT_EQ(h.st.mode, 0100644u);
    EXPECT_EQ(h.st.uid, 3);
    EXPECT_EQ(h.st.gid, 4);
    EXPECT_EQ(h.st.mtime, 1000000000);

    std::string name;
    EXPECT_TRUE(ParseCpioName(Bytes(std::string("ab\0", 3)), 3, &name));
    EXPECT_EQ(name, "ab");
    EXPECT_FALSE(ParseCpioName(Bytes(std::string("abc", 3)), 3, &name));     // no NUL
    EXPECT_FALSE(ParseCpioName(Bytes(std::string("a\0\0", 3)), 3, &name));   // NUL inside
}

TEST(CpioKind, ComparesTheWholeTypeField)
{
    struct Case {
        unsigned mode;
        MemberKind kind;
    } cases[] = {
        {0100644, kMemberFile},
        {0040755, kMemberDir},
        {0120777, kMemberOther},   // link: has 0100000
        {0140755, kMemberOther},   // socket: has 040000
        {0060644, kMemberOther},
        {0020644, kMemberOther},
        {0010644, kMemberOther},
        {0000644, kMemberOther},
    };
    for (const Case& c : cases) {
        ArcStatus st;
        st.mode = c.mode;
        EXPECT_EQ(CpioKind(st), c.kind) << std::oct << c.mode;
    }
}

TEST(ArchiveType, DecidedFromTheFirstBlock)
{
    std::string zero(512, '\0');
    std::string ustar = zero;
    Put(ustar, 257, "ustar");
    std::string gnu = ustar;
    Put(gnu, 262, "  ");   // only five bytes are compared
    std::string cpioAndUstar = ustar;
    Put(cpioAndUstar, 0, "070707");
    std::string other = zero;
    Put(other, 257, "usta");
    other[261] = 'R';
    struct Case {
        std::string block;
        size_t n;
        int type;
    } cases[] = {
        {cpioAndUstar, 512, kArcCpio},
        {ustar, 512, kArcUstar},
        {gnu, 512, kArcUstar},
        {zero, 512, kArcTar},
        {other, 512, kArcUnknown},
        {ustar, 511, kArcUnknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectArchiveType(Bytes(c.block), c.n), c.type);
}

TEST(MemberLine, VerboseAndShortForms)
{
    struct tm local = {};
    local.tm_year = 2001 - 1900;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    ArcStatus st;
    st.mode = 0100644;
    st.nlink = 1;
    st.uid = 3;
    st.gid = 40;
    st.size = 1234;
    st.mtime = static_cast<long long>(mktime(&local));
    EXPECT_EQ(FormatMemberLine("Docs/A.TXT", st, true), "100644 1     3    40      1234  15/06/2001  docs/a.txt");
    EXPECT_EQ(FormatMemberLine("Docs/A.TXT", st, false), "docs/a.txt");
    // Times the local-time conversion cannot take still give a line.
    for (long long t : {-1LL, 077777777777LL}) {
        st.mtime = t;
        EXPECT_NE(FormatMemberLine("x", st, true).find("  x"), std::string::npos);
    }
}

}   // namespace
