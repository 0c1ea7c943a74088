// A list that a run writes beside its output only when it has something for
// it: what a fit left out, the words of an import. A run that has nothing
// for it takes away the list of that name an earlier run left, which would
// describe an output it no longer belongs to; the taking away is one of the
// run's outputs, all or none (OutputGroup::remove).
#pragma once

#include <string>
#include <vector>

// Whether `name` is such a list to take away: a plain file (not a link, a
// device or a folder) that is none of `runFiles`, the files the run reads
// and writes.
bool isStaleList(const std::string& name, const std::vector<std::string>& runFiles);

class OutputGroup;

// Adds the list to `group`: written when `text` holds something, else taken
// away (the caller found it stale).
void addListOrTakeAway(OutputGroup& group, std::string name, std::string text);
