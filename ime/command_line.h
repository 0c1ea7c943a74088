// Mabrel's command line: the usage text and the choice of the job.
#pragma once

#include "ime/mabrel_context.h"

// Judges the arguments (without the program name) and runs the chosen job.
// Returns the exit status of the run.
int runMabrel(CMabrel& mabrel, int argc, const char* const* argv);
