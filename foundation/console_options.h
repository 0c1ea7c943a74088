// The options every console user tries first, understood by both tools on
// top of their own command lines, and the status of an unusable command line.
#pragma once

#include <span>

#include "foundation/diagnostics.h"

// Exit status of a run that ends with "PARAMETER ERROR!".
inline constexpr int kUsageErrorStatus = 2;

// What opens a tool's command line: its banner and its usage text, one line
// an entry (in the tool's message table).
struct ToolOpening {
    const Message& banner;
    std::span<const char* const> usage;
};

// Prints the banner, then the usage text when the arguments ask for it: none,
// a first argument that holds "/?" anywhere, or a lone "--help" or "-h".
// True when the run ends there with status 0: the usage was printed, or a
// lone "--version" asked for the banner alone.
bool openingAnswers(const ToolOpening& tool, int argc, const char* const* argv);

// "\aPARAMETER ERROR!" and the usage text; returns kUsageErrorStatus.
int parameterError(const ToolOpening& tool);
// "Invalid filename" before that.
int invalidFilename(const ToolOpening& tool);
