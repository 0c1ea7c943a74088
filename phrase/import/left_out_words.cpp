#include "phrase/import/left_out_words.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "foundation/text_encoding.h"
#include "phrase/left_out_phrases.h"

namespace {

// The UTF-8 form of each character as the conversion of a whole list gives
// it, found once. A character has one form of its own when its bytes are
// read as one character whatever follows (two bytes that start one, or an
// ASCII byte); a word with any other is converted whole, as the list would
// be.
class CharacterForms {
  public:
    explicit CharacterForms(CharSet charSet)
        : charSet_(charSet), converter_(charSet), bytes_(charSet), forms_(bytes_.count()) {}

    // Puts the word's form at `out` and returns its size, or returns 0 when
    // it has a character without a form of its own.
    std::size_t put(std::span<const uint16_t> word, char* out) {
        char* const start = out;
        for (const uint16_t index : word) {
            const Form& form = formOf(index);
            if (form.size == 0) return 0;
            std::memcpy(out, form.bytes, sizeof form.bytes);
            out += form.size;
        }
        return static_cast<std::size_t>(out - start);
    }

    // The word converted whole, between the tabs that stand around it.
    std::string converted(std::span<const uint16_t> word) {
        std::string text;
        for (const uint16_t index : word) bytes_.append(index, text);
        text += '\t';
        text = converter_.textToUtf8(text);
        text.pop_back();
        return text;
    }

    static constexpr std::size_t kLongestForm = 8;

  private:
    struct Form {
        char bytes[kLongestForm];
        uint8_t size = 0;
        bool known = false;
    };

    const Form& formOf(uint16_t index) {
        Form& form = forms_[index];
        if (form.known) return form;
        form.known = true;
        char bytes[2];
        const std::size_t length = bytes_.put(index, bytes);
        const bool alone = length == 2 ? startsWithDoubleByteChar(charSet_, bytes, 2)
                                       : length == 1 && static_cast<uint8_t>(bytes[0]) < 0x80;
        if (!alone) return form;
        // What the conversion of a whole text writes for the character; one
        // without a UTF-8 form is left to the conversion of its word.
        const std::string utf8 =
            length == 1 ? std::string(1, bytes[0]) : converter_.toUtf8({bytes, length});
        if (utf8.empty() || utf8.size() > kLongestForm) return form;
        utf8.copy(form.bytes, utf8.size());
        form.size = static_cast<uint8_t>(utf8.size());
        return form;
    }

    CharSet charSet_;
    CharSetConverter converter_;
    CharacterBytes bytes_;
    std::vector<Form> forms_;
};

constexpr std::size_t kLineDigits = 10;
constexpr std::size_t kLongestReason = 24;

// A line number in decimal, counted up one at a time.
class DecimalLine {
  public:
    explicit DecimalLine(int line) {
        const std::size_t length = static_cast<std::size_t>(
            std::to_chars(digits_, digits_ + kLineDigits, line).ptr - digits_);
        std::memmove(digits_ + kLineDigits - length, digits_, length);
        std::memset(digits_, '0', kLineDigits - length);
        first_ = kLineDigits - length;
    }
    void next() {
        std::size_t at = kLineDigits;
        while (at > 0 && digits_[at - 1] == '9') digits_[--at] = '0';
        if (at == 0) return;  // beyond ten digits: not met, lines are counted in an int
        ++digits_[at - 1];
        first_ = std::min(first_, at - 1);
    }
    // Puts the digits at `out`, which has room for kLineDigits; returns the end.
    char* put(char* out) const {
        std::memcpy(out, digits_, kLineDigits);
        std::memmove(out, out + first_, kLineDigits - first_);
        return out + (kLineDigits - first_);
    }

  private:
    char digits_[kLineDigits] = {};
    std::size_t first_ = 0;
};

// A reason with the tab before it and the line feed after, in room of a
// fixed size, so that it is copied whole.
struct ReasonText {
    char bytes[kLongestReason + 2] = {};
    std::size_t size = 0;
    explicit ReasonText(std::string_view reason) : size(reason.size() + 2) {
        bytes[0] = '\t';
        reason.copy(bytes + 1, reason.size());
        bytes[reason.size() + 1] = '\n';
    }
};

}  // namespace

void writeLeftOutWords(const LeftOutWords& leftOut, OutputPieces& pieces) {
    CharacterForms forms(leftOut.charSet);
    constexpr std::size_t kLongestLine =
        kLineDigits + kMaxPhraseLength * CharacterForms::kLongestForm + kLongestReason + 3;
    DecimalLine line(leftOut.firstLine);
    const ReasonText reasons[] = {ReasonText(leftOutReason(false)),
                                  ReasonText(leftOutReason(true))};
    // The words lie in the pool in another order: each is asked of memory
    // some words ahead of its turn.
    constexpr std::size_t kAhead = 16;
    const std::size_t count = leftOut.words.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) __builtin_prefetch(&leftOut.characters[leftOut.starts[i + kAhead]]);
        const uint8_t word = leftOut.words[i];
        if ((word & LeftOutWords::kLeftOut) == 0) {
            line.next();
            continue;
        }
        const std::span<const uint16_t> characters(&leftOut.characters[leftOut.starts[i]],
                                                   word & LeftOutWords::kLength);
        const ReasonText& reason = reasons[(word & LeftOutWords::kForBlock) != 0];
        char* begin = pieces.room(kLongestLine);
        char* out = line.put(begin);
        line.next();
        *out++ = '\t';
        const std::size_t size = forms.put(characters, out);
        if (size == 0) {
            pieces.wrote(static_cast<std::size_t>(out - begin));
            pieces.append(forms.converted(characters));
            begin = out = pieces.room(kLongestReason + 2);
        }
        out += size;
        std::memcpy(out, reason.bytes, sizeof reason.bytes);
        out += reason.size;
        pieces.wrote(static_cast<std::size_t>(out - begin));
    }
}
