// The pager's line-range copy, without windows: reading From and To, the
// text gathered for the clipboard with its 32 K stop, and the copy to a
// file with every write checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fileout.h"
#include "linecopy.h"
#include "render.h"
#include "zodo_test_files.h"

using zodo::CopyUsing;
using zodo::LineIndex;
using zodo::LineRecord;
using zodo::RangeStatus;
using zodo_test::ReadBytes;
using zodo_test::ScratchDir;
using zodo_test::WriteBytes;

namespace {

// A loaded file with the copy's view of it: raw bytes by the line-length
// rule and the display text of the renderer.
class Loaded {
public:
    explicit Loaded(const std::string& bytes, zodo::RenderOptions options = {}) : options_(options)
    {
        std::string path = dir_.file("in.txt");
        WriteBytes(path, bytes);
        if (index_.Load(path.c_str()) != zodo::LoadStatus::Loaded)
            throw std::runtime_error("cannot load");
        source.rawLength = [this](const LineRecord* l) { return index_.LengthOf(l); };
        source.bytes = [this](const LineRecord* l) { return index_.BytesOf(l); };
        source.render = [this](const LineRecord* l) -> const std::string& {
            zodo::RenderLine(index_.BytesOf(l), index_.LengthOf(l), l->lineNumber, l->offset, options_, text_);
            return text_;
        };
    }
    const LineRecord* line(long n) const { return index_.Line(n); }
    long last() const { return index_.LineCount(); }
    const ScratchDir& dir() const { return dir_; }

    zodo::CopySource source;

private:
    ScratchDir dir_;
    LineIndex index_;
    zodo::RenderOptions options_;
    std::string text_;
};

std::string Numbered(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

struct RangeCase {
    const char* from;
    const char* to;
    const char* message;   // "" when the range is valid
    long first, last;
};

// A file of 50 lines viewed from line 7, mark a on line 20, mark c on 3.
TEST(CopyRange, EveryFieldFormAndEveryRefusal)
{
    Loaded file(Numbered(50));
    const LineRecord* marks[zodo::kMarkCount] = {};
    marks[0] = file.line(20);
    marks[2] = file.line(3);
    zodo::RangeContext context;
    context.marks = marks;
    context.top = file.line(7);
    context.lastLine = file.last();

    const char* const neither = "Specified value is neither \na mark nor a valid line number";
    const RangeCase cases[] = {
        {"1", "$", "", 1, 50},
        {"2", "4", "", 2, 4},
        {"12abc", "12", "", 12, 12},
        {"007", "50", "", 7, 50},
        {".", "a", "", 7, 20},
        {"c", ".", "", 3, 7},
        {"a", "a", "", 20, 20},
        {"$", "1", "Invalid line range specified", 0, 0},
        {"a", "c", "Invalid line range specified", 0, 0},
        {"0", "5", "Invalid line number specified", 0, 0},
        {"51", "51", "Invalid line number specified", 0, 0},
        {"1", "51", "Invalid line number specified", 0, 0},
        // Too large for a long of either width: out of range, never wrapped
        // round to a small line number.
        {"4294967298", "5", "Invalid line number specified", 0, 0},
        {"18446744073709551618", "5", "Invalid line number specified", 0, 0},
        {"99999999999999999999999999999999", "5", "Invalid line number specified", 0, 0},
        {"b", "5", "Specified mark not set", 0, 0},
        {"1", "z", "Specified mark not set", 0, 0},
        {"A", "5", neither, 0, 0},
        {"", "5", neither, 0, 0},
        {" 5", "5", neither, 0, 0},
        {"-1", "5", neither, 0, 0},
        {"1", "", neither, 0, 0},
        // From is read first: its refusal wins over To's.
        {"b", "0", "Specified mark not set", 0, 0},
        {"0", "b", "Invalid line number specified", 0, 0},
    };
    for (const RangeCase& c : cases) {
        long first = 0, last = 0;
        RangeStatus status = zodo::ParseRange(c.from, c.to, context, &first, &last);
        EXPECT_EQ(std::string(zodo::RangeMessage(status)), c.message) << '"' << c.from << "\" to \"" << c.to << '"';
        if (status == RangeStatus::kOk) {
            EXPECT_EQ(first, c.first) << c.from;
            EXPECT_EQ(last, c.last) << c.to;
        }
    }
}

std::string Gather(const Loaded& file, long first, long last, CopyUsing use)
{
    std::string out;
    EXPECT_TRUE(zodo::GatherClipboardText(file.line(first), file.line(last), use, file.source, out));
    return out;
}

TEST(CopyText, OriginalKeepsTheFilesLineEndsAndStopsAtANul)
{
    // CR LF, a bare LF, a NUL inside a line, and a last line without an end.
    const std::string bytes = std::string("one\r\ntwo\nth\0ree\r\nfour", 22);
    Loaded file(bytes);
    ASSERT_EQ(file.last(), 4);
    EXPECT_EQ(Gather(file, 1, 2, CopyUsing::kOriginal), "one\r\ntwo\n");
    EXPECT_EQ(Gather(file, 3, 3, CopyUsing::kOriginal), "th");
    EXPECT_EQ(Gather(file, 1, 4, CopyUsing::kOriginal), std::string("one\r\ntwo\nthfour"));
    EXPECT_EQ(Gather(file, 4, 4, CopyUsing::kOriginal), "four");
}

TEST(CopyText, RenderedEndsEveryLineWithCrLfAndShowsWhatTheWindowShows)
{
    zodo::RenderOptions numbers;
    numbers.lineNumbers = true;
    numbers.tabLength = 8;
    Loaded file("a\tb\r\nx\n\nlast", numbers);
    EXPECT_EQ(Gather(file, 1, 4, CopyUsing::kRendered),
              "     1  a       b\r\n     2  x\r\n     3  \r\n     4  last\r\n");

    zodo::RenderOptions hex;
    hex.hexadecimal = true;
    Loaded hexFile("AB\r\nC", hex);
    EXPECT_EQ(Gather(hexFile, 1, 2, CopyUsing::kRendered),
              "(Offset = 0, Size = 4) 41420d0a\r\n(Offset = 4, Size = 1) 43\r\n");
}

TEST(CopyText, ALineHoldingANulIsRenderedWithABlank)
{
    Loaded file(std::string("a\0b\n", 4));
    EXPECT_EQ(Gather(file, 1, 1, CopyUsing::kRendered), std::string("a b\r\n"));
}

// Lines of 100 bytes: 327 of them are 32700 characters, a 328th would pass
// 32767.
TEST(CopyText, TheClipboardStopsBeforePassing32K)
{
    std::string line(98, 'x');
    std::string bytes;
    for (int i = 0; i < 400; ++i)
        bytes += line + "\r\n";
    Loaded file(bytes);
    std::string out = "stale";
    EXPECT_TRUE(zodo::GatherClipboardText(file.line(1), file.line(327), CopyUsing::kOriginal, file.source, out));
    EXPECT_EQ(out.size(), 32700u);
    EXPECT_FALSE(zodo::GatherClipboardText(file.line(1), file.line(328), CopyUsing::kOriginal, file.source, out));
    EXPECT_TRUE(out.empty());
    // The check counts where the range starts, not the file.
    EXPECT_TRUE(zodo::GatherClipboardText(file.line(74), file.line(400), CopyUsing::kOriginal, file.source, out));
}

TEST(CopyText, ExactlyTheLimitFits)
{
    // 63 cut lines of 512 bytes and one of 511 make 32767; one more line
    // would pass the limit.
    std::string bytes = std::string(63 * 512 + 510, 'y') + "\n" + "z\n";
    Loaded file(bytes);
    ASSERT_EQ(file.last(), 65);
    std::string out;
    EXPECT_TRUE(zodo::GatherClipboardText(file.line(1), file.line(64), CopyUsing::kOriginal, file.source, out));
    EXPECT_EQ(out, bytes.substr(0, 32767));
    EXPECT_FALSE(zodo::GatherClipboardText(file.line(1), file.line(65), CopyUsing::kOriginal, file.source, out));
}

// The check adds a line's raw length to the text gathered so far; the
// hexadecimal form of a line is twice as long and more, so the last line
// that passes the check takes the text past 32767 characters. It must
// still come whole.
TEST(CopyText, RenderedTextMayGrowPastTheLimitAndIsKeptWhole)
{
    zodo::RenderOptions hex;
    hex.hexadecimal = true;
    std::string bytes;
    for (int i = 0; i < 40; ++i)
        bytes += std::string(498, static_cast<char>('a' + i % 26)) + "\r\n";
    Loaded file(bytes, hex);
    std::string expected;
    for (long n = 1; n <= 32; ++n)
        expected += file.source.render(file.line(n)) + "\r\n";
    // Before line 32 the text is still short enough for its 500 raw bytes.
    ASSERT_LE(expected.size() - (file.source.render(file.line(32)).size() + 2) + 500, 32767u);
    ASSERT_GT(expected.size(), 32767u);
    EXPECT_EQ(Gather(file, 1, 32, CopyUsing::kRendered), expected);
    std::string out;
    EXPECT_FALSE(zodo::GatherClipboardText(file.line(1), file.line(33), CopyUsing::kRendered, file.source, out));
}

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CopyFile, WritesTheRangeByteForByte)
{
    Loaded file(std::string("one\r\ntwo\nth\0ree\r\nfour", 22));
    ScratchDir out;
    std::string path = out.file("copy.txt");
    EXPECT_EQ(zodo::CopyLinesToFile(path.c_str(), file.line(2), file.line(4), CopyUsing::kOriginal, file.source),
              zodo::FileCopyStatus::kDone);
    EXPECT_EQ(ReadBytes(path), "two\nthfour");
    // Over an existing file, rendered.
    EXPECT_EQ(zodo::CopyLinesToFile(path.c_str(), file.line(1), file.line(2), CopyUsing::kRendered, file.source),
              zodo::FileCopyStatus::kDone);
    EXPECT_EQ(ReadBytes(path), "one\r\ntwo\r\n");
    EXPECT_EQ(Names(out.file("")), std::vector<std::string>{"copy.txt"});
}

TEST(CopyFile, AFileCopyHasNo32KLimit)
{
    std::string bytes;
    for (int i = 0; i < 400; ++i)
        bytes += std::string(98, 'x') + "\r\n";
    Loaded file(bytes);
    ScratchDir out;
    std::string path = out.file("big.txt");
    EXPECT_EQ(zodo::CopyLinesToFile(path.c_str(), file.line(1), file.line(400), CopyUsing::kOriginal, file.source),
              zodo::FileCopyStatus::kDone);
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(CopyFile, ADirectoryThatIsNotThereCannotTakeTheFile)
{
    Loaded file(Numbered(3));
    ScratchDir out;
    std::string path = out.file("missing") + "/copy.txt";
    zodo::FileCopyStatus status =
        zodo::CopyLinesToFile(path.c_str(), file.line(1), file.line(3), CopyUsing::kOriginal, file.source);
    EXPECT_EQ(std::string(zodo::FileCopyMessage(status)), "Cannot create output file");
}

struct FaultCase {
    const char* name;
    WriteFault fault;
    long long at;
    const char* message;
};

// A disk that fills or fails part way: the user is told, the old file is
// untouched and no partial file is left beside it.
TEST(CopyFile, EveryFailingWriteFlushCloseOrMoveIsReportedAndTheOldFileStays)
{
    Loaded file(Numbered(200));
    const FaultCase cases[] = {
        {"write", WriteFault::kWrite, 100, "Cannot write output file"},
        {"first_write", WriteFault::kWrite, 0, "Cannot write output file"},
        {"flush", WriteFault::kFlush, 0, "Cannot write output file"},
        {"close", WriteFault::kClose, 0, "Cannot write output file"},
        {"move", WriteFault::kReplace, 0, "Cannot create output file"},
    };
    for (const FaultCase& c : cases) {
        ScratchDir out;
        std::string path = out.file("copy.txt");
        WriteBytes(path, "the old contents\n");
        ArmWriteFault(c.fault, c.at);
        zodo::FileCopyStatus status =
            zodo::CopyLinesToFile(path.c_str(), file.line(1), file.line(200), CopyUsing::kOriginal, file.source);
        ArmWriteFault(WriteFault::kNone);
        EXPECT_EQ(std::string(zodo::FileCopyMessage(status)), c.message) << c.name;
        EXPECT_EQ(ReadBytes(path), "the old contents\n") << c.name;
        EXPECT_EQ(Names(out.file("")), std::vector<std::string>{"copy.txt"}) << c.name;
    }
}

}   // namespace
