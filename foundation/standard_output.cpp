#include "foundation/standard_output.h"

#include <cstdio>

#include "foundation/common_messages.h"

bool writeStandardOutput(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::ferror(stdout) == 0;
}

int finishStandardOutput(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return reportOnStandardError(kWriteFileError, kStandardOutputName);
    }
    return status;
}
