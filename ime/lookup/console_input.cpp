#include "ime/lookup/console_input.h"

#include <sys/stat.h>

#include "foundation/input_file.h"

ConsoleRead readConsoleLine(std::FILE* file, std::string& line, std::size_t& bytesRead) {
    line.clear();
    bool tooLong = false;
    int c = 0;
    while ((c = getc_unlocked(file)) != EOF) {
        if (++bytesRead > kMaxInputFileBytes) return ConsoleRead::kOverBound;
        if (c == '\n') break;
        if (line.size() < kMaxConsoleLineBytes)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
    if (c == EOF) {
        if (std::ferror(file) != 0) return ConsoleRead::kError;
        if (line.empty()) return ConsoleRead::kEnd;
    }
    return tooLong ? ConsoleRead::kTooLong : ConsoleRead::kLine;
}

bool isOverInputBound(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) &&
           static_cast<unsigned long long>(status.st_size) > kMaxInputFileBytes;
}
