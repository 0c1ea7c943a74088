// The options every console user tries first, understood by both tools on
// top of their own command lines, and the status of an unusable command line.
#pragma once

// Exit status of a run that ends with "PARAMETER ERROR!".
inline constexpr int kUsageErrorStatus = 2;

// True for a lone "--help" or "-h": print the usage text, as "/?" does.
bool asksForHelp(int argc, const char* const* argv);

// True for a lone "--version": print the banner alone.
bool asksForVersion(int argc, const char* const* argv);
