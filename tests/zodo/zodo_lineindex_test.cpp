// The pager's text block and line index: where lines are cut, how they are
// numbered and linked, what loading reports, and Save As.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

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
  std::vector<int> lengths;  // of every line, in order
};

std::ostream& operator<<(std::ostream& os, const CutCase& c) { return os << c.name; }

std::string Repeat(char c, size_t n) { return std::string(n, c); }

class LineCuts : public ::testing::TestWithParam<CutCase> {};

TEST_P(LineCuts, RecordsCoverTheTextInOrderAndLinkBothWays) {
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

INSTANTIATE_TEST_SUITE_P(
    Pager, LineCuts,
    ::testing::Values(
        CutCase{"no_line_feed_1200", Repeat('x', 1200), {512, 512, 176}},
        CutCase{"lf_as_512th_byte", Repeat('x', 511) + "\n", {512}},
        CutCase{"lf_as_513th_byte", Repeat('x', 512) + "\n", {512, 1}},
        CutCase{"exactly_512_no_lf", Repeat('x', 512), {512}},
        CutCase{"last_line_without_lf", "ab\ncd", {3, 2}},
        CutCase{"crlf_stays_in_line", "ab\r\n\r\nc\r", {4, 2, 2}},
        CutCase{"only_line_feeds", "\n\n\n", {1, 1, 1}},
        CutCase{"nul_bytes_are_ordinary", std::string("a\0b\n\0\0", 6), {4, 2}},
        CutCase{"cr_cut_as_512th_byte", Repeat('x', 511) + "\r\n", {512, 1}},
        CutCase{"single_byte", "z", {1}}));

TEST(LineIndexLoad, ReportsMissingAndEmptyFilesAndHoldsNothing) {
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
std::ostream& operator<<(std::ostream& os, const ChangedSizeCase& c) { return os << c.name; }

class ChangedSize : public ::testing::TestWithParam<ChangedSizeCase> {};

TEST_P(ChangedSize, OnlyTheBytesReadAreIndexed) {
  const ChangedSizeCase& c = GetParam();
  ScratchDir dir;
  std::string path = dir.file("f");
  WriteBytes(path, c.bytes);
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  LineIndex index;
  EXPECT_EQ(index.Load(f, c.statSize), c.status);
  std::fclose(f);
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
        ChangedSizeCase{"grew", "one\ntwo\nthree\n", 6, LoadStatus::Loaded, 6, 2}));

// Hands out blocks from the heap, failing the call numbered failAt (from 1)
// in the way asked, and checks that every block comes back.
class CountingMemory : public zodo::BlockMemory {
 public:
  CountingMemory(int failAt, LoadStatus how) : failAt_(failAt), how_(how) {}
  void* Allocate(size_t bytes, LoadStatus* failure) override {
    if (++calls_ == failAt_) {
      *failure = how_;
      return nullptr;
    }
    void* p = ::operator new(bytes);
    live_.insert(p);
    return p;
  }
  void Release(void* block) override {
    EXPECT_EQ(live_.erase(block), 1u);
    ::operator delete(block);
  }
  size_t Live() const { return live_.size(); }

 private:
  int failAt_;
  LoadStatus how_;
  int calls_ = 0;
  std::set<void*> live_;
};

struct MemoryFailure {
  int failAt;
  LoadStatus how;
};

class BlockFailures : public ::testing::TestWithParam<MemoryFailure> {};

TEST_P(BlockFailures, AreReportedAndLeaveNoBlockHeld) {
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

// The line cuts of a large file read in pieces match reading it the way a
// 513-byte fgets buffer cuts it, piece boundaries and all.
TEST(LineIndexLoad, LargeFileCutsAsAFgetsBufferWould) {
  ScratchDir dir;
  std::string path = dir.file("big");
  std::string bytes;
  unsigned seed = 12345;
  while (bytes.size() < (size_t(9) << 20)) {
    seed = seed * 1103515245u + 12345u;
    size_t len = (seed >> 16) % 1500;  // some longer than a line may be
    bytes.append(len, static_cast<char>('a' + len % 26));
    bytes += (seed & 0x100) ? "\r\n" : "\n";
  }
  WriteBytes(path, bytes);

  std::vector<long> expected;  // offsets of the chunks
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

struct SaveCase {
  const char* name;
  std::string bytes;
};
std::ostream& operator<<(std::ostream& os, const SaveCase& c) { return os << c.name; }

class SaveAs : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveAs, WritesTheLoadedBytesBack) {
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

INSTANTIATE_TEST_SUITE_P(
    Pager, SaveAs,
    ::testing::Values(SaveCase{"nul_bytes", std::string("\0a\0\n\0\r\n\0", 8)},
                      SaveCase{"long_unbroken", Repeat('q', 1200)},
                      SaveCase{"crlf_and_bare_cr", "a\r\nb\rc\r\n"},
                      SaveCase{"all_byte_values", [] {
                                 std::string s;
                                 for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
                                 return s;
                               }()}));

TEST(SaveAsFailure, ReportsAndLeavesNothingBehind) {
  ScratchDir dir;
  std::string in = dir.file("in");
  WriteBytes(in, "text\n");
  LineIndex index;
  ASSERT_EQ(index.Load(in.c_str()), LoadStatus::Loaded);
  std::string out = dir.file("no-such-folder/out");
  EXPECT_FALSE(index.SaveAs(out.c_str()));
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
