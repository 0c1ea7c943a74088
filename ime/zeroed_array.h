// A growable array of plain records in blocks from allocZeroed, so that a
// failed allocation is reported (200) and answered, never thrown.
#pragma once

#include <cstring>
#include <type_traits>

#include "foundation/diagnostics.h"

template <class T>
class ZeroedArray {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    int size() const { return count_; }
    int capacity() const { return capacity_; }
    T& operator[](int index) { return records()[index]; }
    const T& operator[](int index) const { return records()[index]; }

    // Makes room for one more record, growing the block by `step` records
    // when it is full. False after allocZeroed has reported 200.
    bool makeRoom(int step) {
        if (count_ < capacity_) return true;
        ZeroedBlock larger = allocZeroedBlock(static_cast<int>((capacity_ + step) * sizeof(T)));
        if (!larger) return false;
        if (count_ > 0) std::memcpy(larger.get(), block_.get(), count_ * sizeof(T));
        block_ = std::move(larger);
        capacity_ += step;
        return true;
    }

    // A zeroed record at `position`; the records from there on move up by
    // one. Needs room (makeRoom).
    T& insertAt(int position) {
        T* base = records();
        std::memmove(base + position + 1, base + position, (count_ - position) * sizeof(T));
        std::memset(static_cast<void*>(base + position), 0, sizeof(T));
        ++count_;
        return base[position];
    }

    T& append() { return insertAt(count_); }

    // Gives the block back.
    void release() {
        block_.reset();
        count_ = 0;
        capacity_ = 0;
    }

  private:
    T* records() const { return reinterpret_cast<T*>(block_.get()); }

    ZeroedBlock block_;
    int count_ = 0;
    int capacity_ = 0;
};
