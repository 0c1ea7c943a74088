#include "foundation/huge_pages.h"
#include "foundation/output_signals.h"
#include "phrase/command_line.h"
#include "phrase/messages.h"

namespace {
// Before the libraries' start-up code, which then runs in code already mapped.
[[gnu::constructor(101)]] void mapTheCodeFirst() {
    takeProgramCodeAtOnce();
}

// The one record of the run; destroyed on every way out, std::exit included.
CTosker tosker;
}  // namespace

int main(int argc, char** argv) {
    prepareProcess();
    useToskerMessages();
    const int status = runTosker(tosker, argc - 1, argv + 1);
    reportRepeatedWarnings();
    return status;
}
