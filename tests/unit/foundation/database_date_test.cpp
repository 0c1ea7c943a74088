#include "foundation/database_date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

TEST(DatabaseDate, SourceDateEpochValues) {
    const struct {
        const char* value;
        std::optional<uint32_t> date;
    } cases[] = {
        {"0", 2082844800u},
        {"1000000000", 0xB7C07A80u},
        {"0001000000000", 0xB7C07A80u},
        {"2212122495", 0xFFFFFFFFu},  // the last second the field holds
        {"2212122496", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1.5", std::nullopt},
        {"0x10", std::nullopt},
        {"1e9", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sourceDateEpochDate(c.value), c.date) << '"' << c.value << '"';
    }
}

TEST(DatabaseDate, ChoiceFollowsTheVariable) {
    const struct {
        const char* value;  // nullptr: unset
        bool fixed;
        bool unusable;
    } cases[] = {
        {nullptr, false, false},
        {"", false, false},
        {"yesterday", false, true},
        {"1000000000", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value == nullptr ? "unset" : c.value);
        if (c.value == nullptr) {
            unsetenv(kSourceDateEpochName);
        } else {
            setenv(kSourceDateEpochName, c.value, 1);
        }
        const uint32_t before = currentDatabaseDate();
        const ChosenDatabaseDate chosen = chooseDatabaseDate();
        EXPECT_EQ(chosen.epochUnusable, c.unusable);
        if (c.fixed) {
            EXPECT_EQ(chosen.date, 0xB7C07A80u);
        } else {
            EXPECT_GE(chosen.date, before);
            EXPECT_LE(chosen.date, currentDatabaseDate());
        }
    }
    unsetenv(kSourceDateEpochName);
}

}  // namespace
