#include "ime/import/imported_description.h"

#include <cctype>
#include <optional>

#include "foundation/text_encoding.h"
#include "ime/import/table_language.h"
#include "ime/input_method_limits.h"
#include "ime/messages.h"

namespace {

constexpr std::size_t kFullNameBytes = 31;
constexpr std::size_t kNameBytes = 15;
constexpr std::size_t kVersionBytes = 15;

// The file's name without its folder and its extensions.
std::string baseName(const std::string& fileName) {
    std::string base = fileName.substr(fileName.rfind('/') + 1);
    return base.substr(0, base.find('.'));
}

std::string idOf(const std::string& asciiName) {
    std::string id;
    for (const char c : asciiName) {
        if (id.size() < kIdLength && std::isalnum(static_cast<unsigned char>(c))) {
            id += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    id.resize(kIdLength, 'X');
    return id;
}

// `text` (UTF-8) in the CharSet's bytes, without the characters the CharSet
// cannot write, cut where the next character would pass `size` bytes. Blanks
// at the ends and a second "/" that would start a comment are dropped too.
std::string fitted(std::string_view text, std::size_t size, TableCharacters& set) {
    std::string kept;
    std::size_t bytes = 0;
    bool afterSlash = false;
    while (!text.empty()) {
        const int length = std::max(utf8Length(text), 1);
        const std::string_view character = text.substr(0, static_cast<std::size_t>(length));
        text.remove_prefix(character.size());
        const bool ascii = length == 1 && character[0] >= 0x20 && character[0] < 0x7F;
        const DoubleByteCharacter doubleByte =
            ascii || length == 1 ? DoubleByteCharacter{} : set.bytesOf(character, length);
        if (!ascii && doubleByte.packed == 0) continue;
        if (ascii && character[0] == '/' && afterSlash) continue;
        if (ascii && character[0] == ' ' && kept.empty()) continue;
        const std::size_t width = ascii ? 1 : 2;
        if (bytes + width > size) break;
        bytes += width;
        afterSlash = ascii && character[0] == '/';
        if (ascii) {
            kept += character;
        } else {
            doubleByte.appendTo(kept);
        }
    }
    while (!kept.empty() && kept.back() == ' ') kept.pop_back();
    return kept;
}

// The display of one key: its first character that the CharSet writes
// (printable ASCII, or a double-byte character); none when it has none.
std::optional<ValuePair> displayOf(std::string_view display, TableCharacters& set) {
    while (!display.empty()) {
        const int length = std::max(utf8Length(display), 1);
        if (length == 1 && display[0] > 0x20 && display[0] < 0x7F) {
            return ValuePair{static_cast<uint8_t>(display[0]), 0};
        }
        if (length > 1) {
            const DoubleByteCharacter character = set.bytesOf(display, length);
            if (character.packed != 0) return ValuePair{character.lead(), character.trail()};
        }
        display.remove_prefix(static_cast<std::size_t>(length));
    }
    return std::nullopt;
}

// The display the table gives `key`: .cin's %keyname, else a prompt.
const std::string* shownFor(const DesktopTable& table, char key) {
    const std::size_t at = table.declaredKeys.find(key);
    if (at != std::string::npos && at < table.keyDisplays.size()) return &table.keyDisplays[at];
    for (const auto& [prompted, prompt] : table.keyPrompts) {
        if (prompted == key) return &prompt;
    }
    return nullptr;
}

// One display per key of UsedCodes, from %keyname or the prompts; none
// unless every key has one.
std::vector<ValuePair> displayCodesOf(const DesktopTable& table, const std::string& usedCodes,
                                      TableCharacters& set) {
    std::vector<ValuePair> displays;
    for (const char key : usedCodes) {
        const std::string* shown = shownFor(table, key);
        const std::optional<ValuePair> display =
            shown == nullptr ? std::nullopt : displayOf(*shown, set);
        if (!display) return {};
        displays.push_back(*display);
    }
    return displays;
}

}  // namespace

void describeImportedMethod(const DesktopTable& table, const std::string& fileName,
                            TableCharacters& set, InputMethod& method) {
    const std::string asciiName = table.asciiName.empty() ? baseName(fileName) : table.asciiName;
    method.id = idOf(asciiName);
    // Every table of one input method gives the same ID: the handheld would
    // take two imports of it for one input method.
    if (!table.asciiName.empty() && table.exported.style == 0) {
        report(kIdIsTableName, method.id.c_str());
    }
    method.name = fitted(asciiName, kNameBytes, set);
    const std::string fullName = fullNameFor(table, set);
    method.fullName = fitted(fullName.empty() ? asciiName : fullName, kFullNameBytes, set);
    if (method.name.empty()) method.name = method.id;
    if (method.fullName.empty()) method.fullName = method.name;
    method.version = fitted(table.version, kVersionBytes, set);
    method.displayCodes = displayCodesOf(table, method.usedCodes, set);
    const char wildcard = table.wildcard;
    if (wildcard > 0x20 && wildcard < 0x7F &&
        method.usedCodes.find(wildcard) == std::string::npos) {
        method.wildChar = wildcard;
    }
}
