#include "foundation/phrase_list_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/huge_pages.h"
#include "foundation/utf8_source.h"

namespace {

constexpr char kDescriptionHeader[] = "[Description]";
constexpr char kPhraseHeader[] = "[Phrase]";
constexpr char kCharSetKey[] = "CharSet";
constexpr char kMaxPhraseLengthKey[] = "MaxPhraseLength";
constexpr char kUserMark[] = ",USER";

// Appends "key=value" (at most 255 characters) and a line feed.
void writeKeyLine(std::string& text, const char* key, const char* value) {
    char line[256];
    std::snprintf(line, sizeof line, "%s=%s", key, value);
    text.append(line).append("\n");
}

void writeDescription(const PhraseDatabase& db, PhraseText encoding, std::string& text) {
    text.append(kDescriptionHeader).append("\n");
    writeKeyLine(text, kCharSetKey, charSetName(db.charSet));
    if (encoding == PhraseText::kUtf8) writeKeyLine(text, kEncodingKey, "UTF-8");
    writeKeyLine(text, kMaxPhraseLengthKey, std::to_string(db.maxPhraseLength).c_str());
    text.append("//Total ")
        .append(std::to_string(static_cast<int>(db.statedPhraseCount)))
        .append(" phrases\n\n");
    text.append(kPhraseHeader).append("\n");
}

// About the bytes of the phrase lines, two to a character: the text takes
// its room at once instead of growing and copying itself as it is written.
std::size_t phraseTextBytes(const PhraseDatabase& db) {
    std::size_t bytes = 256 + 6 * db.listCount() + 2 * db.characters.size();
    for (const StoredPhrase& phrase : db.phrases) bytes += 1 + (phrase.user ? sizeof kUserMark : 0);
    return bytes;
}

// Appends the line of `phrase`, each character put by `characters` (at
// most four bytes).
template <class Characters>
void appendPhrase(const PhraseDatabase& db, const Characters& characters,
                  const StoredPhrase& phrase, std::string& text) {
    char line[4 * kMaxPhraseLength + sizeof kUserMark];
    std::size_t length = 0;
    for (const uint16_t character : db.text(phrase)) {
        length += characters.put(character, line + length);
    }
    if (phrase.user) {
        std::memcpy(line + length, kUserMark, sizeof kUserMark - 1);
        length += sizeof kUserMark - 1;
    }
    line[length++] = '\n';
    text.append(line, length);
}

// In weight order the phrases lie anywhere among those of their first
// characters: each is asked for some lines ahead of its turn.
constexpr std::size_t kAhead = 16;

}  // namespace

std::string phraseListText(const PhraseDatabase& db, PhraseText encoding, uint32_t& phrases) {
    std::string text;
    reserveHugePages(text, phraseTextBytes(db));
    writeDescription(db, encoding, text);
    const CharacterBytes characters(db.charSet);
    phrases = 0;
    for (std::size_t first = kFirstPhraseIndex; first < db.listCount(); ++first) {
        const std::span<const StoredPhrase> list = db.list(first);
        if (list.empty() && !std::binary_search(db.unendedLists.begin(), db.unendedLists.end(),
                                                static_cast<uint16_t>(first))) {
            continue;
        }
        text.append("//");
        characters.append(static_cast<unsigned>(first), text);
        text += '\n';
        for (const StoredPhrase& phrase : list) appendPhrase(db, characters, phrase, text);
        text += '\n';
        phrases += static_cast<uint32_t>(list.size());
    }
    return text;
}

std::string importedListText(const PhraseDatabase& db, std::span<const uint32_t> order,
                             const CharacterSpellings& spellings) {
    std::string text;
    reserveHugePages(text, phraseTextBytes(db) + db.characters.size());
    text.append(kDescriptionHeader).append("\n");
    writeKeyLine(text, kEncodingKey, "UTF-8");
    writeKeyLine(text, kCharSetKey, charSetName(db.charSet));
    writeKeyLine(text, kMaxPhraseLengthKey, std::to_string(db.maxPhraseLength).c_str());
    text.append(kPhraseHeader).append("\n");
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size()) __builtin_prefetch(&db.phrases[order[i + kAhead]]);
        appendPhrase(db, spellings, db.phrases[order[i]], text);
    }
    return text;
}
