// Tosker's command line: the usage text and the choice of the direction.
#pragma once

#include "phrase/tosker_context.h"

// Judges the arguments (without the program name) and runs the chosen
// conversion. Returns the exit status of the run.
int runTosker(CTosker& tosker, int argc, const char* const* argv);
