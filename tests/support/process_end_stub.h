// The stand-in for the end of the process: while a ProcessEndStub lives, the
// immediate exits throw ProcessEnded instead of ending the test program.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "foundation/process_end.h"

namespace test_support {

struct ProcessEnded {
    int status;
};

class ProcessEndStub {
  public:
    ProcessEndStub() {
        setProcessEndHook([](int status) { throw ProcessEnded{status}; });
    }
    ~ProcessEndStub() { setProcessEndHook(nullptr); }
    ProcessEndStub(const ProcessEndStub&) = delete;
    ProcessEndStub& operator=(const ProcessEndStub&) = delete;
};

// What a step did: its result, what it printed, and the exit status when it
// ended the process.
struct StepRun {
    int rc = 0;
    std::string output;
    std::optional<int> endStatus;
};

inline StepRun runCaptured(const std::function<int()>& step) {
    StepRun run;
    ProcessEndStub stub;
    testing::internal::CaptureStdout();
    try {
        run.rc = step();
    } catch (const ProcessEnded& ended) {
        run.endStatus = ended.status;
    }
    std::fflush(stdout);
    run.output = testing::internal::GetCapturedStdout();
    return run;
}

}  // namespace test_support
