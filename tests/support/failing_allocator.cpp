#include "tests/support/failing_allocator.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t refusedSize = 0;  // 0: no size armed
long countdown = 0;           // 0: no count armed

bool refuses(std::size_t size) {
    if (refusedSize != 0 && size >= refusedSize) {
        refusedSize = 0;
        return true;
    }
    if (countdown > 0 && --countdown == 0) return true;
    return false;
}

void* allocate(std::size_t size) {
    if (refuses(size)) throw std::bad_alloc();
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}

void* allocateNoThrow(std::size_t size) noexcept {
    if (refuses(size)) return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

}  // namespace

namespace test_support {

void refuseAllocationOfAtLeast(std::size_t size) {
    refusedSize = size;
}
void refuseAllocationNumber(long count) {
    countdown = count;
}
void allowAllocations() {
    refusedSize = 0;
    countdown = 0;
}

}  // namespace test_support

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateNoThrow(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateNoThrow(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
