#include "foundation/singular_counts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

// Every case formats "(text) (count) (count)": the conversions before a
// count must take their arguments, or the count read is the wrong one.
struct CountCase {
    const char* format;
    int first;
    int second;
    const char* expected;
};

TEST(SingularCounts, TakesEachNounFromItsOwnCount) {
    const CountCase cases[] = {
        {"%s: %d words kept", 1, 0, "%s: %d word kept"},
        {"%s: %d words kept", 2, 0, "%s: %d words kept"},
        {"%s %d single characters and %d words kept", 1, 1,
         "%s %d single character and %d word kept"},
        {"%s %d single characters and %d words kept", 2, 1,
         "%s %d single characters and %d word kept"},
        {"%s %d characters can't be written in %s and were left out", 1, 0,
         "%s %d character can't be written in %s and was left out"},
        {"%s %d wordsmiths", 1, 0, "%s %d wordsmiths"},
        {"%s %5d%% of %d entries", 1, 1, "%s %5d%% of %d entry"},
        {"%s %f %d words", 1, 1, "%s %f %d words"},
        {"Total %d phrases", 1, 1, "Total %d phrases"},
    };
    for (const CountCase& c : cases) {
        const std::string format = c.format;
        const bool takesDouble = format.find("%f") != std::string::npos;
        const std::string result =
            takesDouble ? singularCountsFormatOf(c.format, "x", 1.0, c.first, c.second)
                        : singularCountsFormatOf(c.format, "x", c.first, c.second, "y");
        EXPECT_EQ(result, c.expected) << c.format << " with " << c.first << ", " << c.second;
    }
    EXPECT_EQ(singularCountsFormatOf("%c%zu %d checks", 'a', std::size_t{7}, 1), "%c%zu %d check");
}

}  // namespace
