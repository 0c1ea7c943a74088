#include "ime/candidate_order.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "foundation/character_weights.h"
#include "foundation/input_file.h"
#include "foundation/output_file.h"
#include "foundation/span_reorder.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_source.h"
#include "ime/compile_driver.h"
#include "ime/messages.h"

namespace {

// The length of the character at `at`, or 0 when none starts there.
std::size_t characterAt(const LeadTrailBytes& set, bool utf8, std::string_view line,
                        std::size_t at) {
    if (utf8) {
        const int length = utf8Length(line.substr(at));
        return length >= 2 ? static_cast<std::size_t>(length) : 0;
    }
    return at + 1 < line.size() && set.startsChar(line.data() + at) ? 2 : 0;
}

// The places of a code table's characters: for every (code, character)
// pair, each time the text says it, a refused repetition included, so that
// the first time a character is said under its code stays the place of its
// candidate.
class PlaceFinder {
  public:
    PlaceFinder(const InputMethod& im, bool utf8)
        : utf8_(utf8), set_(im.charSet), table_(im.charSet), converter_(im.charSet) {
        for (uint32_t code = 0; code < im.codes.size(); ++code)
            numbers_.emplace(im.codes[code], code);
        for (const CodeTableEntry& entry : im.entries)
            pairs_.insert(pairOf(entry.code, indexOf(entry.character.bytes().data())));
    }

    void addPlaces(std::string_view line, std::size_t start, std::vector<CharacterPlace>& places) {
        std::size_t at = 0;
        while (at < line.size() && isBlank(line[at])) ++at;
        const std::size_t codeAt = at;
        while (at < line.size() && !isBlank(line[at]) && characterAt(set_, utf8_, line, at) == 0)
            ++at;
        const auto found = numbers_.find(line.substr(codeAt, at - codeAt));
        if (found == numbers_.end()) return;
        for (;;) {
            while (at < line.size() && isBlank(line[at])) ++at;
            const std::size_t length = at < line.size() ? characterAt(set_, utf8_, line, at) : 0;
            if (length == 0) return;
            const std::string_view character = line.substr(at, length);
            const std::string bytes =
                utf8_ ? converter_.fromUtf8(character) : std::string(character);
            if (bytes.size() == 2 && set_.startsChar(bytes.data())) {
                const unsigned index = indexOf(bytes.data());
                if (pairs_.contains(pairOf(found->second, index))) {
                    places.push_back({start + at, length, found->second, index});
                }
            }
            at += length;
        }
    }

  private:
    static uint64_t pairOf(uint32_t code, unsigned index) { return uint64_t{code} << 32 | index; }
    unsigned indexOf(const char* bytes) const {
        return static_cast<unsigned>(table_.indexOf(bytes));
    }

    bool utf8_;
    LeadTrailBytes set_;
    DoubleByteTable table_;
    CharSetConverter converter_;
    std::unordered_map<std::string_view, uint32_t> numbers_;
    std::unordered_set<uint64_t> pairs_;
};

}  // namespace

std::vector<CharacterPlace> characterPlaces(const InputMethod& im, const std::string& bytes,
                                            bool utf8) {
    std::vector<CharacterPlace> places;
    if (im.entries.empty()) return places;
    PlaceFinder finder(im, utf8);
    // [Text] runs to the end of the source, from before its first pair's line.
    const uint32_t firstLine = im.entries.front().line;
    std::size_t start = 0;
    for (uint32_t lineNumber = 1; start < bytes.size(); ++lineNumber) {
        const std::size_t stop = std::min(bytes.find('\n', start), bytes.size());
        if (lineNumber >= firstLine) {
            finder.addPlaces(std::string_view(bytes).substr(start, stop - start), start, places);
        }
        start = stop + 1;
    }
    return places;
}

int orderByWeight(const InputMethod& im, const std::vector<long long>& weights, bool utf8,
                  std::string& bytes) {
    const std::vector<CharacterPlace> places = characterPlaces(im, bytes, utf8);
    std::vector<std::vector<WeightedSpan>> byCode(im.codes.size());
    for (const CharacterPlace& place : places) {
        byCode[place.code].push_back(
            {place.at, place.length, place.index < weights.size() ? weights[place.index] : 0});
    }
    return reorderSpans(byCode, bytes);
}

int orderCandidates(CMabrel& mabrel, const char* source, const char* frequencies,
                    const char* destination) {
    if (int rc = readSourceFile(mabrel, source)) return rc;
    const bool utf8 = sourceReadAsUtf8();
    FrequencySource weights;
    if (int rc = readFrequencySource(frequencies, {kKeyTable}, weights)) return rc;
    std::string bytes;
    if (int rc = readInputFile(source, bytes, kReadFileError)) return rc;
    const int reordered =
        orderByWeight(mabrel.im, charSetWeights(weights, mabrel.im.charSet).byIndex, utf8, bytes);
    OutputFile output;
    if (int rc = output.open(destination)) return rc;
    if (int rc = output.commit(bytes)) return rc;
    report(kCodesReordered, reordered);
    return 0;
}
