#include "foundation/huge_pages.h"
#include "foundation/output_signals.h"
#include "ime/command_line.h"
#include "ime/messages.h"

namespace {
// Before the libraries' start-up code, which then runs in code already mapped.
[[gnu::constructor(101)]] void mapTheCodeFirst() {
    takeProgramCodeAtOnce();
}

// The one record of the run; destroyed on every way out, std::exit included.
CMabrel mabrel;
}  // namespace

int main(int argc, char** argv) {
    prepareProcess();
    useMabrelMessages();
    const int status = runMabrel(mabrel, argc - 1, argv + 1);
    reportRepeatedWarnings();
    return status;
}
