// Large buffers (a table of millions of lines read whole, its entries, the
// sets and records over them) are first touched page by page as they fill,
// and each first touch of a small page costs a fault. Where the system gives
// huge pages on request, asking for them saves most of those faults; where
// it does not, nothing changes.
#pragma once

#include <cstddef>

// How a buffer is used: filled in order and read mostly so, or probed at
// random, again and again (the slots of a large hash set), where huge pages
// also save misses of the address cache.
enum class PageUse { kInOrder, kProbed };

// Asks for huge pages for the whole huge pages that lie within `bytes` bytes
// from `data`; after askForSmallPagesOnly, only for a buffer probed. Best
// effort: a refusal is no error.
void adviseHugePages(const void* data, std::size_t bytes, PageUse use = PageUse::kInOrder);

// For a run that first touches hundreds of megabytes, each once and mostly
// in order (an import of millions of words): from here on huge pages are
// asked for buffers probed alone, the small pages of room reserved are taken
// at once, and adviseHugePagesForTheHeap only lays the heap out. Where the
// system is a virtual machine that hands free memory back to its host, a huge
// page comes from memory handed back more often than small pages do, and its
// first touch costs the host's faults of every small page in it; for such a
// run that costs more than the faults huge pages save.
void askForSmallPagesOnly();

// Maps the whole of the program's code in one request, instead of a fault
// for each part of it as it first runs: a run that does little (--version)
// takes a few dozen such faults, each of microseconds on a virtual machine.
// Run before anything else, the libraries' start-up included. Best effort.
void takeProgramCodeAtOnce();

// After askForSmallPagesOnly: takes the small pages of the `bytes` bytes from
// `data` in one request, instead of a fault for each as it is first written;
// on a virtual machine each fault costs microseconds (about 180 ms of a
// 3,000,000-word list's 950 ms). For room about to be filled whole. Best
// effort: a refusal is no error.
void takeSmallPagesAtOnce(const void* data, std::size_t bytes);

// For a run about to build its records on the heap (a compile touches some
// megabytes even for a few thousand lines, an import of millions of entries
// far more): the heap's next growth takes a large step of address space
// (touched only as used) with huge pages asked for it, and blocks up to
// 32 MiB come from the heap. One fault of a huge page costs less than the
// faults of the small pages it replaces. Best effort, once a run; does
// nothing where the C library or the system offers no such thing.
void adviseHugePagesForTheHeap();

// True once adviseHugePagesForTheHeap has laid the heap out: a large block
// then lies among the others in huge pages, so that room reserved in it and
// never used is zeroed with them; otherwise such a block has pages of its
// own, taken only as touched.
bool heapHoldsLargeBlocks();

// Reserves room for `most` items in `buffer`, a bound that a run may stay
// far below, so that the buffer never moves as it grows; in a heap that
// holds large blocks the room unused would cost as much as used, and the
// buffer grows as usual there.
template <class Buffer>
void reserveUpToBound(Buffer& buffer, std::size_t most) {
    if (!heapHoldsLargeBlocks()) buffer.reserve(most);
}

// Reserves room for `count` items in `buffer` (a vector or string), about to
// be filled, and asks for huge pages for it (or takes its small pages at
// once), before anything is written there.
template <class Buffer>
void reserveHugePages(Buffer& buffer, std::size_t count, PageUse use = PageUse::kInOrder) {
    buffer.reserve(count);
    adviseHugePages(buffer.data(), buffer.capacity() * sizeof(*buffer.data()), use);
    takeSmallPagesAtOnce(buffer.data(), count * sizeof(*buffer.data()));
}

// For a run whose stages each build large buffers and free them before the
// next (an import of millions of entries): every block of 256 KiB or more
// gets pages of its own, given back to the system when it is freed, instead
// of staying in the heap for later blocks that may not fit them. Best effort.
void returnLargeBlocksWhenFreed();
