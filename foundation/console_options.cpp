#include "foundation/console_options.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "foundation/common_messages.h"

namespace {

// A lone "--help" or "-h": the usage text, as "/?" gives it.
bool asksForHelp(int argc, const char* const* argv) {
    if (argc != 1) return false;
    const std::string_view option = argv[0];
    return option == "--help" || option == "-h";
}

bool asksForVersion(int argc, const char* const* argv) {
    return argc == 1 && std::string_view(argv[0]) == "--version";
}

void printUsage(const ToolOpening& tool) {
    for (const char* line : tool.usage) std::printf("%s\n", line);
}

}  // namespace

bool openingAnswers(const ToolOpening& tool, int argc, const char* const* argv) {
    report(tool.banner);
    if (argc == 0 || std::strstr(argv[0], "/?") != nullptr || asksForHelp(argc, argv)) {
        printUsage(tool);
        return true;
    }
    return asksForVersion(argc, argv);
}

int parameterError(const ToolOpening& tool) {
    report(kParameterError);
    printUsage(tool);
    return kUsageErrorStatus;
}

int invalidFilename(const ToolOpening& tool) {
    report(kInvalidFilename);
    return parameterError(tool);
}
