// The lines of a .hex font file that give the glyphs wanted, found without
// reading the whole file: GNU Unifont's 4 MB hold some 60,000 lines in
// ascending order of their code points, and a keyboard wants a few dozen.
#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The code point of a line of a .hex font: one to six hexadecimal digits
// before a colon; false for a line of another kind.
bool hexLineCharacter(std::string_view line, char32_t& character);

// One line of the file: where it lies and its code point.
struct HexFontLine {
    std::size_t start = 0;  // of the line, in the file
    std::size_t end = 0;    // past its line feed, or the file's end
    bool isGlyph = false;   // hexLineCharacter found its code point
    char32_t character = 0;
};

class HexFontFile {
  public:
    HexFontFile(std::FILE* file, std::size_t size) : file_(file), size_(size) {}

    // Calls `take` with every line of each character of `wanted` (without
    // its line feed), in the file's order; false, having called nothing, when
    // a line looked at is of another kind, the code points looked at do not
    // ascend, or a read fails: the file must then be read whole.
    template <class Take>
    bool forEachLineOf(const std::set<char32_t>& wanted, Take take);

  private:
    // The line that starts at or after `offset` (after the line feed before
    // it, or at 0), its text into `text`; false when the file ends first.
    bool lineFrom(std::size_t offset, HexFontLine& line, std::string& text);
    // The start of the first line at or after `from` (a line's start) whose
    // code point is `character` or above, or the file's size; false when a
    // line is of another kind or out of order.
    bool firstAtOrAbove(char32_t character, std::size_t from, std::size_t& found);
    // Up to `count` bytes from `at` into room_; how many.
    std::size_t readAt(std::size_t at, std::size_t count);

    std::FILE* file_;
    std::size_t size_;
    std::vector<char> room_;
    std::unordered_map<std::size_t, std::string> blocks_;  // read, by number
    bool failed_ = false;
};

template <class Take>
bool HexFontFile::forEachLineOf(const std::set<char32_t>& wanted, Take take) {
    struct Found {
        std::size_t at;
        char32_t character;
    };
    std::vector<Found> starts;
    std::size_t from = 0;
    for (const char32_t character : wanted) {
        std::size_t at = 0;
        if (!firstAtOrAbove(character, from, at)) return false;
        starts.push_back({at, character});
        from = at;
    }
    // The lines are all found before any is taken, so that a line out of
    // order found late changes nothing.
    std::vector<std::string> lines;
    for (const Found& found : starts) {
        HexFontLine line;
        std::string text;
        for (std::size_t at = found.at; lineFrom(at, line, text); at = line.end) {
            if (!line.isGlyph || line.character < found.character) return false;
            if (line.character != found.character) break;
            lines.push_back(text);
        }
    }
    if (failed_) return false;
    for (const std::string& line : lines) take(std::string_view(line));
    return true;
}
