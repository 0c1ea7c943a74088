#include "ime/source/hex_font_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "foundation/text_helpers.h"

namespace {

constexpr std::size_t kLookedAt = 192;      // holds a line feed and a line of 16 by 16
constexpr std::size_t kLongestLine = 4096;  // a glyph line holds at most 70
// Below this many bytes, the lines are read one after another.
constexpr std::size_t kReadThrough = 2048;
// The file is read in blocks of this many bytes, each once: the searches for
// characters near each other look at the same few blocks.
constexpr std::size_t kBlockBytes = 4096;

}  // namespace

bool hexLineCharacter(std::string_view line, char32_t& character) {
    std::size_t colon = 0;
    while (colon < line.size() && colon <= 6 && line[colon] != ':') ++colon;
    if (colon == line.size() || colon == 0 || colon > 6) return false;
    character = 0;
    for (const char c : line.substr(0, colon)) {
        const int digit = hexDigitValue(c);
        if (digit < 0) return false;
        character = character * 16 + static_cast<char32_t>(digit);
    }
    return true;
}

std::size_t HexFontFile::readAt(std::size_t at, std::size_t count) {
    room_.resize(count);
    std::size_t got = 0;
    while (got < count) {
        const std::size_t block = (at + got) / kBlockBytes;
        const std::size_t offset = (at + got) % kBlockBytes;
        const auto [found, added] = blocks_.try_emplace(block);
        std::string& bytes = found->second;
        if (added) {
            bytes.resize(kBlockBytes);
            const ssize_t read = pread(fileno(file_), bytes.data(), kBlockBytes,
                                       static_cast<off_t>(block * kBlockBytes));
            if (read < 0) {
                blocks_.erase(found);
                failed_ = true;
                return 0;
            }
            bytes.resize(static_cast<std::size_t>(read));
        }
        if (offset >= bytes.size()) break;
        const std::size_t taken = std::min(count - got, bytes.size() - offset);
        std::memcpy(room_.data() + got, bytes.data() + offset, taken);
        got += taken;
        if (bytes.size() < kBlockBytes) break;  // the file ends in this block
    }
    return got;
}

bool HexFontFile::lineFrom(std::size_t offset, HexFontLine& line, std::string& text) {
    if (offset >= size_) return false;
    const std::size_t from = offset == 0 ? 0 : offset - 1;
    std::size_t got = readAt(from, kLookedAt);
    std::size_t start = 0;  // in room_
    if (offset > 0) {
        const auto* feed = static_cast<const char*>(std::memchr(room_.data(), '\n', got));
        if (feed == nullptr) {
            got = readAt(from, kLongestLine);
            feed = static_cast<const char*>(std::memchr(room_.data(), '\n', got));
            // A line this long is no glyph's: looked at as one of another kind.
            if (feed == nullptr) {
                line = {offset, std::min(size_, from + got), false, 0};
                return got > 0;
            }
        }
        start = static_cast<std::size_t>(feed - room_.data()) + 1;
    }
    if (from + start >= size_) return false;
    const char* end =
        static_cast<const char*>(std::memchr(room_.data() + start, '\n', got - start));
    if (end == nullptr && from + got < size_) {
        const std::size_t at = from + start;
        got = readAt(at, kLongestLine);
        start = 0;
        end = static_cast<const char*>(std::memchr(room_.data(), '\n', got));
        if (end == nullptr && at + got < size_) {
            line = {at, at + got, false, 0};
            return true;
        }
        text.assign(static_cast<const char*>(room_.data()),
                    end != nullptr ? end : room_.data() + got);
        line.start = at;
    } else {
        const char* first = room_.data() + start;
        text.assign(first, end != nullptr ? end : room_.data() + got);
        line.start = from + start;
    }
    line.end = std::min(size_, line.start + text.size() + 1);
    line.isGlyph = hexLineCharacter(text, line.character);
    return true;
}

bool HexFontFile::firstAtOrAbove(char32_t character, std::size_t from, std::size_t& found) {
    // Lines starting before `low` are below `character`; the first line at or
    // after `high` is not, and the code points seen so far lie between
    // `lowest` and `highest`.
    std::size_t low = from;
    std::size_t high = size_;
    char32_t lowest = 0;
    char32_t highest = 0x10FFFF;
    HexFontLine line;
    std::string text;
    while (high - low > kReadThrough) {
        const std::size_t middle = low + (high - low) / 2;
        if (!lineFrom(middle, line, text) || line.start >= high) {
            high = middle;
            continue;
        }
        if (!line.isGlyph || line.character < lowest || line.character > highest) return false;
        if (line.character < character) {
            low = line.end;
            lowest = line.character;
        } else {
            high = line.start;
            highest = line.character;
        }
    }
    for (found = low; lineFrom(found, line, text); found = line.end) {
        if (!line.isGlyph || line.character < lowest || line.character > highest) return false;
        if (line.character >= character) break;
        lowest = line.character;
    }
    if (found >= size_) found = size_;
    return !failed_;
}
