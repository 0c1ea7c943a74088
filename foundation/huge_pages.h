// Large buffers (a table of millions of lines read whole, its entries, the
// sets and records over them) are first touched page by page as they fill,
// and each first touch of a small page costs a fault. Where the system gives
// huge pages on request, asking for them saves most of those faults; where
// it does not, nothing changes.
#pragma once

#include <cstddef>

// Asks for huge pages for the whole huge pages that lie within `bytes` bytes
// from `data`. Best effort: a refusal is no error.
void adviseHugePages(const void* data, std::size_t bytes);

// For a run that first touches hundreds of megabytes, each once and mostly
// in order (an import of millions of words): from here on no huge pages are
// asked for, and adviseHugePagesForTheHeap only lays the heap out. Where the
// system is a virtual machine that hands free memory back to its host, a huge
// page comes from memory handed back more often than small pages do, and its
// first touch costs the host's faults of every small page in it; for such a
// run that costs more than the faults huge pages save.
void askForSmallPagesOnly();

// For a run about to build its records on the heap (a compile touches some
// megabytes even for a few thousand lines, an import of millions of entries
// far more): the heap's next growth takes a large step of address space
// (touched only as used) with huge pages asked for it, and blocks up to
// 32 MiB come from the heap. One fault of a huge page costs less than the
// faults of the small pages it replaces. Best effort, once a run; does
// nothing where the C library or the system offers no such thing.
void adviseHugePagesForTheHeap();

// The same for memory probed at random, again and again (the slots of a
// large hash set): huge pages save it misses of the address cache, even in
// a run on small pages only.
void adviseHugePagesForProbes(const void* data, std::size_t bytes);

// Reserves room for `count` items in `buffer` (a vector or string) and asks
// for huge pages for it, before anything is written there.
template <class Buffer>
void reserveHugePages(Buffer& buffer, std::size_t count) {
    buffer.reserve(count);
    adviseHugePages(buffer.data(), buffer.capacity() * sizeof(*buffer.data()));
}

template <class Buffer>
void reserveHugePagesForProbes(Buffer& buffer, std::size_t count) {
    buffer.reserve(count);
    adviseHugePagesForProbes(buffer.data(), buffer.capacity() * sizeof(*buffer.data()));
}

// For a run whose stages each build large buffers and free them before the
// next (an import of millions of entries): every block of 256 KiB or more
// gets pages of its own, given back to the system when it is freed, instead
// of staying in the heap for later blocks that may not fit them. Best effort.
void returnLargeBlocksWhenFreed();
