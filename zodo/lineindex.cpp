#include "lineindex.h"

#include <climits>
#include <string>

#include "bytescan.h"

namespace zodo {

int LineLength(const char* p, const char* end) {
  ptrdiff_t avail = end - p;
  if (avail > kMaxLineLength) avail = kMaxLineLength;
  // The runtime's memchr goes byte by byte on Windows; a load indexes
  // millions of lines through here.
  const char* lf = ScanByte(p, p + avail, '\n');
  if (lf) return static_cast<int>(lf - p) + 1;
  return static_cast<int>(avail);
}

LoadStatus LineIndex::Load(const char* path) {
  Clear();
  FILE* file = std::fopen(path, "rb");
  if (!file) return LoadStatus::CantOpen;
  LoadStatus status = Load(file, FileSizeOf(file));
  std::fclose(file);
  return status;
}

// Reads in large pieces; the line cuts do not depend on how the bytes
// arrive, because lines are cut afterwards over the whole text.
static const size_t kReadPiece = size_t(4) << 20;

LoadStatus LineIndex::Load(FILE* file, long long statSize) {
  Clear();
  if (statSize < 0) return LoadStatus::CantOpen;
  if (statSize == 0) return LoadStatus::ZeroLength;
  // Offsets and line numbers are longs; a larger file cannot be indexed.
  if (statSize > LONG_MAX || static_cast<unsigned long long>(statSize) > SIZE_MAX / 2)
    return LoadStatus::OutOfMemory;
  const size_t size = static_cast<size_t>(statSize);

  LoadStatus failure = LoadStatus::OutOfMemory;
  char* text = static_cast<char*>(memory_.Allocate(size, &failure));
  if (!text) return failure;

  // A file may shrink between the status call and the read: only the bytes
  // actually read are text, so the index never reaches past them.
  size_t got = 0;
  while (got < size) {
    size_t want = size - got < kReadPiece ? size - got : kReadPiece;
    size_t n = std::fread(text + got, 1, want, file);
    got += n;
    if (n < want) break;
  }
  if (std::ferror(file)) {
    memory_.Release(text);
    return LoadStatus::CantOpen;
  }
  if (got == 0) {
    memory_.Release(text);
    return LoadStatus::ZeroLength;
  }

  const char* end = text + got;
  long count = 0;
  for (const char* p = text; p < end; p += LineLength(p, end)) ++count;

  LineRecord* records =
      static_cast<LineRecord*>(memory_.Allocate(sizeof(LineRecord) * static_cast<size_t>(count), &failure));
  if (!records) {
    memory_.Release(text);
    return failure;
  }

  LineRecord* previous = nullptr;
  LineRecord* r = records;
  long number = 1;
  for (const char* p = text; p < end; p += LineLength(p, end), ++r) {
    r->previous = previous;
    r->next = nullptr;
    if (previous) previous->next = r;
    r->lineNumber = number++;
    r->offset = static_cast<long>(p - text);
    previous = r;
  }

  text_ = text;
  textSize_ = static_cast<long>(got);
  records_ = records;
  count_ = count;
  return LoadStatus::Loaded;
}

void LineIndex::Clear() {
  if (records_) memory_.Release(records_);
  if (text_) memory_.Release(text_);
  records_ = nullptr;
  text_ = nullptr;
  textSize_ = 0;
  count_ = 0;
}

LineRecord* LineIndex::Line(long n) const {
  if (n < 1 || n > count_) return nullptr;
  return records_ + (n - 1);
}

bool LineIndex::SaveAs(const char* path) const {
  // The new contents go to a file beside the target first, so that a failed
  // write never leaves the target half written.
  std::string scratch = std::string(path) + ".zo$";
  FILE* out = std::fopen(scratch.c_str(), "wb");
  if (!out) return false;
  bool ok = true;
  for (const LineRecord* line = FirstLine(); line && ok; line = line->next) {
    size_t length = static_cast<size_t>(LengthOf(line));
    ok = std::fwrite(BytesOf(line), 1, length, out) == length;
  }
  ok = (std::fflush(out) == 0) && ok;
  ok = (std::fclose(out) == 0) && ok;
  if (ok) ok = ReplaceWith(scratch.c_str(), path);
  if (!ok) std::remove(scratch.c_str());
  return ok;
}

}  // namespace zodo
