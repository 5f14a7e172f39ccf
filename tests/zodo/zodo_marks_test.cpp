// Marks and the row band of the pager, without windows: which letter a
// field names, the list of marks, and the lines a band of rows covers when
// lines wrap.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "marks.h"
#include "render.h"
#include "zodo_test_files.h"

using zodo::LineRecord;
using zodo::RowMetrics;

namespace {

// A loaded file whose lines display as many characters as the test
// chooses (letters and a line feed), measured by rendering them.
class Lines {
public:
    explicit Lines(const std::vector<int>& lengths)
    {
        std::string bytes;
        for (int length : lengths)
            bytes += std::string(static_cast<size_t>(length), 'x') + "\n";
        std::string path = dir_.file("lines.txt");
        zodo_test::WriteBytes(path, bytes);
        if (index_.Load(path.c_str()) != zodo::LoadStatus::Loaded)
            throw std::runtime_error("cannot load");
    }
    LineRecord* line(long n) { return index_.Line(n); }
    std::function<int(const LineRecord*)> lengthFn()
    {
        return [this](const LineRecord* r) {
            ++rendered;
            zodo::RenderLine(
                index_.BytesOf(r), index_.LengthOf(r), r->lineNumber, r->offset, zodo::RenderOptions(), text_);
            return static_cast<int>(text_.size());
        };
    }
    int rendered = 0;

private:
    zodo_test::ScratchDir dir_;
    zodo::LineIndex index_;
    std::string text_;
};

TEST(MarksList, LettersInOrderWithTheirLineNumbers)
{
    Lines lines(std::vector<int>(50, 1));
    const LineRecord* marks[zodo::kMarkCount] = {};
    EXPECT_EQ(zodo::MarksText(marks), "");
    marks[1] = lines.line(12);   // b, set first
    marks[0] = lines.line(40);   // a
    marks[25] = lines.line(7);   // z
    EXPECT_EQ(zodo::MarksText(marks), "a\tLine 40\r\nb\tLine 12\r\nz\tLine 7\r\n");
}

// Rows of 16 pixels, characters of 8, a window 80 pixels wide: a line of
// up to 10 characters takes one row, 11 to 20 two, an empty one one.
RowMetrics Metrics()
{
    RowMetrics m;
    m.rowHeight = 16;
    m.charWidth = 8;
    m.clientWidth = 80;
    return m;
}

struct BandCase {
    const char* name;
    std::vector<int> lengths;
    long top;
    int bandTop, bandBottom;   // pixels
    long first, last;
};
std::ostream& operator<<(std::ostream& os, const BandCase& c)
{
    return os << c.name;
}

class BandWalk : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandWalk, FindsTheLinesOfTheBand)
{
    const BandCase& c = GetParam();
    Lines lines(c.lengths);
    zodo::BandLines band = zodo::LinesInBand(lines.line(c.top), c.bandTop, c.bandBottom, Metrics(), lines.lengthFn());
    ASSERT_NE(band.first, nullptr);
    ASSERT_NE(band.last, nullptr);
    EXPECT_EQ(band.first->lineNumber, c.first);
    EXPECT_EQ(band.last->lineNumber, c.last);
    // Set Mark takes the same first line.
    EXPECT_EQ(zodo::LineAtBandTop(lines.line(c.top), c.bandTop, Metrics(), lines.lengthFn())->lineNumber, c.first);
}

const std::vector<int> kShort(30, 5);
// Line 1 wraps into two rows, line 2 takes one, line 3 three, then short ones.
const std::vector<int> kWrapped = {15, 4, 25, 3, 0, 9, 2, 2, 2, 2};

INSTANTIATE_TEST_SUITE_P(Pager, BandWalk,
                         ::testing::Values(BandCase{"rows_2_to_4_from_the_top", kShort, 1, 32, 80, 3, 5},
                                           BandCase{"rows_2_to_4_below_line_10", kShort, 10, 32, 80, 12, 14},
                                           BandCase{"row_0_alone", kShort, 1, 0, 16, 1, 1},
                                           BandCase{"second_row_of_a_wrapped_top_line", kWrapped, 1, 16, 32, 2, 2},
                                           BandCase{"third_row_is_the_second_line", kWrapped, 1, 32, 48, 2, 2},
                                           BandCase{"fourth_row_is_the_third_line", kWrapped, 1, 48, 64, 3, 3},
                                           BandCase{"band_ending_inside_a_wrapped_line", kWrapped, 1, 0, 80, 1, 3},
                                           BandCase{"band_ending_after_a_wrapped_line", kWrapped, 1, 16, 96, 2, 3},
                                           BandCase{"band_from_the_middle_of_line_3", kWrapped, 1, 64, 128, 4, 5},
                                           BandCase{"bottom_at_the_client_edge_not_a_row", kShort, 1, 16, 70, 2, 4},
                                           BandCase{"band_below_the_end_of_the_file", kWrapped, 5, 160, 320, 10, 10},
                                           BandCase{"band_from_the_last_line", kWrapped, 10, 0, 48, 10, 10}),
                         [](const ::testing::TestParamInfo<BandCase>& info) { return std::string(info.param.name); });

TEST(BandWalk, MeasuresOnlyTheLinesAboveAndInTheBand)
{
    Lines lines(std::vector<int>(1000, 5));
    zodo::BandLines band = zodo::LinesInBand(lines.line(1), 32, 64, Metrics(), lines.lengthFn());
    EXPECT_EQ(band.first->lineNumber, 3);
    EXPECT_EQ(band.last->lineNumber, 4);
    EXPECT_LE(lines.rendered, 8);
}

}   // namespace
