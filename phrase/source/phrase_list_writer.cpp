#include "phrase/source/phrase_list_writer.h"

#include <algorithm>
#include <cstdio>

#include "foundation/utf8_source.h"
#include "phrase/messages.h"

namespace {

constexpr char kDescriptionHeader[] = "[Description]";
constexpr char kPhraseHeader[] = "[Phrase]";
constexpr char kUserMark[] = ",USER";

// Appends "key=value" (at most 255 characters) and a line feed.
void writeKeyLine(std::string& text, const char* key, const char* value) {
    char line[256];
    std::snprintf(line, sizeof line, "%s=%s", key, value);
    text.append(line).append("\n");
}

void writeDescription(const PhraseDatabase& db, PhraseText encoding, std::string& text) {
    text.append(kDescriptionHeader).append("\n");
    writeKeyLine(text, keyName(kKeyCharSet), charSetName(db.charSet));
    if (encoding == PhraseText::kUtf8) writeKeyLine(text, kEncodingKey, "UTF-8");
    writeKeyLine(text, keyName(kKeyMaxPhraseLength), std::to_string(db.maxPhraseLength).c_str());
    text.append("//Total ")
        .append(std::to_string(static_cast<int>(db.phraseCount)))
        .append(" phrases\n\n");
    text.append(kPhraseHeader).append("\n");
}

// About the bytes of the phrase lines, two to a character: the text takes
// its room at once instead of growing and copying itself as it is written.
std::size_t phraseTextBytes(const PhraseDatabase& db) {
    std::size_t bytes = 256;
    for (const std::vector<StoredPhrase>& list : db.phrases) {
        bytes += 6;
        for (const StoredPhrase& phrase : list) {
            bytes += 2 * phrase.rest.size() + 3 + (phrase.user ? sizeof kUserMark : 0);
        }
    }
    return bytes;
}

}  // namespace

std::string phraseListText(const PhraseDatabase& db, PhraseText encoding, uint32_t& phrases) {
    std::string text;
    text.reserve(phraseTextBytes(db));
    writeDescription(db, encoding, text);
    const CharacterBytes characters(db.charSet);
    phrases = 0;
    for (std::size_t first = kFirstPhraseIndex; first < db.phrases.size(); ++first) {
        const std::vector<StoredPhrase>& list = db.phrases[first];
        if (list.empty() && !std::binary_search(db.unendedLists.begin(), db.unendedLists.end(),
                                                static_cast<uint16_t>(first))) {
            continue;
        }
        const auto index = static_cast<unsigned>(first);
        text.append("//");
        characters.append(index, text);
        text += '\n';
        for (const StoredPhrase& phrase : list) {
            characters.append(index, text);
            for (const uint16_t character : phrase.rest) characters.append(character, text);
            if (phrase.user) text.append(kUserMark);
            text += '\n';
        }
        text += '\n';
        phrases += static_cast<uint32_t>(list.size());
    }
    return text;
}
