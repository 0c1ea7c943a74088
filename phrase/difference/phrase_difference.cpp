#include "phrase/difference/phrase_difference.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "foundation/common_subsequence.h"
#include "foundation/shown_phrases.h"

namespace {

// The phrases of one first character, by id, and their user marks.
struct FirstCharacterList {
    std::vector<uint32_t> ids;
    std::vector<bool> user;
};

// The lists of one side by their first character in UTF-8, so that the
// lists of two CharSets meet where they mean the same character.
using PhraseLists = std::map<std::string, FirstCharacterList>;

PhraseLists phraseListsOf(const PhraseDatabase& db, TextIds& phrases) {
    ShownPhrases shown(db.charSet);
    PhraseLists lists;
    for (std::size_t first = 0; first < db.listCount(); ++first) {
        const auto list = db.list(first);
        if (list.empty()) continue;
        FirstCharacterList& side = lists[shown.character(static_cast<uint16_t>(first))];
        for (const StoredPhrase& phrase : list) {
            side.ids.push_back(phrases.idOf(shown.phrase(db.text(phrase))));
            side.user.push_back(phrase.user);
        }
    }
    return lists;
}

// Where each id of a list stands in it.
std::unordered_map<uint32_t, std::size_t> positionsInList(const FirstCharacterList& list) {
    std::unordered_map<uint32_t, std::size_t> positions;
    for (std::size_t p = 0; p < list.ids.size(); ++p) positions.try_emplace(list.ids[p], p);
    return positions;
}

void addListChanges(const FirstCharacterList& first, const FirstCharacterList& second,
                    const TextIds& phrases, PhraseDifference& difference) {
    if (first.ids == second.ids && first.user == second.user) return;
    std::string& out = difference.lines;
    const auto inFirst = positionsInList(first);
    const auto inSecond = positionsInList(second);
    const CommonSubsequence common = longestCommonSubsequence(first.ids, second.ids);
    for (std::size_t q = 0; q < second.ids.size(); ++q) {
        const std::string& text = phrases.text(second.ids[q]);
        const auto there = inFirst.find(second.ids[q]);
        if (there == inFirst.end()) {
            out += "+ " + text + "\n";
            ++difference.added;
            continue;
        }
        if (!common.inSecond[q]) {
            out += "~ " + text + "\n";
            ++difference.moved;
        }
        if (first.user[there->second] != second.user[q]) {
            out += "u " + text + "\n";
            ++difference.marks;
        }
    }
    for (std::size_t p = 0; p < first.ids.size(); ++p) {
        if (inSecond.contains(first.ids[p])) continue;
        out += "- " + phrases.text(first.ids[p]) + "\n";
        ++difference.removed;
    }
}

}  // namespace

PhraseDifference phraseDifference(const PhraseDatabase& first, const PhraseDatabase& second) {
    TextIds phrases;
    const PhraseLists a = phraseListsOf(first, phrases);
    const PhraseLists b = phraseListsOf(second, phrases);
    PhraseDifference difference;
    const FirstCharacterList none;
    auto p = a.begin();
    auto q = b.begin();
    while (p != a.end() || q != b.end()) {
        if (q == b.end() || (p != a.end() && p->first < q->first)) {
            addListChanges(p++->second, none, phrases, difference);
        } else if (p == a.end() || q->first < p->first) {
            addListChanges(none, q++->second, phrases, difference);
        } else {
            addListChanges(p++->second, q++->second, phrases, difference);
        }
    }
    return difference;
}
