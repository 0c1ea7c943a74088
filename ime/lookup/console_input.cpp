#include "ime/lookup/console_input.h"

ConsoleRead readConsoleLine(std::FILE* file, std::string& line) {
    line.clear();
    bool tooLong = false;
    int c = 0;
    while ((c = getc_unlocked(file)) != EOF && c != '\n') {
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
