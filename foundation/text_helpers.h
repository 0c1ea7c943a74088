// Small tests and conversions on NUL-terminated source text. A blank is a
// space or a tab.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The mark some editors put at the start of a UTF-8 file.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The folder part of a path with its slash ("dir/" of "dir/name"), or "" when
// the path names no folder.
inline std::string folderPrefixOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first position at or after `text` that is not a blank.
inline const char* skipBlanks(const char* text) {
    while (isBlank(*text)) ++text;
    return text;
}
inline char* skipBlanks(char* text) {
    while (isBlank(*text)) ++text;
    return text;
}

// How many line feeds bytes[from, to) holds, eight bytes at a time: a
// stretch shorter than eight is read in the eight bytes that end it, where
// `bytes` holds them. Inline: the list of what an import left out asks it
// for the few bytes between each two of its lines.
inline std::size_t lineFeedsBetween(std::string_view bytes, std::size_t from, std::size_t to) {
    // The low bit of each byte that is a line feed.
    const auto feedMarks = [&](std::size_t at) {
        constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        const uint64_t x = word ^ 0x0A0A0A0A0A0A0A0Au;
        return ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;
    };
    const auto count = [](uint64_t marks) {
        return static_cast<std::size_t>(marks * 0x0101010101010101u >> 56);
    };
    std::size_t feeds = 0;
    std::size_t at = from;
#ifdef __SSE2__
    // Sixteen bytes at a time, counted in the bytes of a register for up to
    // 255 blocks, then summed.
    const __m128i feed = _mm_set1_epi8('\n');
    while (to - at >= 16) {
        __m128i lanes = _mm_setzero_si128();
        const std::size_t blocks = std::min<std::size_t>((to - at) / 16, 255);
        for (std::size_t b = 0; b < blocks; ++b, at += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(v, feed));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        feeds += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
#endif
    for (; to - at >= 8; at += 8) feeds += count(feedMarks(at));
    const std::size_t rest = to - at;
    if (rest == 0) return feeds;
    if (to >= 8) return feeds + count(feedMarks(to - 8) >> (8 * (8 - rest)));
    for (; at < to; ++at) feeds += bytes[at] == '\n';
    return feeds;
}

// How many line feeds `bytes` holds.
inline std::size_t lineFeedsIn(std::string_view bytes) {
    return lineFeedsBetween(bytes, 0, bytes.size());
}

// True when every character before the end of the text or its first line
// feed is a blank; an empty line is blank.
bool isBlankLine(const char* line);

// True for "[", at least one character, "]" after optional leading blanks.
bool isSectionHeader(const char* line);

// True when the first `length` characters of `text` equal `name`, ignoring
// the case of ASCII letters.
bool startsWithIgnoringCase(const char* text, const char* name, std::size_t length);

// Whole-text comparison ignoring the case of ASCII letters.
bool equalsIgnoringCase(const char* a, const char* b);

// ASCII upper case of one byte.
char asciiUpper(char c);

// An ASCII upper-case copy of a whole text, however long.
std::string upperCopy(const char* text);

// True when the upper-cased `name` contains `upperPart` anywhere: file names
// are judged by a substring such as ".TXT", so "a.txt.bak" is a text name.
bool nameContains(const char* name, const char* upperPart);

// The value of a hexadecimal digit in either case, or -1.
int hexDigitValue(char c);

// The items of a list such as "a, b,c" or "F10 + F20": the text without its
// blanks, split at every `separator`, up to the first empty item.
std::vector<std::string> splitItems(const std::string& text, char separator);

// A decimal number read as the C library's atoi reads it: leading white
// space, one sign, the digits up to the first other character (0 without
// digits); a value beyond the range of a 64-bit long is clamped to it, and
// the result is its low 32 bits.
int decimalValue(const char* text);
