#include "ime/difference_driver.h"

#include "foundation/memory_guard.h"
#include "foundation/standard_output.h"
#include "foundation/statistics_text.h"
#include "foundation/text_helpers.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/difference/input_method_difference.h"
#include "ime/messages.h"

namespace {

// A database by its name, else a source read as a compile reads it.
int readInputMethodSide(CMabrel& mabrel, const char* name, InputMethod& im) {
    if (nameContains(name, ".PDB")) return readInputMethodDatabaseFile(name, im);
    if (int rc = readSourceFile(mabrel, name)) return rc;
    im = std::move(mabrel.im);
    return 0;
}

int differInputMethods(CMabrel& mabrel, const char* firstName, const char* secondName) {
    InputMethod first, second;
    if (int rc = readInputMethodSide(mabrel, firstName, first)) return rc;
    CMabrel other;
    if (int rc = readInputMethodSide(other, secondName, second)) return rc;
    reportRepeatedWarnings();
    const InputMethodDifference difference = inputMethodDifference(first, second);
    printReportLines(difference.lines);
    report(kCodesDiffer, difference.codes, difference.added, difference.removed, difference.moved);
    return difference.lines.empty() ? 0 : 1;
}

}  // namespace

int showDifference(CMabrel& mabrel, const char* firstName, const char* secondName) {
    return finishStandardOutput(
        runWithMemoryGuard([&] { return differInputMethods(mabrel, firstName, secondName); }));
}
