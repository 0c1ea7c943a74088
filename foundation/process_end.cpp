#include "foundation/process_end.h"

#include <cstdio>
#include <cstdlib>

namespace {
ProcessEndHook endHook = nullptr;
}

void setProcessEndHook(ProcessEndHook hook) {
    endHook = hook;
}

void endProcess(int status) {
    std::fflush(stdout);
    if (endHook != nullptr) endHook(status);
    std::exit(status);
}
