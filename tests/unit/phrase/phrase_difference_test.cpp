#include "phrase/difference/phrase_difference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "foundation/shown_phrases.h"
#include "phrase/user_phrase_merge.h"

namespace {

// By first character index: its phrases, each its second character and mark.
using Lists = std::vector<std::vector<std::pair<uint16_t, bool>>>;

PhraseDatabase databaseOf(const Lists& lists) {
    PhraseDatabase db;
    db.charSet = kChineseGBK;
    for (std::size_t first = 0; first < lists.size(); ++first) {
        for (const auto& [second, user] : lists[first]) {
            const uint16_t text[] = {static_cast<uint16_t>(first), second};
            addPhrase(db, text, user);
        }
    }
    closeLists(db, lists.size());
    return db;
}

std::vector<std::string> sortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

Lists randomLists(std::mt19937& random, std::size_t count) {
    Lists lists(256 + count);
    for (std::size_t first = 256; first < lists.size(); ++first) {
        for (uint16_t k = 0; k < 4; ++k)
            lists[first].push_back({static_cast<uint16_t>(256 + 4 * (random() % 50) + k), false});
    }
    return lists;
}

// Random edit scripts, one edit to each of `edits` first characters: a
// phrase added, one removed, the first moved to the end, or a mark turned.
TEST(PhraseDifference, ReportsExactlyTheEditsOfARandomScript) {
    for (const int edits : {1, 100, 10000}) {
        std::mt19937 random(edits);
        const Lists before = randomLists(random, static_cast<std::size_t>(edits));
        Lists after = before;
        ShownPhrases shown(kChineseGBK);
        std::vector<std::string> expected;
        int counts[4] = {};
        for (std::size_t first = 256; first < after.size(); ++first) {
            auto& list = after[first];
            const int kind = static_cast<int>(random() % 4);
            ++counts[kind];
            const std::size_t at = random() % 4;
            const uint16_t changed =
                kind == 0 ? static_cast<uint16_t>(457) : list[kind == 2 ? 0 : at].first;
            const uint16_t text[] = {static_cast<uint16_t>(first), changed};
            expected.push_back(std::string(1, "+-~u"[kind]) + " " + shown.phrase(text));
            if (kind == 0) list.insert(list.begin() + static_cast<long>(at), {changed, false});
            if (kind == 1) list.erase(list.begin() + static_cast<long>(at));
            if (kind == 2) std::rotate(list.begin(), list.begin() + 1, list.end());
            if (kind == 3) list[at].second = true;
        }
        const PhraseDifference difference = phraseDifference(databaseOf(before), databaseOf(after));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sortedLines(difference.lines), expected) << edits << " edits";
        EXPECT_EQ(
            (std::vector{difference.added, difference.removed, difference.moved, difference.marks}),
            (std::vector{counts[0], counts[1], counts[2], counts[3]}));
    }
}

// A device whose user phrases are a random subset, some of them the
// master's: the merge adds exactly those the master lacks, and takes away
// none of its lines.
TEST(UserPhraseMerge, AddsExactlyTheUserPhrasesTheMasterLacks) {
    std::mt19937 random(7);
    const Lists master = randomLists(random, 300);
    Lists device = randomLists(random, 400);
    std::string list = "[Description]\nCharSet=ChineseGBK\n[Phrase]\n";
    const CharacterBytes bytes(kChineseGBK);
    for (std::size_t first = 256; first < master.size(); ++first) {
        for (const auto& phrase : master[first]) {
            bytes.append(static_cast<unsigned>(first), list);
            bytes.append(phrase.first, list);
            list += "\n";
        }
    }
    int lacking = 0, held = 0;
    for (std::size_t first = 256; first < device.size(); ++first) {
        for (auto& phrase : device[first]) {
            phrase.second = random() % 3 == 0;
            const bool inMaster =
                first < master.size() && std::count(master[first].begin(), master[first].end(),
                                                    std::pair{phrase.first, false});
            if (phrase.second) ++(inMaster ? held : lacking);
        }
    }
    std::string merged = list;
    const UserPhraseMerge merge =
        mergeUserPhrases(databaseOf(master), false, 0, databaseOf(device), merged);
    EXPECT_EQ(merge.added, lacking);
    EXPECT_EQ(merge.present, held);
    std::string kept;
    std::istringstream in(merged);
    for (std::string line; std::getline(in, line);) {
        if (!line.ends_with(",USER")) kept += line + "\n";
    }
    EXPECT_EQ(kept, list);
    EXPECT_EQ(
        std::count(merged.begin(), merged.end(), '\n') - std::count(list.begin(), list.end(), '\n'),
        lacking);
}

}  // namespace
