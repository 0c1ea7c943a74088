#include "foundation/database_date.h"

#include <gtest/gtest.h>

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

}  // namespace
