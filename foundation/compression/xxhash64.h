// XXH64, the checksum of zstd frames.
#pragma once

#include <cstdint>
#include <string_view>

uint64_t xxhash64(std::string_view bytes, uint64_t seed = 0);
