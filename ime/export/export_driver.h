// Mabrel /eFormat: an input method (a source or a database), and the
// phrases of a phrase database or list when one is named, written as the
// table of a desktop engine.
#pragma once

#include "ime/export/export_format.h"
#include "ime/mabrel_context.h"

// `phrasesName` is null when no phrases are named. Returns 0 or the number
// of the message that stopped the run.
int exportInputMethod(CMabrel& mabrel, ExportFormat format, const char* sourceName,
                      const char* phrasesName, const char* destinationName);

// Whether `name` ends in ".dict.yaml", in any letter case, as rime's
// dictionaries must.
bool isRimeDictionaryName(const char* name);

// The name beside the export `destination`: its extension (".dict.yaml" for
// rime) replaced by `suffix`.
std::string nameBesideExport(const std::string& destination, ExportFormat format,
                             const char* suffix);
