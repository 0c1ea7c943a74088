#include "foundation/console_options.h"

#include <string_view>

bool asksForHelp(int argc, const char* const* argv) {
    if (argc != 1) return false;
    const std::string_view option = argv[0];
    return option == "--help" || option == "-h";
}

bool asksForVersion(int argc, const char* const* argv) {
    return argc == 1 && std::string_view(argv[0]) == "--version";
}
