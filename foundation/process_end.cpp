#include "foundation/process_end.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/diagnostics.h"

namespace {
ProcessEndHook endHook = nullptr;
}

void setProcessEndHook(ProcessEndHook hook) {
    endHook = hook;
}

void endProcess(int status) {
    reportRepeatedWarnings();
    std::fflush(stdout);
    if (endHook != nullptr) endHook(status);
    std::exit(status);
}
