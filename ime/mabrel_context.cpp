#include "ime/mabrel_context.h"

#include "foundation/diagnostics.h"

CMabrel::CMabrel() {
    lineNumber = 0;
    spinnerPosition = 0;
}
