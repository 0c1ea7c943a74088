// The one memory policy: memory comes from std::vector and std::string, and
// a refused allocation is caught once, in the driver of the run, which then
// prints 200 "Not enought memory" and stops with it.
#pragma once

#include <new>

#include "foundation/common_messages.h"

template <class Run>
int runWithMemoryGuard(Run run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        return report(kNoMemory);
    }
}
