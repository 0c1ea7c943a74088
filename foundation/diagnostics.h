// Every console line of both tools goes through report(): it erases the
// progress spinner, decorates the text according to its message code and
// prints it on standard output.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The source line last read, counted since the last section search.
extern int lineNumber;
// Key identifier of the section found last, or the tool's no-section value.
extern int currentSection;
// Position in the progress spinner characters "-|/-\\".
extern int spinnerPosition;

inline constexpr char kSpinnerChars[] = "-|/-\\";
inline constexpr unsigned kPlainLine = 0;
inline constexpr unsigned kSectionNote = 1;

// A message of a tool: its code and its text (a printf format).
struct Message {
    unsigned code;
    const char* text;
};

// What distinguishes the two tools' diagnostics: the key-name table and the
// identifier that means "no section".
struct ToolMessages {
    std::span<const char* const> keyNames;  // nullptr where an id has no name
    int noSection;
};

// Selects the tool's tables, makes no section current and forgets the
// warnings counted so far.
void useToolMessages(const ToolMessages& tool);

// Prints one message and returns its code. A numbered message of one kind
// (the same code and the same format) is printed the first
// kRepeatedWarningsShown times in a run; later ones are counted instead, and
// so are the "Note: " lines that follow a counted one.
int report(unsigned code, const char* format, ...);

inline constexpr int kRepeatedWarningsShown = 10;

// Prints "%d more warnings like message %u" for each kind counted, in the
// order the kinds passed the limit, and forgets them. A run calls it before
// its closing lines, or after the message that stopped it and its notes.
void reportRepeatedWarnings();

// How many numbered messages of each code the run has given, printed or
// counted, by code.
struct MessageCount {
    unsigned code;
    int count;
};
std::vector<MessageCount> messageCounts();

template <class... Args>
int report(const Message& message, Args... args) {
    return report(message.code, message.text, args...);
}

// Prints one numbered message, without a section, on standard error and
// returns its code: for the one failure that standard output cannot show,
// its own.
int reportOnStandardError(unsigned code, const char* format, ...);

template <class... Args>
int reportOnStandardError(const Message& message, Args... args) {
    return reportOnStandardError(message.code, message.text, args...);
}

// How the messages that quote the source (codes 500 to 906) show it: when
// the source was read in another encoding than its own, the conversion back
// into its own; nullptr (the start) for none.
using QuoteConversion = std::string (*)(std::string_view text);
void quoteSourceWith(QuoteConversion conversion);

// The name of a key or section identifier; nullptr when it has none.
const char* keyName(int id);

// While one lives, report and the spinner print nothing (a run that compiles
// a text of its own to check it).
class QuietReports {
  public:
    QuietReports();
    ~QuietReports();
    QuietReports(const QuietReports&) = delete;
    QuietReports& operator=(const QuietReports&) = delete;

  private:
    bool wasQuiet_;
    int lineNumber_;
    int currentSection_;
};

// Draws the next spinner character at the start of the line.
void advanceSpinner();
// Sets the spinner back and erases its character.
void clearSpinner();
