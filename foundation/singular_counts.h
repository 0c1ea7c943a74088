// Counts of one read in the singular: the printf format of a line whose
// count argument is 1 gets the noun after it (and a verb that agrees with
// it) in the singular, so "%d words kept" prints "1 word kept".
#pragma once

#include <cstdarg>
#include <string>

// `format` with every "%d NOUNS" whose int argument in `args` is 1 turned
// into "%d NOUN"; `args` is left where it was (the caller formats with it
// afterwards). Conversions other than those of printf's plain integers,
// characters, texts and pointers end the search: the rest is left alone.
std::string singularCountsFormat(const char* format, va_list args);

// The same for a format and its arguments given directly.
std::string singularCountsFormatOf(const char* format, ...);
