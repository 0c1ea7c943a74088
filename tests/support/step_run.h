// A step run with its standard output captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace test_support {

// What a step did: its result and what it printed.
struct StepRun {
    int rc = 0;
    std::string output;
};

inline StepRun runCaptured(const std::function<int()>& step) {
    StepRun run;
    testing::internal::CaptureStdout();
    run.rc = step();
    std::fflush(stdout);
    run.output = testing::internal::GetCapturedStdout();
    return run;
}

}  // namespace test_support
