#include "foundation/utf8_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "foundation/text_encoding.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <immintrin.h>
#define CJK_UTF8_SCAN_AVX2 1
#endif

namespace {

#ifdef CJK_UTF8_SCAN_AVX2

// Where a text known to be UTF-8 before `at`, except perhaps a character
// cut off just before it, has its last character start: the first byte
// back from `at` that is no trail byte, at most four back.
std::size_t characterStartBefore(std::string_view bytes, std::size_t at) {
    for (int back = 0; back < 4 && at > 0; ++back) {
        --at;
        if ((static_cast<unsigned char>(bytes[at]) & 0xC0) != 0x80) return at;
    }
    return at;
}

// Whether the processor has AVX2 and the system keeps its registers. Asked
// the first time a text is checked, not at start-up: each question to the
// processor traps in a virtual machine, and a start-up constructor (as
// __builtin_cpu_supports brings) would cost every run of the tools.
bool hasAvx2() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return false;
    if ((ecx & bit_OSXSAVE) == 0 || (ecx & bit_AVX) == 0) return false;
    unsigned low = 0, high = 0;
    __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    if ((low & 6) != 6) return false;  // the system does not keep XMM and YMM state
    if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
    return (ebx & bit_AVX2) != 0;
}

// Thirty-two bytes at a time, after the lookup method of Keiser and Lemire
// ("Validating UTF-8 in less than one instruction per byte", 2021): three
// table look-ups of the high and low halves of each byte and of the byte
// before it flag every error of a two-byte window; the bytes two and three
// before a byte say whether it must be a third or fourth byte. A flag comes
// up at the byte after the error starts, or within the next block for a
// character cut off at a block's end.
namespace lookup {

constexpr uint8_t kTooShort = 1 << 0;      // a lead, then no trail
constexpr uint8_t kTooLong = 1 << 1;       // ASCII, then a trail
constexpr uint8_t kOverlong3 = 1 << 2;     // E0, then 80 to 9F
constexpr uint8_t kTooLarge = 1 << 3;      // F4, then 90 to BF; F5 to FF
constexpr uint8_t kSurrogate = 1 << 4;     // ED, then A0 to BF
constexpr uint8_t kOverlong2 = 1 << 5;     // C0 or C1
constexpr uint8_t kTooLarge1000 = 1 << 6;  // F5 to FF, then 80 to 8F
constexpr uint8_t kOverlong4 = 1 << 6;     // F0, then 80 to 8F
constexpr uint8_t kTwoTrails = 1 << 7;     // a trail after a trail
constexpr uint8_t kCarry = kTooShort | kTooLong | kTwoTrails;

__attribute__((target("avx2"))) __m256i table(const uint8_t (&values)[16]) {
    const __m128i half = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values));
    return _mm256_broadcastsi128_si256(half);
}

// By the high half of the byte before, its low half, and the high half of
// the byte itself; a flag in all three is an error.
// clang-format off
constexpr uint8_t kFirstHigh[16] = {
    // 0 to 7: ASCII
    kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
    // 8 to B: a trail
    kTwoTrails, kTwoTrails, kTwoTrails, kTwoTrails,
    // C, D: the lead of two bytes; E: of three; F: of four
    kTooShort | kOverlong2,
    kTooShort,
    kTooShort | kOverlong3 | kSurrogate,
    kTooShort | kTooLarge | kTooLarge1000 | kOverlong4};
constexpr uint8_t kFirstLow[16] = {
    kCarry | kOverlong3 | kOverlong2 | kOverlong4,  // 0
    kCarry | kOverlong2,                            // 1
    kCarry,
    kCarry,
    kCarry | kTooLarge,                             // 4
    kCarry | kTooLarge | kTooLarge1000,             // 5 to C
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000,
    kCarry | kTooLarge | kTooLarge1000 | kSurrogate,  // D
    kCarry | kTooLarge | kTooLarge1000,             // E, F
    kCarry | kTooLarge | kTooLarge1000};
constexpr uint8_t kSecondHigh[16] = {
    // 0 to 7: ASCII
    kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
    // 8, 9, A and B: a trail
    kTooLong | kOverlong2 | kTwoTrails | kOverlong3 | kTooLarge1000 | kOverlong4,
    kTooLong | kOverlong2 | kTwoTrails | kOverlong3 | kTooLarge,
    kTooLong | kOverlong2 | kTwoTrails | kSurrogate | kTooLarge,
    kTooLong | kOverlong2 | kTwoTrails | kSurrogate | kTooLarge,
    // C to F: a lead
    kTooShort, kTooShort, kTooShort, kTooShort};
// clang-format on

}  // namespace lookup

// The bytes of `current` moved on by `count`, the last of `previous` coming
// in first.
template <int count>
__attribute__((target("avx2"))) __m256i before(__m256i current, __m256i previous) {
    return _mm256_alignr_epi8(current, _mm256_permute2x128_si256(previous, current, 0x21),
                              16 - count);
}

// The offset of the first block's start up to which every byte has been
// found to be UTF-8, but for a character that may be cut off there.
__attribute__((target("avx2"))) std::size_t utf8BlocksEnd(std::string_view bytes) {
    using namespace lookup;
    const __m256i firstHigh = table(kFirstHigh);
    const __m256i firstLow = table(kFirstLow);
    const __m256i secondHigh = table(kSecondHigh);
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    // A block that ends within a character leaves a byte above these.
    const __m256i cutOff =
        _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, static_cast<char>(0xF0 - 1),
                         static_cast<char>(0xE0 - 1), static_cast<char>(0xC0 - 1));
    __m256i previous = _mm256_setzero_si256();
    __m256i pending = _mm256_setzero_si256();  // a character cut off by the last block
    std::size_t at = 0;
    for (; bytes.size() - at >= 32; at += 32) {
        const __m256i input =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes.data() + at));
        __m256i errors;
        if (_mm256_movemask_epi8(input) == 0) {
            errors = pending;
        } else {
            const __m256i one = before<1>(input, previous);
            const __m256i high1 = _mm256_shuffle_epi8(
                firstHigh, _mm256_and_si256(_mm256_srli_epi16(one, 4), lowNibble));
            const __m256i low1 = _mm256_shuffle_epi8(firstLow, _mm256_and_si256(one, lowNibble));
            const __m256i high2 = _mm256_shuffle_epi8(
                secondHigh, _mm256_and_si256(_mm256_srli_epi16(input, 4), lowNibble));
            const __m256i special = _mm256_and_si256(_mm256_and_si256(high1, low1), high2);
            const __m256i third = _mm256_subs_epu8(
                before<2>(input, previous), _mm256_set1_epi8(static_cast<char>(0xE0 - 0x80)));
            const __m256i fourth = _mm256_subs_epu8(
                before<3>(input, previous), _mm256_set1_epi8(static_cast<char>(0xF0 - 0x80)));
            const __m256i trailWanted = _mm256_and_si256(_mm256_or_si256(third, fourth),
                                                         _mm256_set1_epi8(static_cast<char>(0x80)));
            errors = _mm256_xor_si256(trailWanted, special);
        }
        if (!_mm256_testz_si256(errors, errors)) return at;
        pending = _mm256_subs_epu8(input, cutOff);
        previous = input;
    }
    return at;
}

#endif

}  // namespace

std::size_t firstNonUtf8ByCharacters(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        // The codes, weights and blanks of a table: eight bytes at a time up
        // to the next byte that is not ASCII.
        if (bytes.size() - at >= 8) {
            uint64_t word = 0;
            std::memcpy(&word, bytes.data() + at, 8);
            const uint64_t high = word & 0x8080808080808080u;
            if (high == 0) {
                at += 8;
                continue;
            }
            at += static_cast<std::size_t>(std::countr_zero(high)) / 8;
        }
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // Most characters of a CJK table: three bytes led by E1 to EC or EE
        // to EF, which can be neither overlong nor a surrogate.
        if (lead >= 0xE1 && lead != 0xED && lead <= 0xEF && bytes.size() - at >= 3 &&
            (static_cast<unsigned char>(bytes[at + 1]) & 0xC0) == 0x80 &&
            (static_cast<unsigned char>(bytes[at + 2]) & 0xC0) == 0x80) {
            at += 3;
            continue;
        }
        const int length = utf8Length(bytes.substr(at));
        if (length == 0) return at;
        at += static_cast<std::size_t>(length);
    }
    return std::string_view::npos;
}

std::size_t firstNonUtf8(std::string_view bytes) {
    std::size_t checked = 0;
#ifdef CJK_UTF8_SCAN_AVX2
    // The blocks pass what is UTF-8; from the last character they have not
    // seen whole, a reading by characters finds the offset of an error.
    static const bool avx2 = hasAvx2();
    if (avx2) checked = characterStartBefore(bytes, utf8BlocksEnd(bytes));
#endif
    const std::size_t bad = firstNonUtf8ByCharacters(bytes.substr(checked));
    return bad == std::string_view::npos ? bad : checked + bad;
}
