#include "lineindex.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "bytescan.h"
#include "fileout.h"
#include "pieces.h"

namespace zodo {

namespace {
// A text shorter than this many bytes a thread is cut in one stretch.
const size_t kLeastStretch = 1024 * 1024;
}   // namespace

int LineLength(const char* p, const char* end)
{
    ptrdiff_t avail = end - p;
    if (avail > kMaxLineLength)
        avail = kMaxLineLength;
    // The runtime's memchr goes byte by byte on Windows; a load indexes
    // millions of lines through here.
    const char* lf = ScanByte(p, p + avail, '\n');
    if (lf)
        return static_cast<int>(lf - p) + 1;
    return static_cast<int>(avail);
}

LoadStatus LineIndex::Load(const char* path)
{
    Clear();
    filesys::File file;
    if (!file.Open(path, filesys::Mode::kRead))
        return LoadStatus::CantOpen;
    filesys::Status status;
    // Only read from: closing it unchecked loses nothing.
    return Load(file, file.GetStatus(&status) ? status.size : -1);
}

bool RecordBlockBytes(size_t count, size_t* bytes)
{
    if (count > SIZE_MAX / sizeof(LineRecord))
        return false;
    *bytes = count * sizeof(LineRecord);
    return true;
}

namespace {

// A stretch of the text, as one thread sees it: what it can find alone (its
// line feeds), and, once the stretches before it are counted, where its
// records go.
struct Stretch {
    long begin = 0;
    long end = 0;
    long firstFeed = -1;   // offsets of its first and last line feeds; -1: none
    long lastFeed = -1;
    // The line starts its feeds make by themselves: the line after each
    // feed, and the cuts of a long line between two of its feeds. The cuts
    // before its first feed depend on where that line began, which an
    // earlier stretch holds.
    size_t ownStarts = 0;
    long carriedStart = 0;    // where the line its first feed ends began
    size_t firstRecord = 0;   // the index its first record goes to
};

// The cuts a line that began at start and ends with the feed at lf is
// given before that feed: one every kMaxLineLength bytes while the rest is
// longer.
long CutsBefore(long start, long lf)
{
    return (lf - start) / kMaxLineLength;
}

// Calls found(offset) for every line feed in [begin, end), in order: sixteen
// bytes at a time where the processor has SSE2, byte by byte elsewhere.
template <class Found>
void ForEachFeed(const char* text, long begin, long end, Found found)
{
    long at = begin;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; end - at >= 16; at += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeed)));
        while (mask) {
            found(at + static_cast<long>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; at < end; ++at) {
        if (text[at] == '\n')
            found(at);
    }
}

void PutRecord(LineRecord* records, size_t i, long offset)
{
    LineRecord* r = records + i;
    r->previous = i ? r - 1 : nullptr;
    r->next = r + 1;
    r->lineNumber = static_cast<long>(i + 1);
    r->offset = offset;
}

// Cuts the text into lines and records each: a line ends after its line
// feed, or after kMaxLineLength bytes when no line feed comes sooner, or at
// the end of the text. The text is cut into stretches, one per thread:
// each first counts its own line starts, the counts place every stretch's
// records in the one block, which is asked for at its exact size, and each
// stretch then writes its records there.
class LineCutter {
public:
    LineCutter(const char* text, long size, unsigned pieces) : text_(text), size_(size), stretches_(pieces)
    {
        const long each = size / static_cast<long>(pieces) + 1;
        for (unsigned k = 0; k < pieces; ++k) {
            const long begin = each * static_cast<long>(k);
            stretches_[k].begin = begin < size ? begin : size;
            stretches_[k].end = size - begin > each ? begin + each : size;
        }
    }

    // How many records the text has.
    size_t Count()
    {
        pieces::Run(static_cast<unsigned>(stretches_.size()), [this](unsigned k) { CountStretch(stretches_[k]); });
        size_t next = 1;   // record 0 is the line at offset 0
        long start = 0;    // of the line in progress
        for (Stretch& s : stretches_) {
            if (s.firstFeed < 0)
                continue;
            s.carriedStart = start;
            s.firstRecord = next;
            next += static_cast<size_t>(CutsBefore(start, s.firstFeed)) + s.ownStarts;
            start = s.lastFeed + 1;
        }
        tailStart_ = start;
        tailRecord_ = next;
        return next + static_cast<size_t>(size_ - start > kMaxLineLength ? (size_ - start - 1) / kMaxLineLength : 0);
    }

    // Writes the Count() records into a block of that many.
    void Write(LineRecord* records, size_t count)
    {
        PutRecord(records, 0, 0);
        pieces::Run(static_cast<unsigned>(stretches_.size()),
                    [this, records](unsigned k) { WriteStretch(stretches_[k], records); });
        size_t i = tailRecord_;
        for (long start = tailStart_; size_ - start > kMaxLineLength;)
            PutRecord(records, i++, start += kMaxLineLength);
        records[count - 1].next = nullptr;
    }

private:
    void CountStretch(Stretch& s) const
    {
        long previous = -1;
        const long size = size_;
        ForEachFeed(text_, s.begin, s.end, [&](long lf) {
            if (previous < 0)
                s.firstFeed = lf;
            else
                s.ownStarts += static_cast<size_t>(CutsBefore(previous + 1, lf));
            if (lf + 1 < size)
                ++s.ownStarts;
            previous = lf;
        });
        s.lastFeed = previous;
    }

    void WriteStretch(const Stretch& s, LineRecord* records) const
    {
        if (s.firstFeed < 0)
            return;
        size_t i = s.firstRecord;
        long start = s.carriedStart;
        const long size = size_;
        ForEachFeed(text_, s.firstFeed, s.end, [&](long lf) {
            while (lf - start >= kMaxLineLength)
                PutRecord(records, i++, start += kMaxLineLength);
            start = lf + 1;
            if (start < size)
                PutRecord(records, i++, start);
        });
    }

    const char* const text_;
    const long size_;
    std::vector<Stretch> stretches_;
    long tailStart_ = 0;   // where the line after the last feed begins
    size_t tailRecord_ = 0;
};

}   // namespace

LoadStatus LineIndex::Load(filesys::File& file, long long statSize)
{
    Clear();
    if (statSize < 0)
        return LoadStatus::CantOpen;
    if (statSize == 0)
        return LoadStatus::ZeroLength;
    // Offsets and line numbers are longs; a larger file cannot be indexed.
    if (statSize > LONG_MAX || static_cast<unsigned long long>(statSize) > SIZE_MAX / 2)
        return LoadStatus::OutOfMemory;
    const size_t size = static_cast<size_t>(statSize);

    LoadStatus failure = LoadStatus::OutOfMemory;
    char* text = static_cast<char*>(memory_.Allocate(size, &failure));
    if (!text)
        return failure;
    // The file goes straight into the block, front to back. A fresh block
    // gets its pages from the system one fault at a time; faulted in ahead
    // on the other processors they cost a fraction of what the read alone
    // would spend on them. A file may shrink between the status call and
    // the read: only the bytes actually read are text, so the index never
    // reaches past them. Bytes read before an error are no view of the file.
    size_t got = 0;
    bool failed = false;
    pieces::TouchPagesAhead(text, size, [&](size_t from, size_t to) {
        const size_t read = file.Read(text + from, to - from);
        got += read;
        failed = filesys::LastError() != filesys::Error::kNone;
        return !failed && read == to - from;
    });
    if (failed) {
        memory_.Release(text);
        return LoadStatus::CantOpen;
    }
    if (got == 0) {
        memory_.Release(text);
        return LoadStatus::ZeroLength;
    }

    const long length = static_cast<long>(got);
    LineCutter cutter(text, length, pieces_ ? pieces_ : pieces::For(got, kLeastStretch));
    const size_t count = cutter.Count();
    size_t bytes = 0;
    LineRecord* records = nullptr;
    if (!RecordBlockBytes(count, &bytes))
        failure = LoadStatus::OutOfMemory;
    else
        records = static_cast<LineRecord*>(memory_.Allocate(bytes, &failure));
    if (!records) {
        memory_.Release(text);
        return failure;
    }
    cutter.Write(records, count);

    text_ = text;
    textSize_ = length;
    count_ = static_cast<long>(count);
    records_ = records;
    return LoadStatus::Loaded;
}

void LineIndex::Clear()
{
    if (records_)
        memory_.Release(records_);
    if (text_)
        memory_.Release(text_);
    records_ = nullptr;
    text_ = nullptr;
    textSize_ = 0;
    count_ = 0;
}

LineRecord* LineIndex::Line(long n) const
{
    if (n < 1 || n > count_)
        return nullptr;
    return records_ + (n - 1);
}

bool LineIndex::SaveAs(const char* path) const
{
    // The new contents go to a file of a fresh name beside the target first,
    // so that a failed write never leaves the target half written and no
    // other file is touched.
    char scratch[260];
    FILE* out = CreateReplacement(path, scratch);
    if (!out)
        return false;
    // The lines cover the text in order without a gap, so the text written
    // whole is the lines written in turn.
    const bool ok = WriteBytes(out, text_, static_cast<size_t>(textSize_));
    return FinishReplacement(out, scratch, path, ok) == Replacement::kDone;
}

}   // namespace zodo
