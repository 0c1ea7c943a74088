#include "ime/sample_source.h"

#include "ime/messages.h"

int runSampleCommand(const char* charSetText, const char*) {
    report(kInvalidCharSetName, charSetText);
    return kSampleParameterError;
}

int writeSampleSource(CharSet, const char*) { return 0; }
