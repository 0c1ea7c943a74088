// The compile of an input-method source into its database: the passes in
// their fixed order, stopping at the first one that fails.
#pragma once

#include <string>

#include "ime/database/code_table_fitting.h"
#include "ime/database/ime_layout.h"
#include "ime/mabrel_context.h"

// The sections of the source opened in `mabrel.source`, read into
// `mabrel.im` (the passes of a compile up to the layout). Returns 0, or the
// status of the first pass that fails, after its message.
int readInputMethod(CMabrel& mabrel);

// The source file `sourceName` (in its CharSet or UTF-8) read into
// `mabrel.im` as a compile reads it, messages included. Returns 0, or the
// status of the first failure.
int readSourceFile(CMabrel& mabrel, const char* sourceName);

// The [Description] and [KeyMapTable] of the source file read as a compile
// reads them. Returns 0, or the status of the first failure.
int readKeyboardSections(CMabrel& mabrel, const char* sourceName);

// The same for a source given as its bytes.
int readSourceText(CMabrel& mabrel, std::string bytes);

// What a compile does with the pairs the database cannot hold: stop with 903
// or 904, or ("/f") leave them out and list them beside the database.
enum class MisfitCodes { kStop, kLeaveOut };

// The passes of a compile after reading: the fit when `misfits` says to
// leave out (its first 10 pairs warned of), then the layout of `im`, whose
// limits on the code table are reported at the end of [Text]. Returns 0, or
// 604, 903, 904 or 906 after its message.
int layOutCompiled(InputMethod& im, MisfitCodes misfits, CodeTableFitting& fitting,
                   ImeLayout& layout);

int compileSource(CMabrel& mabrel, const char* sourceName, const char* destinationName,
                  MisfitCodes misfits = MisfitCodes::kStop);
