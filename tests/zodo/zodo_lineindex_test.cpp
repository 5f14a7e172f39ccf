// The pager's text block and line index: where lines are cut, how they are
// numbered and linked, what loading reports, and Save As.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "fileout.h"
#include "lineindex.h"
#include "zodo_test_files.h"

using zodo::LineIndex;
using zodo::LineRecord;
using zodo::LoadStatus;
using zodo_test::ReadBytes;
using zodo_test::ScratchDir;
using zodo_test::WriteBytes;

namespace {

struct CutCase {
    const char* name;
    std::string bytes;
    std::vector<int> lengths;   // of every line, in order
};

std::ostream& operator<<(std::ostream& os, const CutCase& c)
{
    return os << c.name;
}

std::string Repeat(char c, size_t n)
{
    return std::string(n, c);
}

class LineCuts : public ::testing::TestWithParam<CutCase> {};

TEST_P(LineCuts, RecordsCoverTheTextInOrderAndLinkBothWays)
{
    const CutCase& c = GetParam();
    ScratchDir dir;
    std::string path = dir.file("in.txt");
    WriteBytes(path, c.bytes);

    LineIndex index;
    ASSERT_EQ(index.Load(path.c_str()), LoadStatus::Loaded);
    ASSERT_EQ(index.TextSize(), static_cast<long>(c.bytes.size()));
    ASSERT_EQ(index.LineCount(), static_cast<long>(c.lengths.size()));
    EXPECT_EQ(std::string(index.Text(), index.TextSize()), c.bytes);

    long offset = 0;
    const LineRecord* previous = nullptr;
    const LineRecord* line = index.FirstLine();
    for (size_t i = 0; i < c.lengths.size(); ++i) {
        ASSERT_NE(line, nullptr) << "line " << i + 1;
        EXPECT_EQ(line, index.Line(static_cast<long>(i + 1)));
        EXPECT_EQ(line->lineNumber, static_cast<long>(i + 1));
        EXPECT_EQ(line->offset, offset);
        EXPECT_EQ(line->previous, previous);
        EXPECT_EQ(index.LengthOf(line), c.lengths[i]) << "line " << i + 1;
        offset += c.lengths[i];
        previous = line;
        line = line->next;
    }
    EXPECT_EQ(line, nullptr);
    EXPECT_EQ(previous, index.LastLine());
    EXPECT_EQ(offset, index.TextSize());
}

INSTANTIATE_TEST_SUITE_P(Pager, LineCuts,
                         ::testing::Values(CutCase{"no_line_feed_1200", Repeat('x', 1200), {512, 512, 176}},
                                           CutCase{"lf_as_512th_byte", Repeat('x', 511) + "\n", {512}},
                                           CutCase{"lf_as_513th_byte", Repeat('x', 512) + "\n", {512, 1}},
                                           CutCase{"exactly_512_no_lf", Repeat('x', 512), {512}},
                                           CutCase{"last_line_without_lf", "ab\ncd", {3, 2}},
                                           CutCase{"crlf_stays_in_line", "ab\r\n\r\nc\r", {4, 2, 2}},
                                           CutCase{"only_line_feeds", "\n\n\n", {1, 1, 1}},
                                           CutCase{"nul_bytes_are_ordinary", std::string("a\0b\n\0\0", 6), {4, 2}},
                                           CutCase{"cr_cut_as_512th_byte", Repeat('x', 511) + "\r\n", {512, 1}},
                                           CutCase{"single_byte", "z", {1}}));

TEST(LineIndexLoad, ReportsMissingAndEmptyFilesAndHoldsNothing)
{
    ScratchDir dir;
    WriteBytes(dir.file("empty"), "");
    LineIndex index;
    EXPECT_EQ(index.Load(dir.file("missing").c_str()), LoadStatus::CantOpen);
    EXPECT_EQ(index.FirstLine(), nullptr);
    EXPECT_EQ(index.Load(dir.file("empty").c_str()), LoadStatus::ZeroLength);
    EXPECT_EQ(index.FirstLine(), nullptr);
    EXPECT_EQ(index.Text(), nullptr);
}

// The file's status said one size, the read found another.
struct ChangedSizeCase {
    const char* name;
    std::string bytes;
    long long statSize;
    LoadStatus status;
    long textSize;
    long lines;
};
std::ostream& operator<<(std::ostream& os, const ChangedSizeCase& c)
{
    return os << c.name;
}

// size bytes of eight-byte lines.
std::string Repeat8(size_t size)
{
    std::string s;
    s.reserve(size);
    while (s.size() < size)
        s += "abcdefg\n";
    return s;
}

class ChangedSize : public ::testing::TestWithParam<ChangedSizeCase> {};

TEST_P(ChangedSize, OnlyTheBytesReadAreIndexed)
{
    const ChangedSizeCase& c = GetParam();
    ScratchDir dir;
    std::string path = dir.file("f");
    WriteBytes(path, c.bytes);
    filesys::File f;
    ASSERT_TRUE(f.Open(path, filesys::Mode::kRead));
    LineIndex index;
    EXPECT_EQ(index.Load(f, c.statSize), c.status);
    EXPECT_EQ(index.TextSize(), c.textSize);
    EXPECT_EQ(index.LineCount(), c.lines);
    if (c.lines) {
        const LineRecord* last = index.LastLine();
        EXPECT_EQ(last->offset + index.LengthOf(last), c.textSize);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pager, ChangedSize,
    ::testing::Values(
        // Shrank after the status call: the rest of the block is not text.
        ChangedSizeCase{"shrank", "one\ntwo\n", 5000, LoadStatus::Loaded, 8, 2},
        ChangedSizeCase{"shrank_to_nothing", "", 700, LoadStatus::ZeroLength, 0, 0},
        // Grew: the block holds what the status said.
        ChangedSizeCase{"grew", "one\ntwo\nthree\n", 6, LoadStatus::Loaded, 6, 2},
        // The same past the first megabytes, which are read while the
        // pages of the rest are still being faulted in.
        ChangedSizeCase{
            "shrank_after_megabytes", Repeat8(9 << 20), 13 << 20, LoadStatus::Loaded, 9 << 20, (9 << 20) / 8},
        ChangedSizeCase{"grew_after_megabytes",
                        Repeat8(9 << 20),
                        (5 << 20) + 3,
                        LoadStatus::Loaded,
                        (5 << 20) + 3,
                        (5 << 20) / 8 + 1}));

// Hands out blocks from the heap, failing the call numbered failAt (from 1)
// in the way asked, and checks that every block comes back.
class CountingMemory : public zodo::BlockMemory {
public:
    CountingMemory(int failAt, LoadStatus how) : failAt_(failAt), how_(how) {}
    void* Allocate(size_t bytes, LoadStatus* failure) override
    {
        if (++calls_ == failAt_) {
            *failure = how_;
            return nullptr;
        }
        void* p = ::operator new(bytes);
        live_.insert(p);
        lastRequest_ = bytes;
        return p;
    }
    void Release(void* block) override
    {
        EXPECT_EQ(live_.erase(block), 1u);
        ::operator delete(block);
    }
    size_t Live() const { return live_.size(); }
    size_t Requests() const { return static_cast<size_t>(calls_); }
    size_t LastRequest() const { return lastRequest_; }

private:
    int failAt_;
    LoadStatus how_;
    int calls_ = 0;
    size_t lastRequest_ = 0;
    std::set<void*> live_;
};

struct MemoryFailure {
    int failAt;
    LoadStatus how;
};

class BlockFailures : public ::testing::TestWithParam<MemoryFailure> {};

TEST_P(BlockFailures, AreReportedAndLeaveNoBlockHeld)
{
    ScratchDir dir;
    std::string path = dir.file("f");
    WriteBytes(path, "alpha\nbeta\n");
    CountingMemory memory(GetParam().failAt, GetParam().how);
    {
        LineIndex index(memory);
        EXPECT_EQ(index.Load(path.c_str()), GetParam().how);
        EXPECT_EQ(memory.Live(), 0u);
        EXPECT_EQ(index.FirstLine(), nullptr);
        // The same object loads again once memory is there.
        EXPECT_EQ(index.Load(path.c_str()), LoadStatus::Loaded);
        EXPECT_EQ(index.LineCount(), 2);
    }
    EXPECT_EQ(memory.Live(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Pager, BlockFailures,
                         ::testing::Values(MemoryFailure{1, LoadStatus::OutOfMemory},
                                           MemoryFailure{1, LoadStatus::CantLock},
                                           MemoryFailure{2, LoadStatus::OutOfMemory},
                                           MemoryFailure{2, LoadStatus::CantLock}));

// A read that fails is a file that cannot be opened, whatever it had read
// before: no block stays held, and what was loaded before is gone as with
// any load. A file whose status cannot be had is one too.
TEST(LineIndexLoad, AFailingReadOrStatusIsAFileThatCannotBeOpened)
{
    ScratchDir dir;
    std::string shown = dir.file("shown"), next = dir.file("next");
    WriteBytes(shown, "shown\n");
    WriteBytes(next, "next\nfile\n");
    struct Case {
        const char* name;
        long long statSize;
        bool closeFirst;
    } cases[] = {
        {"read_after_close", 11, true},
        {"no_status", -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingMemory memory(0, LoadStatus::OutOfMemory);
        {
            LineIndex index(memory);
            ASSERT_EQ(index.Load(shown.c_str()), LoadStatus::Loaded);
            filesys::File f;
            ASSERT_TRUE(f.Open(next, filesys::Mode::kRead));
            if (c.closeFirst) {
                ASSERT_TRUE(f.Close());
            }
            EXPECT_EQ(index.Load(f, c.statSize), LoadStatus::CantOpen);
            EXPECT_EQ(memory.Live(), 0u);
            EXPECT_EQ(index.FirstLine(), nullptr);
            EXPECT_EQ(index.Text(), nullptr);
        }
        EXPECT_EQ(memory.Live(), 0u);
    }
}

// The line cuts of a large file read in pieces match reading it the way a
// 513-byte fgets buffer cuts it, piece boundaries and all.
TEST(LineIndexLoad, LargeFileCutsAsAFgetsBufferWould)
{
    ScratchDir dir;
    std::string path = dir.file("big");
    std::string bytes;
    unsigned seed = 12345;
    while (bytes.size() < (size_t(9) << 20)) {
        seed = seed * 1103515245u + 12345u;
        size_t len = (seed >> 16) % 1500;   // some longer than a line may be
        bytes.append(len, static_cast<char>('a' + len % 26));
        bytes += (seed & 0x100) ? "\r\n" : "\n";
    }
    WriteBytes(path, bytes);

    std::vector<long> expected;   // offsets of the chunks
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buffer[513];
    long at = 0;
    while (std::fgets(buffer, sizeof buffer, f)) {
        expected.push_back(at);
        at = std::ftell(f);
    }
    std::fclose(f);

    LineIndex index;
    ASSERT_EQ(index.Load(path.c_str()), LoadStatus::Loaded);
    ASSERT_EQ(index.LineCount(), static_cast<long>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(index.Line(static_cast<long>(i + 1))->offset, expected[i]) << "line " << i + 1;
}

// Where lines start, found the plain way: byte by byte from each start to
// the first line feed, at most kMaxLineLength bytes, never past the end.
std::vector<long> ReferenceStarts(const std::string& text)
{
    std::vector<long> starts;
    size_t p = 0;
    while (p < text.size()) {
        starts.push_back(static_cast<long>(p));
        size_t length = 0;
        while (p + length < text.size() && length < static_cast<size_t>(zodo::kMaxLineLength)) {
            ++length;
            if (text[p + length - 1] == '\n')
                break;
        }
        p += length;
    }
    return starts;
}

// Every record of a loaded index against the plain walk: offsets, numbers,
// both links and the lengths the view asks for.
void ExpectIndexMatchesReference(const LineIndex& index, const std::string& text)
{
    const std::vector<long> starts = ReferenceStarts(text);
    ASSERT_EQ(index.TextSize(), static_cast<long>(text.size()));
    ASSERT_EQ(index.LineCount(), static_cast<long>(starts.size()));
    const LineRecord* line = index.FirstLine();
    const LineRecord* previous = nullptr;
    for (size_t i = 0; i < starts.size(); ++i) {
        ASSERT_NE(line, nullptr) << "line " << i + 1;
        ASSERT_EQ(line, index.Line(static_cast<long>(i + 1)));
        ASSERT_EQ(line->offset, starts[i]) << "line " << i + 1;
        ASSERT_EQ(line->lineNumber, static_cast<long>(i + 1));
        ASSERT_EQ(line->previous, previous) << "line " << i + 1;
        const long end = i + 1 < starts.size() ? starts[i + 1] : static_cast<long>(text.size());
        ASSERT_EQ(index.LengthOf(line), end - starts[i]) << "line " << i + 1;
        previous = line;
        line = line->next;
    }
    EXPECT_EQ(line, nullptr);
    EXPECT_EQ(index.LastLine(), previous);
}

struct WalkCase {
    const char* name;
    std::string bytes;
};
std::ostream& operator<<(std::ostream& os, const WalkCase& c)
{
    return os << c.name;
}

// Line feeds at and around the edges of the sixteen-byte blocks the scan
// reads, from the given offsets on.
std::string FeedsAt(std::initializer_list<size_t> offsets, size_t size)
{
    std::string s(size, 'k');
    for (size_t at : offsets)
        s[at] = '\n';
    return s;
}

// A long first stretch of long lines and then a great many short ones.
std::string ShortLinesAfterLongOnes()
{
    std::string s;
    while (s.size() < 300 * 1024)
        s += Repeat('w', 700) + "\n";
    for (int i = 0; i < 200000; ++i)
        s += (i % 3) ? "\n" : "ab\r\n";
    return s;
}

class ReferenceWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(ReferenceWalk, TheIndexCutsWhereThePlainWalkDoes)
{
    ScratchDir dir;
    std::string path = dir.file("in");
    WriteBytes(path, GetParam().bytes);
    LineIndex index;
    ASSERT_EQ(index.Load(path.c_str()), LoadStatus::Loaded);
    ExpectIndexMatchesReference(index, GetParam().bytes);
}

// The text cut in stretches on several threads: stretch ends fall inside
// long lines, on and beside line feeds, in runs of stretches without any,
// and stretches are left empty when there are more of them than bytes.
TEST_P(ReferenceWalk, EveryNumberOfStretchesCutsWhereThePlainWalkDoes)
{
    ScratchDir dir;
    std::string path = dir.file("in");
    WriteBytes(path, GetParam().bytes);
    for (unsigned stretches : {2u, 3u, 7u, 16u, 61u}) {
        LineIndex index;
        index.SpreadOver(stretches);
        ASSERT_EQ(index.Load(path.c_str()), LoadStatus::Loaded) << stretches << " stretches";
        SCOPED_TRACE(std::to_string(stretches) + " stretches");
        ExpectIndexMatchesReference(index, GetParam().bytes);
        if (::testing::Test::HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pager, ReferenceWalk,
    ::testing::Values(
        WalkCase{"empty_lines", "\n\n\na\n\n"}, WalkCase{"lf_first", "\nabc"},
        WalkCase{"exactly_511_512_513_with_lf",
                 Repeat('a', 510) + "\n" + Repeat('b', 511) + "\n" + Repeat('c', 512) + "\n" + "end\n"},
        WalkCase{"exactly_511_without_lf", Repeat('a', 511)}, WalkCase{"exactly_512_without_lf", Repeat('a', 512)},
        WalkCase{"exactly_513_without_lf", Repeat('a', 513)}, WalkCase{"twice_512_then_lf", Repeat('d', 1024) + "\n"},
        WalkCase{"long_stretch_then_short_lines", Repeat('e', 1600) + "\nx\ny"},
        WalkCase{"no_final_newline", "one\ntwo\nthree"}, WalkCase{"cr_only", "a\rb\rc\r"},
        WalkCase{"cr_lf_split_at_512", Repeat('f', 511) + "\r\n" + Repeat('g', 40) + "\r\n"},
        WalkCase{"nuls", std::string("\0\0\n\0a\0\n\0", 8) + std::string(40, '\0') + "\n"},
        WalkCase{"feeds_at_block_edges", FeedsAt({0, 15, 16, 31, 32, 47, 63, 64, 80}, 100)},
        WalkCase{"feed_as_last_byte_of_a_block", FeedsAt({15}, 16)}, WalkCase{"all_line_feeds", std::string(100, '\n')},
        WalkCase{"line_feed_every_sixteenth_byte",
                 [] {
                     std::string s;
                     for (int i = 0; i < 80; ++i)
                         s += Repeat('h', 15) + "\n";
                     return s;
                 }()},
        WalkCase{"short_lines_after_long_ones", ShortLinesAfterLongOnes()},
        WalkCase{"more_than_the_sample_alike", [] {
                     std::string s;
                     for (int i = 0; s.size() < 700 * 1024; ++i)
                         s += std::to_string(i) + " words words\r\n";
                     return s;
                 }()}));

// The record block is asked for once, at the exact size the lines need,
// however many stretches count them: a text of many short lines after long
// ones takes no more records than it has lines.
TEST(LineIndexLoad, TheRecordBlockHoldsExactlyTheLines)
{
    ScratchDir dir;
    std::string path = dir.file("f");
    const std::string bytes = ShortLinesAfterLongOnes();
    WriteBytes(path, bytes);
    for (unsigned stretches : {1u, 8u}) {
        CountingMemory memory(0, LoadStatus::OutOfMemory);
        LineIndex index(memory);
        index.SpreadOver(stretches);
        ASSERT_EQ(index.Load(path.c_str()), LoadStatus::Loaded);
        EXPECT_EQ(memory.Requests(), 2u);
        EXPECT_EQ(memory.LastRequest(), static_cast<size_t>(index.LineCount()) * sizeof(LineRecord));
        ExpectIndexMatchesReference(index, bytes);
    }
}

// The record block's size for a count of lines, on this build's size_t: a
// count whose block would wrap is refused rather than given a small block.
TEST(RecordBlock, ACountWhoseBlockWouldNotFitIsRefused)
{
    const size_t most = SIZE_MAX / sizeof(LineRecord);
    struct Case {
        size_t count;
        bool fits;
    } cases[] = {
        {0, true},
        {1, true},
        {most, true},
        {most + 1, false},
        {SIZE_MAX / 2, false},
        {SIZE_MAX, false},
        // A file of 2^28 + 1 line feeds: 16-byte records wrap a 32-bit size.
        {(size_t(1) << 28) + 1, (size_t(1) << 28) + 1 <= most},
    };
    for (const Case& c : cases) {
        size_t bytes = 12345;
        ASSERT_EQ(zodo::RecordBlockBytes(c.count, &bytes), c.fits) << c.count;
        if (c.fits) {
            EXPECT_EQ(bytes, c.count * sizeof(LineRecord)) << c.count;
            EXPECT_EQ(bytes / sizeof(LineRecord), c.count) << c.count;
        }
    }
}

struct SaveCase {
    const char* name;
    std::string bytes;
};
std::ostream& operator<<(std::ostream& os, const SaveCase& c)
{
    return os << c.name;
}

class SaveAs : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveAs, WritesTheLoadedBytesBack)
{
    ScratchDir dir;
    std::string in = dir.file("in"), out = dir.file("out");
    WriteBytes(in, GetParam().bytes);
    WriteBytes(out, "older and longer contents that must go entirely\n");
    LineIndex index;
    ASSERT_EQ(index.Load(in.c_str()), LoadStatus::Loaded);
    ASSERT_TRUE(index.SaveAs(out.c_str()));
    EXPECT_EQ(ReadBytes(out), GetParam().bytes);
    // Over the file it came from.
    ASSERT_TRUE(index.SaveAs(in.c_str()));
    EXPECT_EQ(ReadBytes(in), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Pager, SaveAs,
                         ::testing::Values(SaveCase{"nul_bytes", std::string("\0a\0\n\0\r\n\0", 8)},
                                           SaveCase{"long_unbroken", Repeat('q', 1200)},
                                           SaveCase{"crlf_and_bare_cr", "a\r\nb\rc\r\n"},
                                           SaveCase{"all_byte_values", [] {
                                                        std::string s;
                                                        for (int i = 0; i < 256; ++i)
                                                            s += static_cast<char>(i);
                                                        return s;
                                                    }()}));

TEST(SaveAsFailure, ReportsAndLeavesNothingBehind)
{
    ScratchDir dir;
    std::string in = dir.file("in");
    WriteBytes(in, "text\n");
    LineIndex index;
    ASSERT_EQ(index.Load(in.c_str()), LoadStatus::Loaded);
    std::string out = dir.file("no-such-folder/out");
    EXPECT_FALSE(index.SaveAs(out.c_str()));
    EXPECT_FALSE(std::filesystem::exists(out));
}

// Save As writes beside the target under a name no file has, so a file
// that happens to be named like a scratch file is never touched; a failed
// write leaves the target as it was and nothing new in the directory.
TEST(SaveAsScratch, LeavesNeighboursAloneWhetherTheWriteWorksOrNot)
{
    struct Case {
        const char* name;
        bool targetExists;
        bool writeFails;
    } cases[] = {
        {"new_target", false, false},
        {"over_a_target", true, false},
        {"failing_over_a_target", true, true},
        {"failing_new_target", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string in = dir.file("in"), out = dir.file("out.txt");
        const std::string neighbour = out + ".zo$";
        WriteBytes(in, "new\ncontents\n");
        WriteBytes(neighbour, "the user's own file\n");
        if (c.targetExists)
            WriteBytes(out, "old target\n");
        LineIndex index;
        ASSERT_EQ(index.Load(in.c_str()), LoadStatus::Loaded);
        if (c.writeFails)
            ArmWriteFault(WriteFault::kWrite, 4);
        const bool saved = index.SaveAs(out.c_str());
        ArmWriteFault(WriteFault::kNone);
        EXPECT_EQ(saved, !c.writeFails);
        EXPECT_EQ(ReadBytes(neighbour), "the user's own file\n");
        if (!c.writeFails)
            EXPECT_EQ(ReadBytes(out), "new\ncontents\n");
        else if (c.targetExists)
            EXPECT_EQ(ReadBytes(out), "old target\n");
        else
            EXPECT_FALSE(std::filesystem::exists(out));
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(in).parent_path()))
            names.insert(entry.path().filename().string());
        std::set<std::string> expected = {"in", "out.txt.zo$"};
        if (!c.writeFails || c.targetExists)
            expected.insert("out.txt");
        EXPECT_EQ(names, expected);
    }
}

}   // namespace
