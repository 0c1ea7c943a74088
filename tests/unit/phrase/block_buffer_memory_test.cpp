// The writer's block buffer is taken once, after the "HEAD" body. When the
// heap refuses it, the run ends with message 200 and keeps what it wrote.
// This file has its own executable, so it can stand in for the heap: every
// form of operator new and delete goes to malloc and free, and one armed
// request of the block buffer's size is refused.
#include <cstdlib>
#include <new>

#include "phrase/phrase_store.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

bool refuseBlockBuffer = false;

void* allocate(std::size_t size) {
    if (refuseBlockBuffer && size >= static_cast<std::size_t>(kMaxBlockBytes)) {
        refuseBlockBuffer = false;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}

void* allocateNoThrow(std::size_t size) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

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

namespace {

using namespace tosker_test;

TEST_F(Fixture, RefusedBlockBufferEndsWithMessage200AfterTheHead) {
    tosker.head.charSet = kChineseGB;
    ASSERT_EQ(openPhraseStore(tosker), 0);
    const fs::path path = scratchPath("out.pdb");

    refuseBlockBuffer = true;
    const Captured run = captured([&] { return writePhraseDatabase(tosker, path.c_str()); });
    refuseBlockBuffer = false;

    EXPECT_EQ(run.rc, 200);
    EXPECT_EQ(run.output, "\r \r\aMessage 200 : Not enought memory\n");
    // 36 resources: header, the "HEAD" entry, the rest of the directory
    // unwritten up to the body at 440, and the 64-byte "HEAD" body.
    const std::string bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 440u + 64);
    EXPECT_EQ(bytes.substr(78, 10), std::string("HEAD\x22\xB8\0\0\x01\xB8", 10));
    EXPECT_EQ(bytes.substr(88, 352), std::string(352, '\0'));
    EXPECT_EQ(bytes.substr(440, 2), std::string("\x02\x00", 2));
}

}  // namespace
