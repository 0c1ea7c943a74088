// The files an import writes (a source and its phrase list, or a phrase
// list): checked against the table and against each other before anything
// is written, then written all or none.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/output_file.h"
#include "foundation/output_pieces.h"

struct ImportOutput {
    std::string name;
    std::string* bytes;  // handed over to the writing: empty after it
    // Or, for a large output, what makes its contents a piece at a time.
    OutputProducer produce = {};
    // Or the output written ahead (stageImportOutput), when that succeeded.
    std::unique_ptr<OutputFile>* staged = nullptr;
};

// Writes a large output ahead of the others, to a temporary beside `name`
// that is put in place with them (OutputFile::stage), so that what it is made
// from can go; nullptr, having reported nothing, when it cannot be done so.
std::unique_ptr<OutputFile> stageImportOutput(const std::string& name,
                                              const OutputProducer& produce);

// 105 after reporting it when an output would be a file of the table, or
// the same file as an earlier output; else 0.
int checkImportOutputs(const DesktopTable& table, const std::vector<ImportOutput>& outputs);

// Of `companions`, the lists the command writes beside its output when it
// has something for them, those this run does not write and an earlier run
// left (stale_list.h): never a file of the table or an output.
std::vector<std::string> staleCompanions(const DesktopTable& table,
                                         const std::vector<ImportOutput>& outputs,
                                         const std::vector<std::string>& companions);

// Writes every output whole, its bytes moved out rather than copied (a
// word list's output may be tens of megabytes), and takes away each of
// `stale`; when one fails, those already in place are taken back and the
// stale ones come back. Returns 0, or 102 or 103 after reporting it.
int writeImportOutputs(const std::vector<ImportOutput>& outputs,
                       const std::vector<std::string>& stale = {});
