// The one memory policy: memory comes from std::vector and std::string, and
// a refused allocation is caught here alone. The guard prints 200 "Not
// enought memory" and stops what it runs: the driver of a run stops with 200;
// a step that has always stopped with a status of its own gives that.
#pragma once

#include <new>

#include "foundation/common_messages.h"

template <class Run>
int runWithMemoryGuard(Run run, int refusedStatus = kNoMemory.code) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        report(kNoMemory);
        return refusedStatus;
    }
}
