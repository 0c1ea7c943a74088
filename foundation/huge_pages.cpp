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

}  // namespace

void askForSmallPagesOnly() {
    smallPagesOnly = true;
}

void adviseHugePages(const void* data, std::size_t bytes, PageUse use) {
#ifdef MADV_HUGEPAGE
    if (smallPagesOnly && use != PageUse::kProbed) return;
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto at = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t start = (at + kHugePage - 1) & ~(kHugePage - 1);
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
    // A block larger than what is left at the heap's top makes it grow now,
    // by the block and the step; the new part is advised before any use.
    // (Held in a volatile, so that the compiler keeps the block.)
    char* const before = static_cast<char*>(sbrk(0));
    void* volatile block = std::malloc(std::size_t{4} << 20);
    char* const after = static_cast<char*>(sbrk(0));
    if (before != reinterpret_cast<char*>(-1) && after > before) {
        adviseHugePages(before, static_cast<std::size_t>(after - before));
    }
    std::free(block);
#endif
}

void returnLargeBlocksWhenFreed() {
#ifdef __GLIBC__
    constexpr int kSmallestMapped = 256 << 10;
    mallopt(M_MMAP_THRESHOLD, kSmallestMapped);
#endif
}
