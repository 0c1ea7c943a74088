// Tosker's "/s" written as a page (foundation/report_page.h): how full the
// phrase blocks are, phrases by length, the share of a weighted list kept
// and its heaviest missing words, and the report's text.
#pragma once

#include <string>

#include "phrase/statistics/phrase_statistics.h"
#include "phrase/statistics/phrase_weights.h"

// `weights` is null when no frequency source was named; `report` is the
// report's text as "/s" prints it.
std::string phrasePage(CharSet charSet, const PhraseStatistics& figures,
                       const PhraseWeights* weights, const std::string& report,
                       const char* fileName);
