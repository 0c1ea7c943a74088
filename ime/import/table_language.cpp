#include "ime/import/table_language.h"

#include <cctype>

#include "foundation/desktop_tables/table_text.h"
#include "foundation/text_encoding.h"

namespace {

// "zh_TW.UTF-8", "ja", "ko_KR": the CharSet of the language, or 0.
CharSet charSetOfLocale(std::string_view locale) {
    std::string lower;
    for (const char c : trimBlanks(locale)) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c == '-' ? '_' : c)));
    }
    if (lower.starts_with("ja")) return kJapaneseSJIS;
    if (lower.starts_with("ko")) return kKoreanKSC;
    if (lower.starts_with("zh_tw") || lower.starts_with("zh_hk")) return kChineseBIG5;
    if (lower.starts_with("zh_cn")) return kChineseGB;
    return 0;
}

// The CharSet all of `locales` say, 0 when one says none or they differ.
template <class Locales>
CharSet agreedCharSet(const Locales& locales) {
    CharSet agreed = 0;
    for (const std::string_view locale : locales) {
        const CharSet charSet = charSetOfLocale(locale);
        if (charSet == 0 || (agreed != 0 && agreed != charSet)) return 0;
        agreed = charSet;
    }
    return agreed;
}

bool sameFamily(CharSet a, CharSet b) {
    const auto family = [](CharSet c) {
        return c == kChineseGBK ? kChineseGB : c == kJapaneseJIS ? kJapaneseSJIS : c;
    };
    return family(a) == family(b);
}

bool writesWhole(std::string_view text, TableCharacters& set) {
    while (!text.empty()) {
        const int length = std::max(utf8Length(text), 1);
        if (length > 1 && set.bytesOf(text, length).packed == 0) return false;
        text.remove_prefix(static_cast<std::size_t>(length));
    }
    return true;
}

}  // namespace

CharSet charSetOfLanguage(const DesktopTable& table) {
    std::vector<std::string_view> locales;
    std::string_view languages = table.languages;
    while (!languages.empty()) {
        const std::string_view locale = trimBlanks(takeField(languages, ','));
        if (!locale.empty()) locales.push_back(locale);
    }
    // LANGUAGES names the table's own language first.
    for (const std::string_view locale : locales) {
        if (const CharSet charSet = charSetOfLocale(locale)) return charSet;
    }
    locales.clear();
    for (const auto& [locale, name] : table.localeNames) locales.push_back(locale);
    return agreedCharSet(locales);
}

std::string fullNameFor(const DesktopTable& table, TableCharacters& set) {
    for (const auto& [locale, name] : table.localeNames) {
        if (sameFamily(charSetOfLocale(locale), set.charSet())) return name;
    }
    for (const auto& [locale, name] : table.localeNames) {
        if (writesWhole(name, set)) return name;
    }
    return table.fullName;
}
