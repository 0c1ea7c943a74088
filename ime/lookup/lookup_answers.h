// The console's answer to each kind of line, the count of check lines and of
// the lines too long to be read.
#pragma once

#include <span>
#include <string>

#include "foundation/phrase_database.h"
#include "ime/lookup/console_characters.h"
#include "ime/lookup/lookup_index.h"
#include "ime/lookup/lookup_line.h"

class LookupAnswers {
  public:
    // `phrases` may be null: no phrase database was given.
    LookupAnswers(const InputMethod& im, const PhraseDatabase* phrases);

    // Appends the answer to line `lineNumber`, which has been read as `line`.
    void answer(int lineNumber, const LookupLine& line, std::string& out);

    int checks() const { return checks_; }
    int failedChecks() const { return failed_; }
    int linesTooLong() const { return tooLong_; }

  private:
    void answerCode(const std::string& code, std::string& out);
    void answerCharacter(const LineCharacter& character, std::string& out);
    void answerCheck(int lineNumber, const LookupLine& line, std::string& out);
    void appendPhrases(int index, std::string& out);
    // The characters of `entries`, at most `limit` of them; how many more there are.
    int appendCharacters(std::span<const int> entries, int limit, std::string& out);
    void appendCharacter(const LineCharacter& character, std::string& out);

    const InputMethod& im_;
    const PhraseDatabase* phrases_;
    LookupIndex index_;
    ConsoleCharacters shown_;
    DoubleByteTable table_;
    int checks_ = 0;
    int failed_ = 0;
    int tooLong_ = 0;
};
