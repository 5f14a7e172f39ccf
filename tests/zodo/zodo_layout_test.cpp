// Rows, scrolling, the scroll bar, printed pages and the start-up line of
// the pager, without windows.
#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "layout.h"
#include "startup.h"

using zodo::LineRecord;
using zodo::RowMetrics;

namespace {

// Linked records whose display lengths the test chooses.
class Lines {
public:
    explicit Lines(std::vector<int> lengths) : lengths_(lengths), records_(lengths.size())
    {
        for (size_t i = 0; i < records_.size(); ++i) {
            records_[i].previous = i ? &records_[i - 1] : nullptr;
            records_[i].next = i + 1 < records_.size() ? &records_[i + 1] : nullptr;
            records_[i].lineNumber = static_cast<long>(i + 1);
            records_[i].offset = 0;
        }
    }
    LineRecord* line(long n) { return &records_[n - 1]; }
    int length(const LineRecord* r) const { return lengths_[r->lineNumber - 1]; }
    std::function<int(const LineRecord*)> lengthFn()
    {
        return [this](const LineRecord* r) { return length(r); };
    }

private:
    std::vector<int> lengths_;
    std::vector<LineRecord> records_;
};

RowMetrics Metrics(int row, int charWidth, int width)
{
    RowMetrics m;
    m.rowHeight = row;
    m.charWidth = charWidth;
    m.clientWidth = width;
    return m;
}

struct WalkCase {
    const char* name;
    std::vector<int> lengths;
    long top;
    bool forward;
    int pixels;
    long newTop;
    int scrolled;
};
std::ostream& operator<<(std::ostream& os, const WalkCase& c)
{
    return os << c.name;
}

class ScrollWalk : public ::testing::TestWithParam<WalkCase> {};

// Rows of 16 pixels, characters of 8, a window 80 pixels wide (10 characters).
TEST_P(ScrollWalk, MovesByWholeLinesCountingWrappedRows)
{
    const WalkCase& c = GetParam();
    Lines lines(c.lengths);
    LineRecord* top = lines.line(c.top);
    int scrolled = zodo::ScrollWalk(top, c.forward, c.pixels, Metrics(16, 8, 80), lines.lengthFn());
    EXPECT_EQ(top->lineNumber, c.newTop);
    EXPECT_EQ(scrolled, c.scrolled);
}

const std::vector<int> kTwenty(20, 5);

INSTANTIATE_TEST_SUITE_P(Pager, ScrollWalk,
                         ::testing::Values(WalkCase{"line_forward", kTwenty, 1, true, 16, 2, 16},
                                           WalkCase{"line_forward_at_last_line", kTwenty, 20, true, 16, 20, 0},
                                           WalkCase{"line_backward_at_first_line", kTwenty, 1, false, 16, 1, 0},
                                           // A window 200 high: half is 100, the first whole-row distance is 112.
                                           WalkCase{"half_page_forward", kTwenty, 1, true, 100, 8, 112},
                                           // Three rows of a wrapped line pass for one Line Forward.
                                           WalkCase{"over_wrapped_line", {25, 5, 5}, 1, true, 16, 2, 48},
                                           WalkCase{"back_into_wrapped_line", {25, 5, 5}, 2, false, 16, 1, 48},
                                           WalkCase{"empty_line_is_one_row", {0, 0, 0}, 1, true, 16, 2, 16},
                                           WalkCase{"page_backward_near_start", kTwenty, 3, false, 184, 1, 32},
                                           WalkCase{"forward_stops_at_last_line", kTwenty, 15, true, 100000, 20, 80}));

// A view that has not been painted may still have no font height and no
// width; the walk ends after the pixels asked for, without dividing by 0.
TEST(ScrollWalkUnpainted, EndsWithoutMetrics)
{
    Lines lines(std::vector<int>(100000, 30));
    LineRecord* top = lines.line(1);
    int scrolled = zodo::ScrollWalk(top, true, 50, Metrics(0, 0, 0), lines.lengthFn());
    EXPECT_GE(scrolled, 50);
    EXPECT_LE(top->lineNumber, 51);
    EXPECT_GT(top->lineNumber, 1);
}

struct HeightCase {
    int length, row, charWidth, width, expected;
};
TEST(LineHeight, RowsOfTheWrappedLine)
{
    const HeightCase cases[] = {
        {0, 16, 8, 80, 16},
        {10, 16, 8, 80, 16},
        {11, 16, 8, 80, 32},
        {30, 16, 8, 80, 48},
        {30, 16, 8, 0, 16},
        {30, 16, 8, -5, 16},
        {30, 0, 8, 80, 3},
        {1, 16, 0, 80, 16},
    };
    for (const HeightCase& c : cases)
        EXPECT_EQ(zodo::LineHeight(c.length, Metrics(c.row, c.charWidth, c.width)), c.expected)
            << c.length << " chars, row " << c.row << ", char " << c.charWidth << ", width " << c.width;
}

TEST(Wrapping, RowsAndCharactersPerRowNeverDivideByZero)
{
    EXPECT_EQ(zodo::WrapRows(250, 100), 3);
    EXPECT_EQ(zodo::WrapRows(200, 100), 2);
    EXPECT_EQ(zodo::WrapRows(250, 0), 1);
    EXPECT_EQ(zodo::WrapRows(250, -1), 1);
    EXPECT_EQ(zodo::CharsPerRow(100, 8), 12);
    EXPECT_EQ(zodo::CharsPerRow(5, 8), 1);
    EXPECT_EQ(zodo::CharsPerRow(0, 8), 1);
    EXPECT_EQ(zodo::CharsPerRow(100, 0), 1);
}

TEST(Band, ForwardBandStartsOnARowBoundary)
{
    EXPECT_EQ(zodo::ForwardBandTop(200, 112, 16), 80);
    EXPECT_EQ(zodo::ForwardBandTop(200, 16, 16), 176);
    EXPECT_EQ(zodo::ForwardBandTop(200, 300, 16), 0);
    EXPECT_EQ(zodo::ForwardBandTop(200, 16, 0), 0);
}

TEST(ScrollBar, LineModelUpToOneHundredLinesPercentBeyond)
{
    EXPECT_TRUE(zodo::UsesLineModel(100));
    EXPECT_FALSE(zodo::UsesLineModel(101));
    EXPECT_EQ(zodo::ScrollPosition(37, 100, true), 37);
    EXPECT_EQ(zodo::ScrollPosition(500, 1000, false), 50);
    EXPECT_EQ(zodo::ScrollPosition(999, 1000, false), 99);
    // Large files: the product of line and 100 passes a 32-bit long.
    EXPECT_EQ(zodo::ScrollPosition(30000000, 40000000, false), 75);
}

TEST(ScrollBar, ThumbDropSelectsTheLine)
{
    struct {
        int pos;
        long last;
        bool lineModel;
        long line;
    } cases[] = {{50, 1000, false, 500},
                 {0, 1000, false, 1},
                 {1, 150, false, 1},
                 {100, 1000, false, 1000},
                 {37, 100, true, 37},
                 {0, 100, true, 1},
                 {140, 100, true, 100},
                 {99, 40000000, false, 39600000}};
    for (auto& c : cases)
        EXPECT_EQ(zodo::LineAtThumb(c.pos, c.last, c.lineModel), c.line) << c.pos << " of " << c.last;
}

struct StartCase {
    const char* line;
    zodo::StartKind kind;
    const char* path;
};

TEST(CommandLine, ThreeWaysToStart)
{
    using K = zodo::StartKind;
    const StartCase cases[] = {
        {"", K::OpenDialog, ""},
        {"   ", K::OpenDialog, ""},
        {"/p   c:\\a.txt", K::Print, "c:\\a.txt"},
        {"/P c:\\a.txt", K::Print, "c:\\a.txt"},
        {"/pfile.txt", K::Print, "file.txt"},
        {"/p\t \"c:\\my files\\a.txt\"", K::Print, "\"c:\\my files\\a.txt\""},
        {"c:\\my files\\a.txt", K::Open, "c:\\my files\\a.txt"},
        {"\"c:\\my files\\a.txt\"", K::Open, "\"c:\\my files\\a.txt\""},
        {" rel.txt", K::Open, "rel.txt"},
        {"a.txt  ", K::Open, "a.txt  "},
        {"/x a.txt", K::Open, "/x a.txt"},
        {"-p a.txt", K::Open, "-p a.txt"},
    };
    for (const StartCase& c : cases) {
        zodo::StartRequest r = zodo::ClassifyCommandLine(c.line);
        EXPECT_EQ(r.kind, c.kind) << "[" << c.line << "]";
        EXPECT_EQ(r.path, c.path) << "[" << c.line << "]";
    }
}

}   // namespace
