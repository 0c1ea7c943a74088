// The "/C" job: a sample input-method source listing every double-byte
// character of a CharSet.
#pragma once

#include "foundation/char_sets.h"
#include "ime/input_method.h"

// The answer of runSampleCommand when the command line was unusable.
inline constexpr int kSampleParameterError = -1;

// Checks the CharSet text and the destination name, then writes the sample.
// Returns kSampleParameterError, or the result of writeSampleSource.
int runSampleCommand(const char* charSetText, const char* destination);

int writeSampleSource(CharSet charSet, const char* destination);

// The key map of the sample source's [KeyMapTable].
KeyMapRows sampleKeyMap();
