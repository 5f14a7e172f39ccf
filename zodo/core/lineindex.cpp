#include "lineindex.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "bytescan.h"
#include "fileout.h"

namespace zodo {

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

// The records of the lines in the order the scan finds their starts, in one
// block. The block is sized from the text before the scan and grows, by at
// least an eighth each time, only when that guess fell short; a grown block
// takes the records over in one copy.
class RecordWriter {
public:
    RecordWriter(BlockMemory& memory, long textSize) : memory_(memory), textSize_(textSize) {}
    ~RecordWriter()
    {
        if (block_)
            memory_.Release(block_);
    }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    bool Reserve(size_t capacity) { return Grow(capacity); }

    // The line that starts at offset; false (status() says why) when the
    // block cannot take it.
    bool Add(long offset)
    {
        if (next_ == limit_ && !GrowFor(offset))
            return false;
        LineRecord* r = next_++;
        r->previous = r == block_ ? nullptr : r - 1;
        r->next = next_;
        r->lineNumber = static_cast<long>(next_ - block_);
        r->offset = offset;
        return true;
    }

    long Count() const { return static_cast<long>(next_ - block_); }
    LoadStatus Status() const { return status_; }

    // The block, the last record's link closed; the writer lets it go.
    LineRecord* Finish()
    {
        if (next_ != block_)
            next_[-1].next = nullptr;
        LineRecord* block = block_;
        block_ = next_ = limit_ = nullptr;
        return block;
    }

private:
    // Room for at least capacity records; the written ones are copied over
    // and relinked.
    bool Grow(size_t capacity)
    {
        // No text has more lines than bytes.
        if (capacity > static_cast<size_t>(textSize_))
            capacity = static_cast<size_t>(textSize_);
        size_t bytes = 0;
        if (!RecordBlockBytes(capacity, &bytes)) {
            status_ = LoadStatus::OutOfMemory;
            return false;
        }
        LineRecord* block = static_cast<LineRecord*>(memory_.Allocate(bytes, &status_));
        if (!block)
            return false;
        const size_t written = static_cast<size_t>(next_ - block_);
        if (written) {
            std::memcpy(block, block_, written * sizeof(LineRecord));
            for (size_t i = 0; i < written; ++i) {
                block[i].previous = i ? block + i - 1 : nullptr;
                block[i].next = block + i + 1;
            }
        }
        if (block_)
            memory_.Release(block_);
        block_ = block;
        next_ = block + written;
        limit_ = block + capacity;
        return true;
    }

    // The block is full at the line that starts at offset: the lines so far
    // per byte so far give the new size, never less than an eighth more.
    bool GrowFor(long offset)
    {
        const size_t have = static_cast<size_t>(limit_ - block_);
        if (have >= static_cast<size_t>(textSize_)) {
            status_ = LoadStatus::OutOfMemory;   // cannot happen: a line has a byte
            return false;
        }
        unsigned long long projected = static_cast<unsigned long long>(have) *
                                       static_cast<unsigned long long>(textSize_) /
                                       static_cast<unsigned long long>(offset > 0 ? offset : 1);
        projected += projected / 32 + 16;
        unsigned long long least = static_cast<unsigned long long>(have) + have / 8 + 16;
        unsigned long long capacity = projected > least ? projected : least;
        if (capacity > static_cast<unsigned long long>(textSize_))
            capacity = static_cast<unsigned long long>(textSize_);
        return Grow(static_cast<size_t>(capacity));
    }

    BlockMemory& memory_;
    const long textSize_;
    LineRecord* block_ = nullptr;
    LineRecord* next_ = nullptr;
    LineRecord* limit_ = nullptr;
    LoadStatus status_ = LoadStatus::OutOfMemory;
};

// The first lines of the text, as many as fit in its first sampleBytes,
// scaled to the whole, and a thirty-second more: room for every line of a
// text whose lines are alike, in one block without growing.
size_t EstimatedLineCount(const char* text, long size)
{
    const long kSampleBytes = 256 * 1024;
    const long sample = size < kSampleBytes ? size : kSampleBytes;
    const char* end = text + sample;
    unsigned long long lines = 0;
    for (const char* p = text; p < end; p += LineLength(p, end))
        ++lines;
    if (sample == size)
        return static_cast<size_t>(lines);
    unsigned long long estimate =
        lines * static_cast<unsigned long long>(size) / static_cast<unsigned long long>(sample);
    estimate += estimate / 32 + 16;
    if (estimate > static_cast<unsigned long long>(size))
        estimate = static_cast<unsigned long long>(size);
    return static_cast<size_t>(estimate);
}

// Cuts the text into lines and records each: a line ends after its line
// feed, or after kMaxLineLength bytes when no line feed comes sooner, or at
// the end of the text. One pass finds the line feeds sixteen bytes at a
// time where the processor has SSE2; the long stretches between them are
// cut as they are passed.
bool CutLines(const char* text, long size, RecordWriter& records)
{
    long start = 0;   // of the line being passed
    if (!records.Add(0))
        return false;
    // The line feed at offset lf ends the line that began at start, after
    // any kMaxLineLength-byte lines a longer stretch is cut into.
    auto lineFeedAt = [&](long lf) {
        while (lf - start >= kMaxLineLength) {
            start += kMaxLineLength;
            if (!records.Add(start))
                return false;
        }
        start = lf + 1;
        return start >= size || records.Add(start);
    };
    long at = 0;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; size - at >= 16; at += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeed)));
        while (mask) {
            if (!lineFeedAt(at + static_cast<long>(__builtin_ctz(mask))))
                return false;
            mask &= mask - 1;
        }
    }
#endif
    for (; at < size; ++at) {
        if (text[at] == '\n' && !lineFeedAt(at))
            return false;
    }
    while (size - start > kMaxLineLength) {
        start += kMaxLineLength;
        if (!records.Add(start))
            return false;
    }
    return true;
}

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

    // One read straight into the block. A file may shrink between the status
    // call and the read: only the bytes actually read are text, so the index
    // never reaches past them. Bytes read before an error are no view of the
    // file.
    const size_t got = file.Read(text, size);
    if (filesys::LastError() != filesys::Error::kNone) {
        memory_.Release(text);
        return LoadStatus::CantOpen;
    }
    if (got == 0) {
        memory_.Release(text);
        return LoadStatus::ZeroLength;
    }

    const long length = static_cast<long>(got);
    RecordWriter records(memory_, length);
    if (!records.Reserve(EstimatedLineCount(text, length)) || !CutLines(text, length, records)) {
        memory_.Release(text);
        return records.Status();
    }

    text_ = text;
    textSize_ = length;
    count_ = records.Count();
    records_ = records.Finish();
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
