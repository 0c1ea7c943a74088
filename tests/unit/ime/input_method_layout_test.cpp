// An InputMethod of every shape a compile can give, laid out as a database
// and read back: the record comes back, its entries in the order the
// database numbers them, and laid out again it gives the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "foundation/char_sets.h"
#include "foundation/diagnostics.h"
#include "ime/code_numbering.h"
#include "ime/database/code_geometry.h"
#include "ime/database/input_method_database.h"
#include "ime/messages.h"

namespace {

using Random = std::mt19937;

int below(Random& random, int n) {
    return static_cast<int>(random() % static_cast<unsigned>(n));
}

std::string printable(Random& random, int maxLength, const std::string& from) {
    std::string text(static_cast<std::size_t>(below(random, maxLength + 1)), ' ');
    for (char& c : text) c = from[static_cast<std::size_t>(below(random, int(from.size())))];
    return text;
}

const std::string kKeys = "abcdefghijklmnopqrstuvwxyz0123456789;',./[]-`";
const std::string kText = kKeys + "ABCXYZ _+";

// A handful of characters of the CharSet, so that many get several codes.
std::vector<DoubleByteCharacter> characterPool(Random& random, CharSet charSet) {
    const LeadTrailBytes bytes(charSet);
    std::vector<DoubleByteCharacter> pool;
    while (pool.size() < 40) {
        const int index = 256 + below(random, indexCount(charSet) - 256);
        char text[3] = {};
        if (indexToChar(charSet, index, text, sizeof text) != 2 || !bytes.startsChar(text) ||
            charToIndex(charSet, text) != index) {
            continue;
        }
        pool.push_back(DoubleByteCharacter::of(text));
    }
    return pool;
}

KeyboardPicture picture(Random& random, int width, int height) {
    KeyboardPicture made{width, height, {}};
    for (int i = 0; i < width * height; ++i) made.pixels.push_back(random() & 1);
    return made;
}

void describe(Random& random, InputMethod& im) {
    im.charSet = kCharSetTable[below(random, kCharSetCount)].id;
    im.id = printable(random, 0, kText) + "ID" + std::to_string(10 + below(random, 90));
    // A compile gives no name that is empty, blank or a comment.
    im.fullName = printable(random, 30, kText);
    im.fullName.insert(im.fullName.begin(), 'F');
    im.name = printable(random, 14, kText);
    im.name.insert(im.name.begin(), 'N');
    im.version = printable(random, 15, kText);
    im.author = printable(random, 15, kText);
    im.codingStyle = 1 + below(random, 2);
    std::string keys = kKeys;
    std::shuffle(keys.begin(), keys.end(), random);
    im.usedCodes = keys.substr(0, 1 + below(random, static_cast<int>(keys.size())));
    CodeGeometry geometry;
    do {
        im.maxCodes = 1 + below(random, 12);
    } while (codeGeometry(im.codingStyle, static_cast<int>(im.usedCodes.size()), im.maxCodes,
                          geometry) != 0);
    if (im.codingStyle == 1) {
        im.indexDepth = below(random, 3);
        im.noSort = below(random, 2) == 1;
    } else {
        im.indexDepth = 0;
        im.codingSubtype = below(random, 3);
        im.tuneCodes = im.usedCodes.substr(0, below(random, 16));
        im.separateChar = "'-*"[below(random, 3)];
    }
    im.wildChar = below(random, 2) == 1 ? '?' : 0;
    im.autoSelectKeys = below(random, 256) - 128;
    if (below(random, 2) == 1) {
        for (char c : im.usedCodes) im.displayCodes.push_back({static_cast<uint8_t>(c), 0});
    }
}

void addSections(Random& random, InputMethod& im) {
    if (below(random, 2) == 1) {
        KeyMapRows& rows = im.keyMap.emplace();
        rows[below(random, kKeyMapRowCount)][below(random, kKeyMapRowKeys)] = {'k', 0};
    }
    for (int r = below(random, 4); r > 0; --r) {
        CodingRule& rule = im.rules.emplace_back();
        rule.kind = below(random, 2) == 1 ? 'A' : 'E';
        rule.hanZiCount = 2 + below(random, 14);
        for (int i = 2 + below(random, 8); i > 0; --i) {
            const int code = im.codingStyle == 2 ? 0 : 1 + below(random, 15);
            rule.items.push_back(
                {below(random, 2) == 1 ? 'F' : 'B', 1 + below(random, rule.hanZiCount), code});
        }
    }
    if (below(random, 2) == 1) {
        const bool wide = below(random, 2) == 1;
        KeyboardPictures& pictures = im.keyboard.emplace();
        pictures.standard = picture(random, wide ? 156 : 154, wide ? 53 : 54);
        if (below(random, 2) == 1) {
            pictures.highDensity =
                picture(random, 2 * pictures.standard.width, 2 * pictures.standard.height);
        }
    }
    if (below(random, 2) == 1) im.helpText = printable(random, 300, kText) + "\n";
}

// Lines in any order, each (code, character) pair once: the flat record of
// a source.
void addEntries(Random& random, InputMethod& im) {
    const std::vector<DoubleByteCharacter> pool = characterPool(random, im.charSet);
    std::set<std::pair<std::string, DoubleByteCharacter>> pairs;
    CodeNumbering numbering(im.codes, 0);
    for (uint32_t line = 1 + below(random, 300); line > 0; --line) {
        std::string code(static_cast<std::size_t>(1 + below(random, im.maxCodes)), ' ');
        for (char& c : code) c = im.usedCodes[below(random, static_cast<int>(im.usedCodes.size()))];
        if (code.starts_with("//")) continue;  // a comment line
        for (int c = 1 + below(random, 3); c > 0; --c) {
            const DoubleByteCharacter character =
                pool[below(random, static_cast<int>(pool.size()))];
            if (!pairs.insert({code, character}).second) continue;
            im.entries.push_back({numbering.numberOf(code), line, character});
        }
    }
}

std::multiset<std::pair<std::string, DoubleByteCharacter>> pairsOf(const InputMethod& im) {
    std::multiset<std::pair<std::string, DoubleByteCharacter>> pairs;
    for (const CodeTableEntry& entry : im.entries) {
        pairs.insert({std::string(im.codes[entry.code]), entry.character});
    }
    return pairs;
}

TEST(InputMethodLayout, EveryRecordComesBackFromItsDatabase) {
    useMabrelMessages();
    QuietReports quiet;  // geometries that do not pack (604), the spinner
    Random random(20261209);
    for (int trial = 0; trial < 300; ++trial) {
        InputMethod given;
        describe(random, given);
        addSections(random, given);
        addEntries(random, given);
        const std::vector<uint8_t> bytes = encodeInputMethodDatabase(given, 0x12345678);
        ASSERT_FALSE(bytes.empty()) << trial;

        InputMethod read;
        ASSERT_EQ(readInputMethodDatabase(bytes, "db.pdb", read), 0) << trial;
        EXPECT_EQ(pairsOf(read), pairsOf(given)) << trial;
        InputMethod described = given;
        described.codes = read.codes;
        described.entries = read.entries;
        EXPECT_EQ(read, described) << trial;

        // In the order the database numbers them, the entries lay out the same.
        EXPECT_EQ(encodeInputMethodDatabase(read, 0x12345678), bytes) << trial;
    }
}

}  // namespace
