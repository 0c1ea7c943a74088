#include "foundation/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

bool smallPagesOnly = false;
bool heapLaidOut = false;

#ifdef MADV_HUGEPAGE
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

// The first huge page's start at or after `at`.
std::uintptr_t hugePageFrom(std::uintptr_t at) {
    return (at + kHugePage - 1) & ~(kHugePage - 1);
}
#endif

}  // namespace

void askForSmallPagesOnly() {
    smallPagesOnly = true;
}

// The first byte of the program's image and the end of its code, set by the
// linker.
extern "C" {
extern const char __ehdr_start[] __attribute__((visibility("hidden")));
extern const char etext[] __attribute__((visibility("hidden")));
}

#ifdef MADV_POPULATE_WRITE  // with MADV_POPULATE_READ
namespace {

// Asks `advice` for the whole pages that hold the `bytes` bytes from `at`.
void adviseWholePages(std::uintptr_t at, std::size_t bytes, int advice) {
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = at & ~(page - 1);
    const std::uintptr_t end = (at + bytes + page - 1) & ~(page - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, advice);
}

}  // namespace
#endif

void takeProgramCodeAtOnce() {
#ifdef MADV_POPULATE_WRITE
    const auto start = reinterpret_cast<std::uintptr_t>(__ehdr_start);
    adviseWholePages(start, reinterpret_cast<std::uintptr_t>(etext) - start, MADV_POPULATE_READ);
#endif
}

void takeSmallPagesAtOnce(const void* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    if (smallPagesOnly && bytes > 0) {
        adviseWholePages(reinterpret_cast<std::uintptr_t>(data), bytes, MADV_POPULATE_WRITE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

void adviseHugePages(const void* data, std::size_t bytes, PageUse use) {
#ifdef MADV_HUGEPAGE
    if (smallPagesOnly && use != PageUse::kProbed) return;
    const auto at = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t start = hugePageFrom(at);
    const std::uintptr_t end = (at + bytes) & ~(kHugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
    (void)use;
#endif
}

void adviseHugePagesForTheHeap() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    static bool advised = false;
    if (advised) return;
    advised = true;
    constexpr int kStep = 512 << 20;
    constexpr int kLargestFromHeap = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestFromHeap);
    mallopt(M_TRIM_THRESHOLD, 2 * kStep);
    mallopt(M_TOP_PAD, kStep);
    // A block a little larger than what is left at the heap's top makes it
    // grow now, by the step; the new part is advised before any use. The
    // header that the growth writes past the block falls below the first
    // huge page advised, which small pages would hold for good once touched.
    // (Held in a volatile, so that the compiler keeps the block.)
    constexpr std::size_t kHeader = 64;  // a block's header, and a little room
    char* const before = static_cast<char*>(sbrk(0));
    void* volatile block = std::malloc(mallinfo2().keepcost + kHeader);
    char* const after = static_cast<char*>(sbrk(0));
    if (before == reinterpret_cast<char*>(-1) || after <= before) {
        std::free(block);
        return;
    }
    const std::uintptr_t firstHuge =
        hugePageFrom(reinterpret_cast<std::uintptr_t>(before) + 2 * kHeader);
    adviseHugePages(reinterpret_cast<char*>(firstHuge),
                    static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(after) - firstHuge));
    std::free(block);
    heapLaidOut = true;
    // The heap's free top starts below that huge page, and what lies between
    // would take small pages for the first buffers of the run: a block that
    // is never touched fills it.
    const auto top = reinterpret_cast<std::uintptr_t>(after) - mallinfo2().keepcost;
    if (firstHuge > top + 2 * kHeader) {
        [[maybe_unused]] static void* volatile below = nullptr;
        below = std::malloc(firstHuge - top - kHeader);
    }
#endif
}

bool heapHoldsLargeBlocks() {
    return heapLaidOut;
}

void returnLargeBlocksWhenFreed() {
#ifdef __GLIBC__
    constexpr int kSmallestMapped = 256 << 10;
    mallopt(M_MMAP_THRESHOLD, kSmallestMapped);
#endif
}
