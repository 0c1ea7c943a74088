#include "phrase/user_phrase_merge.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "foundation/file_identity.h"
#include "foundation/input_file.h"
#include "foundation/output_file.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/shown_phrases.h"
#include "foundation/text_encoding.h"
#include "foundation/utf8_source.h"
#include "phrase/messages.h"
#include "phrase/phrase_lines.h"
#include "phrase/text_to_database.h"

namespace {

// A line to add, and the place in the master's bytes it goes to.
struct AddedLine {
    std::size_t at;
    std::string text;  // with its line end
};

// The bytes of the master's CharSet for the device's characters; empty for
// one the CharSet lacks.
class MasterCharacters {
  public:
    MasterCharacters(const PhraseDatabase& master, const PhraseDatabase& device)
        : same_(master.charSet == device.charSet),
          master_(master.charSet),
          device_(device.charSet),
          converter_(master.charSet) {}

    std::string bytesOf(uint16_t index) {
        if (same_) {
            std::string bytes;
            master_.append(index, bytes);
            return bytes;
        }
        std::string bytes = converter_.fromUtf8(shown_(index));
        return bytes.size() == 2 ? bytes : std::string();
    }

  private:
    const std::string& shown_(uint16_t index) { return device_.character(index); }

    bool same_;
    CharacterBytes master_;
    ShownPhrases device_;
    CharSetConverter converter_;
};

// Where the phrase lines of each first character end, line feed included,
// and whether that line ends in CR LF.
struct FirstCharacterEnd {
    std::size_t at;
    bool crlf;
};

std::unordered_map<std::string, FirstCharacterEnd> lineEndsByFirst(const PhraseDatabase& master,
                                                                   bool utf8,
                                                                   std::string_view bytes) {
    std::unordered_map<std::string, FirstCharacterEnd> ends;
    for (const PhraseLine& line : phraseLinesOf(bytes, master.charSet, utf8)) {
        const std::size_t end = line.start + line.length;
        const bool crlf = line.length > 0 && bytes[end - 1] == '\r';
        ends[std::string(line.first())] = {std::min(end + 1, bytes.size()), crlf};
    }
    return ends;
}

// The master's bytes with `lines` put in, a line feed first when the last
// line of the master has none.
std::string mergedText(const std::string& bytes, const std::vector<AddedLine>& lines) {
    std::string merged;
    merged.reserve(bytes.size() + 32 * lines.size());
    std::size_t from = 0;
    for (const AddedLine& line : lines) {
        merged.append(bytes, from, line.at - from);
        if (!merged.empty() && merged.back() != '\n') merged += '\n';
        merged += line.text;
        from = line.at;
    }
    merged.append(bytes, from, std::string::npos);
    return merged;
}

}  // namespace

UserPhraseMerge mergeUserPhrases(const PhraseDatabase& master, bool utf8, int maxPhraseLength,
                                 const PhraseDatabase& device, std::string& bytes) {
    UserPhraseMerge merge;
    std::unordered_set<std::string> held;
    {
        const CharacterBytes characters(master.charSet);
        std::string text;
        for (const StoredPhrase& phrase : master.phrases) {
            text.clear();
            for (uint16_t index : master.text(phrase)) characters.append(index, text);
            held.insert(text);
        }
    }
    const auto ends = lineEndsByFirst(master, utf8, bytes);
    const bool listCrlf = bytes.ends_with("\r\n");
    const int longest = maxPhraseLength != 0 ? maxPhraseLength : kMaxPhraseLength;
    MasterCharacters characters(master, device);
    ShownPhrases shown(device.charSet);
    CharSetConverter converter(master.charSet);
    std::vector<AddedLine> lines;
    for (const StoredPhrase& phrase : device.phrases) {
        if (!phrase.user) continue;
        std::string text;
        bool writable = true;
        for (uint16_t index : device.text(phrase)) {
            const std::string character = characters.bytesOf(index);
            writable = writable && !character.empty();
            text += character;
        }
        if (!writable || phrase.length > longest) {
            merge.unheld.push_back({shown.phrase(device.text(phrase)), writable});
            continue;
        }
        if (!held.insert(text).second) {
            ++merge.present;
            continue;
        }
        const std::string said = utf8 ? converter.textToUtf8(text) : text;
        const auto end = ends.find(said.substr(0, utf8 ? utf8Length(said) : 2));
        const bool crlf = end != ends.end() ? end->second.crlf : listCrlf;
        lines.push_back({end != ends.end() ? end->second.at : bytes.size(),
                         said + ",USER" + (crlf ? "\r\n" : "\n")});
        ++merge.added;
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const AddedLine& a, const AddedLine& b) { return a.at < b.at; });
    bytes = mergedText(bytes, lines);
    return merge;
}

int addUserPhrases(CTosker& tosker, const char* list, const char* deviceName,
                   const char* destination) {
    if (isSameFile(destination, list)) return report(kDestinationIsSource, destination);
    if (isSameFile(destination, deviceName)) return report(kDestinationIsSource, destination);
    tosker.readUserMarks = true;
    if (int rc = readPhraseList(tosker, list, nullptr)) return rc;
    const bool utf8 = sourceReadAsUtf8();
    PhraseDatabase device;
    if (int rc = readPhraseDatabaseFile(deviceName, device)) return rc;
    std::string bytes;
    if (int rc = readInputFile(list, bytes, kReadFileError)) return rc;
    const UserPhraseMerge merge =
        mergeUserPhrases(tosker.database, utf8, tosker.statedMaxPhraseLength, device, bytes);
    reportRepeatedWarnings();
    for (const UnheldUserPhrase& phrase : merge.unheld) {
        if (phrase.tooLong) {
            report(kUserPhraseTooLong, phrase.text.c_str(), tosker.statedMaxPhraseLength);
        } else {
            report(kUserPhraseNotWritable, phrase.text.c_str(),
                   charSetName(tosker.database.charSet));
        }
    }
    OutputFile output;
    if (int rc = output.open(destination)) return rc;
    if (int rc = output.commit(bytes)) return rc;
    report(kUserPhrasesAdded, merge.added, merge.present);
    if (!merge.unheld.empty()) report(kUserPhrasesUnheld, static_cast<int>(merge.unheld.size()));
    return 0;
}
