// The date both tools stamp on a database: the current time, or the moment
// named by SOURCE_DATE_EPOCH, so that the same source can give the same bytes
// on every run.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "foundation/database_container.h"

inline constexpr const char* kSourceDateEpochName = "SOURCE_DATE_EPOCH";

// The latest Unix time whose database date still fits the 32-bit field.
inline constexpr uint32_t kLatestDatableEpoch = UINT32_MAX - kSecondsFrom1904To1970;

// The database date of a SOURCE_DATE_EPOCH value: a plain decimal number of
// seconds since 1970 (digits only, leading zeros allowed) up to
// kLatestDatableEpoch. Anything else, the empty text too, gives nullopt.
std::optional<uint32_t> sourceDateEpochDate(std::string_view value);

struct ChosenDatabaseDate {
    uint32_t date;
    bool epochUnusable;  // SOURCE_DATE_EPOCH was set but could not be used
};

// The date for a database written now: SOURCE_DATE_EPOCH's moment when it is
// usable, else the current time. An unset and an empty variable count alike.
ChosenDatabaseDate chooseDatabaseDate();
