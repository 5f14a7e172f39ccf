// The pager's text and its line index, without windows: the whole file in
// one block, and one record per line in a second block, in line order and
// linked both ways. Views walk the links; jumps to a line number index the
// array.
#ifndef ZODO_LINEINDEX_H
#define ZODO_LINEINDEX_H

#include <cstddef>

#include "filesys.h"

namespace zodo {

// No line is longer than this; a longer stretch without a line feed is cut
// into lines of this many bytes and a shorter rest.
const int kMaxLineLength = 512;

struct LineRecord {
    LineRecord* previous;   // null for line 1
    LineRecord* next;       // null for the last line
    long lineNumber;        // 1 for the first line
    long offset;            // of the line's first byte in the text
};

// The length of the line that begins at p: up to and including the first
// line feed, at most kMaxLineLength bytes, never past end. 1 to 512 for any
// p inside the text.
int LineLength(const char* p, const char* end);

enum class LoadStatus { Loaded, CantOpen, ZeroLength, OutOfMemory, CantLock };

// Where the two blocks come from. The program takes them from global memory
// (where a lock can fail; system.cpp); tests put in allocators that fail on
// purpose. The file itself is read through the file system's seam.
class BlockMemory {
public:
    virtual ~BlockMemory() {}
    // A block of bytes, or null with *failure set to OutOfMemory or CantLock
    // (the block then is already given back).
    virtual void* Allocate(size_t bytes, LoadStatus* failure) = 0;
    virtual void Release(void* block) = 0;
};
BlockMemory& SystemBlockMemory();

class LineIndex {
public:
    explicit LineIndex(BlockMemory& memory = SystemBlockMemory()) : memory_(memory) {}
    ~LineIndex() { Clear(); }
    LineIndex(const LineIndex&) = delete;
    LineIndex& operator=(const LineIndex&) = delete;

    // Reads the whole file at path and indexes it. On any failure nothing is
    // held afterwards.
    LoadStatus Load(const char* path);
    // Indexes the bytes of an open file of the given size (the size its
    // status gave, -1 when there was none); what is actually read is what is
    // kept.
    LoadStatus Load(filesys::File& file, long long statSize);
    // Gives both blocks back.
    void Clear();
    // How many stretches a load cuts the text in, each on a thread; 0, the
    // default, takes one per processor for a large text and one for a small
    // one. The records never depend on it.
    void SpreadOver(unsigned stretches) { pieces_ = stretches; }

    // Writes the text, line by line, to path; the file is replaced only once
    // its new contents are completely written, from a file of a new name
    // beside it. False when it cannot be.
    bool SaveAs(const char* path) const;

    const char* Text() const { return text_; }
    long TextSize() const { return textSize_; }
    long LineCount() const { return count_; }
    LineRecord* FirstLine() const { return count_ ? records_ : nullptr; }
    LineRecord* LastLine() const { return count_ ? records_ + count_ - 1 : nullptr; }
    // The record of line n (1 to LineCount()), or null outside.
    LineRecord* Line(long n) const;
    int LengthOf(const LineRecord* line) const { return LineLength(text_ + line->offset, text_ + textSize_); }
    const char* BytesOf(const LineRecord* line) const { return text_ + line->offset; }

private:
    BlockMemory& memory_;
    char* text_ = nullptr;
    long textSize_ = 0;
    LineRecord* records_ = nullptr;
    long count_ = 0;
    unsigned pieces_ = 0;
};

// The bytes of a block of count records in *bytes; false when that many
// records cannot be addressed (the product would wrap, as it can in a 32-bit
// process with a few hundred million lines), so that no block is asked for
// that is smaller than what goes into it.
bool RecordBlockBytes(size_t count, size_t* bytes);

}   // namespace zodo

#endif
