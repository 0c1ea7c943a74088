#include "ime/lookup/lookup_line.h"

#include "foundation/text_helpers.h"

namespace {

// One piece of a line: a key, a blank, a character, or anything else.
enum class Piece { kKey, kBlank, kCharacter, kOther };

bool holdsNonAscii(std::string_view line) {
    for (const char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// Keys, then blanks and characters with at least one blank before the first.
LineKind kindOf(const std::vector<Piece>& pieces) {
    std::size_t at = 0;
    while (at < pieces.size() && pieces[at] == Piece::kKey) ++at;
    const std::size_t keys = at;
    while (at < pieces.size() && pieces[at] == Piece::kBlank) ++at;
    const bool blankAfterKeys = at > keys;
    bool characters = false;
    for (; at < pieces.size(); ++at) {
        if (pieces[at] == Piece::kCharacter)
            characters = true;
        else if (pieces[at] != Piece::kBlank)
            return LineKind::kNeither;
    }
    if (keys == 0) return characters ? LineKind::kCharacters : LineKind::kPassedOver;
    if (!characters) return blankAfterKeys ? LineKind::kNeither : LineKind::kCode;
    return blankAfterKeys ? LineKind::kCheck : LineKind::kNeither;
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

}  // namespace

LookupLineReader::LookupLineReader(const InputMethod& im)
    : im_(im), table_(im.charSet), converter_(im.charSet) {}

bool LookupLineReader::isKey(char c) const {
    return c != 0 && (c == im_.wildChar || im_.usedCodes.find(c) != std::string::npos);
}

LookupLine LookupLineReader::read(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trimmed(line);
    LookupLine result;
    if (line.empty() || line.starts_with("//")) return result;

    const bool utf8 = holdsNonAscii(line) && isUtf8(line);
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < line.size();) {
        const char c = line[at];
        std::size_t length = 1;
        if (utf8 && static_cast<unsigned char>(c) >= 0x80) {
            length = static_cast<std::size_t>(utf8Length(line.substr(at)));
            LineCharacter character{-1, std::string(line.substr(at, length))};
            const std::string bytes = converter_.fromUtf8(character.typed);
            if (!bytes.empty()) character.index = table_.indexOf(bytes.data());
            result.characters.push_back(std::move(character));
            pieces.push_back(Piece::kCharacter);
        } else if (!utf8 && at + 1 < line.size() && table_.startsChar(line.data() + at)) {
            length = 2;
            result.characters.push_back({table_.indexOf(line.data() + at), {}});
            pieces.push_back(Piece::kCharacter);
        } else if (isBlank(c)) {
            pieces.push_back(Piece::kBlank);
        } else if (isKey(c)) {
            result.code += c;
            pieces.push_back(Piece::kKey);
        } else {
            pieces.push_back(Piece::kOther);
        }
        at += length;
    }
    result.kind = kindOf(pieces);
    return result;
}
