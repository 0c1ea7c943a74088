// Reading the binary tables of the desktop input methods: numbers of either
// byte order at offsets that are checked against the bytes first, so that
// no count or offset a damaged file gives can lead past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/big_endian.h"
#include "foundation/input_file.h"
#include "foundation/little_endian.h"

class TableBytes {
  public:
    explicit TableBytes(std::string_view bytes, bool bigEndian = false)
        : bytes_(bytes), bigEndian_(bigEndian) {}

    std::size_t size() const { return bytes_.size(); }
    // Whether `count` bytes from `at` lie in the table (no overflow).
    bool holds(std::size_t at, std::size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    // The number at `at`, in the table's byte order; the caller has checked
    // that the bytes are there.
    uint32_t u32(std::size_t at) const {
        return bigEndian_ ? getU32BE(data(at)) : getU32LE(data(at));
    }
    uint16_t u16(std::size_t at) const {
        return bigEndian_ ? getU16BE(data(at)) : getU16LE(data(at));
    }
    uint64_t u64(std::size_t at) const {
        const uint64_t first = u32(at);
        const uint64_t second = u32(at + 4);
        return bigEndian_ ? (first << 32) | second : (second << 32) | first;
    }
    uint8_t u8(std::size_t at) const { return static_cast<uint8_t>(bytes_[at]); }
    std::string_view view(std::size_t at, std::size_t count) const {
        return bytes_.substr(at, count);
    }
    // The bytes from `at` up to the first NUL within `count` bytes.
    std::string_view cString(std::size_t at, std::size_t count) const {
        const std::string_view field = bytes_.substr(at, count);
        return field.substr(0, std::min(field.find('\0'), field.size()));
    }

  private:
    const uint8_t* data(std::size_t at) const {
        return reinterpret_cast<const uint8_t*>(bytes_.data()) + at;
    }

    std::string_view bytes_;
    bool bigEndian_;
};

// Whether `text` is UTF-8 that can stand as one field of a text table's
// line: not empty, no longer than an entry's code or text can be, and no
// line break, tab, blank or NUL in it.
bool isTableField(std::string_view text);

// The text form of a binary table as it is made, held to the size of the
// largest text file either tool reads.
class TableText {
  public:
    // Appends "code value\n", or with a weight "code\tvalue\tweight\n",
    // when both can stand as fields of a line, UTF-8 or not (the value may
    // hold blanks); false, with nothing appended, when either cannot.
    bool line(std::string_view code, std::string_view value, std::string_view weight = {});
    void append(std::string_view text);
    // Whether some text was refused for the size.
    bool tooLarge() const { return tooLarge_; }
    std::string& text() { return text_; }

  private:
    std::string text_;
    bool tooLarge_ = false;
};
