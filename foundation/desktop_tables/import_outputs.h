// The files an import writes (a source and its phrase list, or a phrase
// list): checked against the table and against each other before anything
// is written, then written all or none.
#pragma once

#include <string>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/output_pieces.h"

struct ImportOutput {
    std::string name;
    std::string* bytes;  // handed over to the writing: empty after it
    // Or, for a large output, what makes its contents a piece at a time.
    OutputProducer produce = {};
};

// 105 after reporting it when an output would be a file of the table, or
// the same file as an earlier output; else 0.
int checkImportOutputs(const DesktopTable& table, const std::vector<ImportOutput>& outputs);

// Writes every output whole, its bytes moved out rather than copied (a
// word list's output may be tens of megabytes); when one fails, those
// already in place are taken back. Returns 0, or 102 or 103 after reporting it.
int writeImportOutputs(const std::vector<ImportOutput>& outputs);
