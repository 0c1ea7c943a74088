#include "ime/lookup/lookup_answers.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// Characters after " | ", and phrases under a character, shown at most.
constexpr int kShownCompletions = 10;
constexpr int kShownPhrases = 10;

// The texts of the answers; a line number goes before the first two.
constexpr char kNeitherKind[] = ": not a code or a character\n";
constexpr char kTooLong[] = ": line too long\n";
constexpr char kNotFound[] = " not found, has ";
constexpr char kNotInCharSet[] = "not in ";

void appendMore(int more, std::string& out) {
    if (more > 0) out.append(" +").append(std::to_string(more));
}

}  // namespace

LookupAnswers::LookupAnswers(const InputMethod& im, const PhraseDatabase* phrases)
    : im_(im), phrases_(phrases), index_(im), shown_(im.charSet), table_(im.charSet) {}

int LookupAnswers::appendCharacters(std::span<const int> entries, int limit, std::string& out) {
    int count = 0;
    for (const int e : entries) {
        if (count++ >= limit) continue;
        if (count > 1) out += ' ';
        const auto bytes = im_.entries[e].character.bytes();
        shown_.append(static_cast<unsigned>(table_.indexOf(bytes.data())), out);
    }
    if (count == 0) out += '-';
    return std::max(0, count - limit);
}

void LookupAnswers::appendCharacter(const LineCharacter& character, std::string& out) {
    if (character.index < 0)
        out += character.typed;
    else
        shown_.append(static_cast<unsigned>(character.index), out);
}

void LookupAnswers::answerCode(const std::string& code, std::string& out) {
    appendCode(code, out);
    out += ": ";
    appendCharacters(index_.exactEntries(code), INT_MAX, out);
    const Completions longer = index_.longerEntries(code, kShownCompletions);
    if (longer.characterCount > 0) {
        out += " | ";
        appendCharacters(longer.first, kShownCompletions, out);
        appendMore(longer.characterCount - kShownCompletions, out);
    }
    out += '\n';
}

void LookupAnswers::appendPhrases(int index, std::string& out) {
    if (phrases_ == nullptr) return;
    const std::span<const StoredPhrase> phrases = phrases_->list(static_cast<std::size_t>(index));
    if (phrases.empty()) return;
    out += ' ';
    const int shown = std::min<int>(kShownPhrases, static_cast<int>(phrases.size()));
    for (int p = 0; p < shown; ++p) {
        out += ' ';
        for (const uint16_t character : phrases_->text(phrases[p])) shown_.append(character, out);
    }
    appendMore(static_cast<int>(phrases.size()) - shown, out);
    out += '\n';
}

void LookupAnswers::answerCharacter(const LineCharacter& character, std::string& out) {
    appendCharacter(character, out);
    out += ": ";
    if (character.index < 0) {
        out.append(kNotInCharSet).append(charSetName(im_.charSet)).append("\n");
        return;
    }
    const std::span<const int> entries = index_.entriesOf(character.index);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) out += ' ';
        appendCode(im_.codes[im_.entries[entries[i]].code], out);
    }
    if (entries.empty()) out += '-';
    out += '\n';
    appendPhrases(character.index, out);
}

void LookupAnswers::answerCheck(int lineNumber, const LookupLine& line, std::string& out) {
    ++checks_;
    const std::vector<int> entries = index_.exactEntries(line.code);
    std::vector<int> candidates;
    for (const int e : entries) {
        candidates.push_back(table_.indexOf(im_.entries[e].character.bytes().data()));
    }
    std::string missing;
    for (const LineCharacter& character : line.characters) {
        if (character.index >= 0 &&
            std::find(candidates.begin(), candidates.end(), character.index) != candidates.end()) {
            continue;
        }
        if (!missing.empty()) missing += ' ';
        appendCharacter(character, missing);
    }
    if (missing.empty()) return;
    ++failed_;
    out.append("L").append(std::to_string(lineNumber)).append(": ");
    appendCode(line.code, out);
    out.append(": ").append(missing).append(kNotFound);
    appendCharacters(entries, INT_MAX, out);
    out += '\n';
}

void LookupAnswers::answer(int lineNumber, const LookupLine& line, std::string& out) {
    switch (line.kind) {
        case LineKind::kPassedOver:
            return;
        case LineKind::kCode:
            return answerCode(line.code, out);
        case LineKind::kCharacters:
            for (const LineCharacter& character : line.characters) answerCharacter(character, out);
            return;
        case LineKind::kCheck:
            return answerCheck(lineNumber, line, out);
        case LineKind::kNeither:
            out.append("L").append(std::to_string(lineNumber)).append(kNeitherKind);
            return;
        case LineKind::kTooLong:
            ++tooLong_;
            out.append("L").append(std::to_string(lineNumber)).append(kTooLong);
            return;
    }
}
