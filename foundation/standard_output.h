// What the console commands (/t, /s) print on standard output, checked: a
// write or flush that fails ends the run with 102, said on standard error,
// since standard output has just shown it can no longer be read.
#pragma once

#include <string_view>

// The names messages 101 and 102 give the standard streams.
inline constexpr char kStandardInputName[] = "standard input";
inline constexpr char kStandardOutputName[] = "standard output";

// Writes `text`; false when standard output has failed, by this write or an
// earlier one (then the run stops, and finishStandardOutput says so).
bool writeStandardOutput(std::string_view text);

// The end of a run that ended with `status`: standard output is flushed, and
// when it or any write before failed, the status is 102, after its message.
int finishStandardOutput(int status);
