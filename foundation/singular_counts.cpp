#include "foundation/singular_counts.h"

#include <cctype>
#include <cstring>
#include <string_view>

namespace {

struct NounForms {
    std::string_view plural;
    std::string_view singular;
};

// Longer phrases before the nouns they begin with.
constexpr NounForms kNouns[] = {
    {"characters can't be written in %s and were", "character can't be written in %s and was"},
    {"characters can't be written", "character can't be written"},
    {"single characters", "single character"},
    {"more warnings", "more warning"},
    {"user phrases", "user phrase"},
    {"codes differ", "code differs"},
    {"characters", "character"},
    {"phrases", "phrase"},
    {"entries", "entry"},
    {"checks", "check"},
    {"words", "word"},
    {"codes", "code"},
    {"marks", "mark"},
};

// A compile's closing count keeps its one form whatever the count: tools
// that read a compile's output look for it as it has always been.
constexpr std::string_view kKeptAsWritten[] = {"Total %d phrases"};

// The noun that `rest` begins with, or nullptr.
const NounForms* nounAt(std::string_view rest) {
    for (const NounForms& noun : kNouns) {
        if (!rest.starts_with(noun.plural)) continue;
        const std::size_t end = noun.plural.size();
        if (end < rest.size() && std::isalpha(static_cast<unsigned char>(rest[end]))) continue;
        return &noun;
    }
    return nullptr;
}

// Takes from `args` the argument of the conversion that starts with the
// '%' at `percent` ("%%" takes none) and gives the position of its last
// character, or npos for a conversion it does not know.
std::size_t takeArgument(std::string_view text, std::size_t percent, va_list& args,
                         long long& integer) {
    std::size_t end = percent + 1;
    while (end < text.size() && std::strchr("-+ #0123456789.", text[end]) != nullptr) ++end;
    const std::size_t lengthStart = end;
    while (end < text.size() && std::strchr("hlz", text[end]) != nullptr) ++end;
    if (end >= text.size()) return std::string_view::npos;
    const std::string_view length = text.substr(lengthStart, end - lengthStart);
    switch (text[end]) {
        case '%':
            return end;
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            if (length.empty() || length == "h" || length == "hh") {
                integer = va_arg(args, int);
            } else if (length == "l") {
                integer = va_arg(args, long);
            } else if (length == "ll") {
                integer = va_arg(args, long long);
            } else if (length == "z") {
                integer = static_cast<long long>(va_arg(args, std::size_t));
            } else {
                return std::string_view::npos;
            }
            return end;
        case 'c':
            integer = va_arg(args, int);
            return end;
        case 's':
        case 'p':
            va_arg(args, const void*);
            return end;
        default:
            return std::string_view::npos;
    }
}

}  // namespace

std::string singularCountsFormat(const char* format, va_list args) {
    const std::string_view text = format;
    for (std::string_view kept : kKeptAsWritten) {
        if (text == kept) return std::string(text);
    }
    va_list walk;
    va_copy(walk, args);
    std::string result;
    std::size_t at = 0;
    for (std::size_t percent = text.find('%'); percent != std::string_view::npos;
         percent = text.find('%', at)) {
        long long integer = 0;
        const std::size_t conversion = takeArgument(text, percent, walk, integer);
        if (conversion == std::string_view::npos) break;
        result.append(text.substr(at, conversion + 1 - at));
        at = conversion + 1;
        if (text[conversion] != 'd' || integer != 1 || !text.substr(at).starts_with(' ')) continue;
        const NounForms* noun = nounAt(text.substr(at + 1));
        if (noun == nullptr) continue;
        // The phrase's own conversions take their arguments as written.
        for (std::size_t inner = noun->plural.find('%'); inner != std::string_view::npos;
             inner = noun->plural.find('%', inner + 1)) {
            takeArgument(text, at + 1 + inner, walk, integer);
        }
        result.append(" ").append(noun->singular);
        at += 1 + noun->plural.size();
    }
    va_end(walk);
    result.append(text.substr(at));
    return result;
}

std::string singularCountsFormatOf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result = singularCountsFormat(format, args);
    va_end(args);
    return result;
}
