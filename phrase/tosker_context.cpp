#include "phrase/tosker_context.h"

CTosker::CTosker() {
    lineNumber = 0;
    spinnerPosition = 0;
}
