#include "foundation/database_date.h"

#include <cstdlib>

std::optional<uint32_t> sourceDateEpochDate(std::string_view value) {
    if (value.empty()) return std::nullopt;
    uint64_t seconds = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return std::nullopt;
        seconds = seconds * 10 + static_cast<uint64_t>(c - '0');
        if (seconds > kLatestDatableEpoch) return std::nullopt;
    }
    return static_cast<uint32_t>(seconds) + kSecondsFrom1904To1970;
}

ChosenDatabaseDate chooseDatabaseDate() {
    const char* value = std::getenv(kSourceDateEpochName);
    if (value == nullptr || *value == '\0') return {currentDatabaseDate(), false};
    if (const auto date = sourceDateEpochDate(value)) return {*date, false};
    return {currentDatabaseDate(), true};
}
