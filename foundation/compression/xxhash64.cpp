#include "foundation/compression/xxhash64.h"

#include <bit>

#include "foundation/little_endian.h"

namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;
constexpr std::size_t kStripe = 32;

uint64_t u64At(const uint8_t* at) {
    return getU32LE(at) | uint64_t{getU32LE(at + 4)} << 32;
}

uint64_t round(uint64_t accumulator, uint64_t input) {
    return std::rotl(accumulator + input * kPrime2, 31) * kPrime1;
}

uint64_t merge(uint64_t hash, uint64_t accumulator) {
    return (hash ^ round(0, accumulator)) * kPrime1 + kPrime4;
}

}  // namespace

uint64_t xxhash64(std::string_view bytes, uint64_t seed) {
    const auto* at = reinterpret_cast<const uint8_t*>(bytes.data());
    const uint8_t* const end = at + bytes.size();
    uint64_t hash = seed + kPrime5;
    if (bytes.size() >= kStripe) {
        uint64_t lanes[4] = {seed + kPrime1 + kPrime2, seed + kPrime2, seed, seed - kPrime1};
        for (; end - at >= static_cast<std::ptrdiff_t>(kStripe); at += kStripe)
            for (int lane = 0; lane < 4; ++lane)
                lanes[lane] = round(lanes[lane], u64At(at + 8 * lane));
        hash = std::rotl(lanes[0], 1) + std::rotl(lanes[1], 7) + std::rotl(lanes[2], 12) +
               std::rotl(lanes[3], 18);
        for (const uint64_t lane : lanes) hash = merge(hash, lane);
    }
    hash += bytes.size();
    for (; end - at >= 8; at += 8)
        hash = std::rotl(hash ^ round(0, u64At(at)), 27) * kPrime1 + kPrime4;
    if (end - at >= 4) {
        hash = std::rotl(hash ^ (getU32LE(at) * kPrime1), 23) * kPrime2 + kPrime3;
        at += 4;
    }
    for (; at < end; ++at) hash = std::rotl(hash ^ (*at * kPrime5), 11) * kPrime1;
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    hash *= kPrime3;
    hash ^= hash >> 32;
    return hash;
}
