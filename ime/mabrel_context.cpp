#include "ime/mabrel_context.h"

CMabrel::CMabrel() {
    lineNumber = 0;
    spinnerPosition = 0;
}
