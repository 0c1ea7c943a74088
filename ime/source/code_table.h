// The "[Text]" code table: the code lines read into the input method's
// entries, in source order. A code line holds a code spelled from
// "UsedCodes" and the double-byte characters it gives:
//
//   abc   XXYYZZ        (blanks before and between characters optional)
//
// A character that a code has already is refused with warning 905.
#pragma once

#include "foundation/memory_guard.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"

// Runs a step of coding the code table, where memory running out prints 200
// and stops the run with kStopStatus.
template <class Step>
int runCodingStep(Step step) {
    return runWithMemoryGuard(step, kStopStatus);
}

// Returns 0, or kStopStatus after a bad code (902) or memory running out
// (200).
int codeTextSection(CMabrel& mabrel);

// Finds "[Phrase]" so that later messages name it; reads nothing of it.
int skipPhraseSection(CMabrel& mabrel);
