// The block scans and the copy against the plain byte loop and the runtime
// call they stand in for: every start alignment, every length up to a few
// blocks, and the sought byte and a NUL at each place, so the sixteen-byte
// steps and the tail both meet them. The scans must never give another place
// than the loop, nor the copy other bytes than memmove.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bytescan.h"

namespace {

const char* PlainScanByte(const char* from, const char* to, unsigned char value)
{
    for (const char* p = from; p < to; ++p)
        if (static_cast<unsigned char>(*p) == value)
            return p;
    return nullptr;
}

const char* PlainScanByteOrNul(const char* from, const char* to, unsigned char value)
{
    for (const char* p = from; p < to; ++p)
        if (static_cast<unsigned char>(*p) == value || *p == 0)
            return p;
    return nullptr;
}

struct Placement {
    const char* what;
    int valueAt;   // -1: not in the text
    int nulAt;     // -1: not in the text
};

TEST(ByteScanTest, ScansAgreeWithTheByteLoop)
{
    const Placement placements[] = {
        {"neither", -1, -1},
        {"value only", 0, -1},
        {"value in the first block", 7, -1},
        {"value on a block's last byte", 15, -1},
        {"value in the tail", 37, -1},
        {"nul only", -1, 3},
        {"nul before the value", 20, 17},
        {"value before the nul", 5, 16},
        {"both at the end", 46, 47},
    };
    const unsigned char values[] = {'\n', 'f', 0x80, 0xff};
    std::vector<char> buffer(96);
    for (const Placement& placement : placements) {
        for (unsigned char value : values) {
            for (size_t start = 0; start < 17; ++start) {
                for (size_t length = 0; length <= 48; ++length) {
                    // Filler that is never the value nor a NUL, with bytes on
                    // both sides of the range that are both.
                    for (size_t i = 0; i < buffer.size(); ++i)
                        buffer[i] = static_cast<char>('a' + i % 5);
                    for (size_t i = 0; i < start; ++i)
                        buffer[i] = static_cast<char>(i % 2 ? value : 0);
                    char* from = buffer.data() + start;
                    char* to = from + length;
                    *to = static_cast<char>(value);
                    to[1] = 0;
                    if (placement.valueAt >= 0 && static_cast<size_t>(placement.valueAt) < length)
                        from[placement.valueAt] = static_cast<char>(value);
                    if (placement.nulAt >= 0 && static_cast<size_t>(placement.nulAt) < length)
                        from[placement.nulAt] = 0;
                    SCOPED_TRACE(std::string(placement.what) + ", value " + std::to_string(value) + ", start " +
                                 std::to_string(start) + ", length " + std::to_string(length));
                    EXPECT_EQ(PlainScanByte(from, to, value), ScanByte(from, to, value));
                    EXPECT_EQ(PlainScanByte(from, to, 0), ScanNul(from, to));
                    EXPECT_EQ(PlainScanByteOrNul(from, to, value), ScanByteOrNul(from, to, value));
                }
            }
        }
    }
}

TEST(ByteScanTest, CopyGivesWhatMemmoveGives)
{
    // Apart, and overlapping with the target at or before the source by
    // less than, exactly and more than one block.
    const struct {
        const char* what;
        long long sourceAfterTarget;   // how far the source lies past the target
    } layouts[] = {
        {"apart", 200},
        {"same place", 0},
        {"one byte", 1},
        {"seven bytes", 7},
        {"fifteen bytes", 15},
        {"one block", 16},
        {"seventeen bytes", 17},
        {"forty bytes", 40},
    };
    for (const auto& layout : layouts) {
        for (size_t length = 0; length <= 70; ++length) {
            for (size_t align = 0; align < 16; align += 5) {
                std::vector<char> mine(320), theirs(320);
                for (size_t i = 0; i < mine.size(); ++i)
                    mine[i] = theirs[i] = static_cast<char>(i * 7 + 3);
                size_t to = 8 + align;
                size_t from = to + static_cast<size_t>(layout.sourceAfterTarget);
                SCOPED_TRACE(std::string(layout.what) + ", length " + std::to_string(length) + ", align " +
                             std::to_string(align));
                CopyBytes(mine.data() + to, mine.data() + from, length);
                std::memmove(theirs.data() + to, theirs.data() + from, length);
                EXPECT_EQ(theirs, mine);
            }
        }
    }
}

}   // namespace
