// Work spread over the processors: a job cut into pieces that need nothing
// from each other, each piece on a thread of its own. The pager and the hex
// viewer load through here, where the cost of a large file is mostly the
// system giving a fresh block its pages one at a time.
#ifndef TAMREL_PIECES_H
#define TAMREL_PIECES_H

#include <cstddef>
#include <functional>

namespace pieces {

// How many processors the system runs this process on; at least 1.
unsigned Processors();

// Runs work(0) to work(count - 1) and returns when every one has. Piece 0
// runs on the calling thread, the others on threads of their own; a piece
// whose thread cannot be started runs on the calling thread instead, so a
// short system only makes it slower. A piece must not throw: on a thread of
// its own that would end the program.
void Run(unsigned count, const std::function<void(unsigned)>& work);

// How many pieces a job over bytes is worth cutting into: one per
// processor, but none smaller than least bytes.
unsigned For(size_t bytes, size_t least);

// Faults in every page of a block fresh from the system, a stretch at a
// time on the other processors, while fill(from, to) is called on the
// calling thread for each stretch, in order, as soon as its pages are in:
// filling the front overlaps faulting the rest, and the fill is a plain
// copy. Each page gets a zero written at its start before its stretch is
// filled, so the block's contents are whatever they were only if they were
// zeros. Once fill returns false it is not called again.
void TouchPagesAhead(void* block, size_t bytes, const std::function<bool(size_t from, size_t to)>& fill);

}   // namespace pieces

#endif
