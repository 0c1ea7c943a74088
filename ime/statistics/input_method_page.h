// "/s" written as a page (foundation/report_page.h): the keyboard pictures
// as the database holds them, pixel for pixel, the coverage of each level
// as a bar, histograms of code lengths and of candidates per code, the
// typing figures, the uncoded characters, and the report's text.
#pragma once

#include <string>

#include "ime/input_method.h"
#include "ime/statistics/input_method_statistics.h"
#include "ime/statistics/typing_figures.h"

// A keyboard picture as an inline SVG of its own size, one unit a pixel.
std::string keyboardPictureSvg(const KeyboardPicture& picture);

// `typing` is null when no frequency source was named; `report` is the
// report's text as "/s" prints it.
std::string inputMethodPage(const InputMethod& im, const InputMethodStatistics& figures,
                            const TypingFigures* typing, const std::string& report,
                            const char* fileName);
