// olmet's rows, scroll arithmetic, search over the rows, marks and page
// layout, on byte buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hexrows.h"
#include "regex.h"

using namespace olmet;

namespace {

std::vector<unsigned char> Bytes(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

SearchState State(const char* pattern, bool anchorStart, bool anchorEnd, bool ignoreCase)
{
    SearchState state;
    state.pattern = pattern;
    state.anchorStart = anchorStart;
    state.anchorEnd = anchorEnd;
    state.ignoreCase = ignoreCase;
    return state;
}

std::string Row(const std::vector<unsigned char>& data, Offset row)
{
    return FormatRow(data.data(), static_cast<Offset>(data.size()), row);
}

// ---------------------------------------------------------------- rows

TEST(OlmetRows, ShortFileShowsZerosAndDotsPastItsEnd)
{
    const auto hello = Bytes("Hello, world!\n");
    EXPECT_EQ(Row(hello, 0), "0000000 000000  48656c6c 6f2c2077 6f726c64 210a0000   Hello, world!...");

    // 17 bytes: the second row holds one byte, then 15 positions past the end.
    auto seventeen = Bytes("abcdefghijklmnopq");
    EXPECT_EQ(Row(seventeen, 1), "0000016 000010  71000000 00000000 00000000 00000000   q...............");
    EXPECT_EQ(RowCount(17), 2);
}

TEST(OlmetRows, EveryRowIsSeventyCharactersBelowTenMillion)
{
    std::vector<unsigned char> data(40, 'x');
    for (Offset row = 0; row < RowCount(40); ++row)
        EXPECT_EQ(Row(data, row).size(), static_cast<size_t>(kRowChars)) << "row " << row;
}

TEST(OlmetRows, OnlyPrintableAsciiShowsAsItself)
{
    const std::vector<unsigned char> data = {
        0x00, 0x1f, 0x20, 0x41, 0x7e, 0x7f, 0x80, 0xff, 0x09, 0x0d, 0x0a, 0x2e, 0xa0, 0x30, 0x5c, 0x25};
    EXPECT_EQ(Row(data, 0), "0000000 000000  001f2041 7e7f80ff 090d0a2e a0305c25   .. A~........0\\%");
}

TEST(OlmetRows, OffsetsPastSixHexDigitsGrowTheRow)
{
    // Row 0x100000 starts at byte 0x1000000 = 16777216.
    const Offset size = 0x1000000 + 3;
    std::vector<unsigned char> data(static_cast<size_t>(size), 0x5a);
    std::string row = Row(data, 0x100000);
    EXPECT_EQ(row, "16777216 1000000  5a5a5a00 00000000 00000000 00000000   ZZZ.............");
    EXPECT_EQ(Row(data, 0xfffff).substr(0, 17), "16777200 fffff0  ");
}

TEST(OlmetRows, RowsHoldDataOnlyInsideTheFile)
{
    struct Case {
        Offset row, size;
        bool holds;
    } cases[] = {
        {0, 1, true},
        {0, 0, false},
        {-1, 100, false},
        {1, 16, false},
        {1, 17, true},
        {6, 100, true},
        {7, 100, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RowHoldsData(c.row, c.size), c.holds) << "row " << c.row << " size " << c.size;
}

// ---------------------------------------------------------------- scroll bar

TEST(OlmetScrollBar, HundredFullRowsScrollByRowsMoreByPercent)
{
    ScrollModel rows = ChooseScrollModel(1615);   // 100 full rows, 101 rows
    EXPECT_TRUE(rows.lineMode);
    EXPECT_EQ(rows.rangeMax, 100);
    ScrollModel percent = ChooseScrollModel(1616);   // 101 full rows
    EXPECT_FALSE(percent.lineMode);
    EXPECT_EQ(percent.rangeMax, 100);
    ScrollModel tiny = ChooseScrollModel(1);
    EXPECT_TRUE(tiny.lineMode);
    EXPECT_EQ(tiny.rangeMax, 0);
}

TEST(OlmetScrollBar, ThumbAndTopRowAgreeInBothModels)
{
    struct Case {
        Offset size;
        Offset top;
        int pos;           // the thumb for that top
        int released;      // a thumb released here...
        Offset topAfter;   // ...gives this top row
    } cases[] = {
        {1615, 0, 0, 0, 0},
        {1615, 57, 57, 57, 57},
        {1615, 100, 100, 100, 100},
        {1616, 0, 0, 0, 0},
        {1616, 50, 49, 50, 49},
        {1616, 100, 99, 100, 100},
        {160000, 5000, 50, 1, 99},
        {160000, 9999, 99, 100, 9999},
    };
    for (const Case& c : cases) {
        ScrollModel model = ChooseScrollModel(c.size);
        EXPECT_EQ(ScrollPosForTop(model, c.size, c.top), c.pos) << "size " << c.size << " top " << c.top;
        EXPECT_EQ(TopForThumb(model, c.size, c.released), c.topAfter) << "size " << c.size << " pos " << c.released;
    }
}

TEST(OlmetScrollBar, PositionsTheBarCannotGiveStillLandOnARow)
{
    for (Offset size : {Offset(40), Offset(1616), Offset(5000)}) {
        ScrollModel model = ChooseScrollModel(size);
        for (int pos : {-7, 101, 5000}) {
            Offset top = TopForThumb(model, size, pos);
            EXPECT_TRUE(RowHoldsData(top, size)) << "size " << size << " pos " << pos << " top " << top;
        }
    }
}

// ---------------------------------------------------------------- scrolling

TEST(OlmetScrolling, WholeRowsMoveUntilThePixelsAreUsed)
{
    std::vector<unsigned char> data(160, 1);   // ten rows
    const RowGeometry wide = {8, 16, 800};     // a row of 560 pixels fits
    const RowGeometry narrow = {8, 16, 300};   // a row wraps into two pieces
    struct Case {
        const char* what;
        RowGeometry geometry;
        Offset top;
        bool forward;
        int pixels;
        Offset newTop;
        int moved;
    } cases[] = {
        {"one row forward", wide, 0, true, 16, 1, 16},
        {"part of a row takes the whole row", wide, 0, true, 40, 3, 48},
        {"stops at the last row", wide, 8, true, 100, 9, 16},
        {"nothing after the last row", wide, 9, true, 16, 9, 0},
        {"backward", wide, 5, false, 40, 2, 48},
        {"backward stops at row 0", wide, 2, false, 100, 0, 32},
        {"nothing before row 0", wide, 0, false, 16, 0, 0},
        {"wrapped rows are taller", narrow, 0, true, 40, 2, 64},
    };
    for (const Case& c : cases) {
        ScrollStep step = ScrollByPixels(data.data(), 160, c.top, c.forward, c.pixels, c.geometry);
        EXPECT_EQ(step.top, c.newTop) << c.what;
        EXPECT_EQ(step.moved, c.moved) << c.what;
    }
}

TEST(OlmetScrolling, AClientWithoutWidthNeverDivides)
{
    std::vector<unsigned char> data(64, 1);
    for (int width : {0, -20}) {
        const RowGeometry none = {8, 16, width};
        EXPECT_EQ(none.Pieces(560), 1);
        EXPECT_GE(none.CharsPerPiece(), kRowChars);
        EXPECT_EQ(none.RowPixels(kRowChars), 16);
        ScrollStep step = ScrollByPixels(data.data(), 64, 0, true, 16, none);
        EXPECT_EQ(step.top, 1);
        EXPECT_EQ(step.moved, 16);
    }
    const RowGeometry noChars = {0, 16, 300};
    EXPECT_GE(noChars.CharsPerPiece(), 1);
    EXPECT_EQ(noChars.RowPixels(kRowChars), 16);
}

TEST(OlmetScrolling, WrappingCutsRowsIntoPiecesOfWholeCharacters)
{
    const RowGeometry g = {8, 16, 300};
    EXPECT_EQ(g.Pieces(560), 2);
    EXPECT_EQ(g.Pieces(300), 1);
    EXPECT_EQ(g.Pieces(301), 2);
    EXPECT_EQ(g.CharsPerPiece(), 37);
    const RowGeometry tight = {8, 16, 5};   // narrower than a character
    EXPECT_EQ(tight.CharsPerPiece(), 1);
}

TEST(OlmetScrolling, TheExposedStripIsWhatThePaintFills)
{
    PaintBand forward = ExposedBand(true, 48, 100, 16);
    EXPECT_EQ(forward.top, 48);   // (100 - 48) / 16 rows stay: 3 rows, 48 pixels
    EXPECT_EQ(forward.bottom, 100);
    PaintBand backward = ExposedBand(false, 48, 100, 16);
    EXPECT_EQ(backward.top, 0);
    EXPECT_EQ(backward.bottom, 48);
    PaintBand past = ExposedBand(true, 160, 100, 16);   // moved more than the window
    EXPECT_EQ(past.top, 0);
}

// ---------------------------------------------------------------- search

// Row 1 holds the byte ff (hexadecimal column only), row 2 the characters
// FF, row 3 the characters ff at its end.
std::vector<unsigned char> SearchFixture()
{
    std::vector<unsigned char> data(64, 'x');
    data[20] = 0xff;
    data[40] = 'F';
    data[41] = 'F';
    data[62] = 'f';
    data[63] = 'f';
    return data;
}

TEST(OlmetSearch, ThePatternSeesOffsetsDigitsAndCharacters)
{
    const auto data = SearchFixture();
    struct Case {
        const char* pattern;
        bool anchorStart, anchorEnd, ignoreCase;
        Offset start;
        bool forward;
        Offset found;
    } cases[] = {
        {"ff", false, false, false, 0, true, 1},       // the hexadecimal column
        {"FF", false, false, false, 0, true, 2},       // the characters only
        {"FF", false, false, true, 0, true, 1},        // ignoring case, the digits too
        {"ff", false, true, false, 0, true, 3},        // at the row's end: the characters
        {"ff", false, false, false, 2, false, 1},      // backward
        {"0000048", true, false, false, 0, true, 3},   // the decimal offset at the start
        {"000030", true, false, false, 0, true, -1},   // the hexadecimal offset is not at the start
        {"000030", false, false, false, 0, true, 3},
        {"zz", false, false, false, 0, true, -1},
        {"ff", false, false, false, 2, true, 3},   // from the start row on
    };
    for (const Case& c : cases) {
        SearchState state = State(c.pattern, c.anchorStart, c.anchorEnd, c.ignoreCase);
        char code[REGEX_CODE_SIZE];
        ASSERT_TRUE(CompileSearch(state, code, sizeof code)) << c.pattern;
        EXPECT_EQ(FindRow(data.data(), 64, c.start, c.forward, code, c.ignoreCase), c.found)
            << c.pattern << " from " << c.start;
    }
}

TEST(OlmetSearch, BadPatternsDoNotCompile)
{
    for (const char* pattern : {"[ab", "a\\)", "a\\{3", ""}) {
        char code[REGEX_CODE_SIZE];
        EXPECT_FALSE(CompileSearch(State(pattern, false, false, false), code, sizeof code)) << pattern;
    }
}

TEST(OlmetSearch, ASearchNeedsARowBeyondTheTopRow)
{
    EXPECT_EQ(SearchStartRow(0, 64, true), 1);
    EXPECT_EQ(SearchStartRow(3, 64, true), -1);   // the last row
    EXPECT_EQ(SearchStartRow(0, 64, false), -1);
    EXPECT_EQ(SearchStartRow(3, 64, false), 2);
    EXPECT_EQ(SearchStartRow(0, 10, true), -1);   // one row only
}

// ---------------------------------------------------------------- marks

TEST(OlmetMarks, TheListNamesSetMarksInLetterOrderWithTheirOffsets)
{
    Offset marks[kMarkCount];
    for (Offset& m : marks)
        m = -1;
    EXPECT_EQ(MarksText(marks), "");
    marks[0] = 3;
    EXPECT_EQ(MarksText(marks), "a\t0000048\r\n");
    marks[25] = 0;
    marks[1] = 700000;   // past ten million bytes
    EXPECT_EQ(MarksText(marks), "a\t0000048\r\nb\t11200000\r\nz\t0000000\r\n");
}

// ---------------------------------------------------------------- printing

TEST(OlmetPrinting, PagesHoldWhatFitsBelowTheHeader)
{
    EXPECT_EQ(RowsPerPage(3300, 50), 62);
    EXPECT_EQ(PageCount(32, 62), 1);
    EXPECT_EQ(FirstRowOfPage(1, 62, 32), 0);
    EXPECT_EQ(FirstRowOfPage(2, 62, 32), -1);
    EXPECT_EQ(PageCount(62 * 16, 62), 1);
    EXPECT_EQ(PageCount(62 * 16 + 1, 62), 2);
    EXPECT_EQ(FirstRowOfPage(2, 62, 62 * 16 + 1), 62);
}

TEST(OlmetPrinting, AFontTooTallForThePagePrintsOneRowPerPageAndTheJobEnds)
{
    for (int rowHeight : {200, 26, 25, 0, -3}) {
        int perPage = RowsPerPage(100, rowHeight);
        EXPECT_EQ(perPage, 1) << "row height " << rowHeight;
        // The job's loop: pages until the first row lies past the end.
        int pages = 0;
        while (FirstRowOfPage(pages + 1, perPage, 48) >= 0 && pages < 1000)
            ++pages;
        EXPECT_EQ(pages, 3) << "row height " << rowHeight;
    }
}

}   // namespace
