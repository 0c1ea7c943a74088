// Big-endian numbers in byte buffers. Every database number is stored this
// way, so every reader and writer goes through these helpers.
#pragma once

#include <cstdint>
#include <vector>

inline void putU16BE(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

inline void putU32BE(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

inline uint16_t getU16BE(const uint8_t* in) {
    return static_cast<uint16_t>((in[0] << 8) | in[1]);
}

inline uint32_t getU32BE(const uint8_t* in) {
    return (uint32_t{in[0]} << 24) | (uint32_t{in[1]} << 16) | (uint32_t{in[2]} << 8) |
           uint32_t{in[3]};
}

inline void appendU16BE(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

inline void appendU32BE(std::vector<uint8_t>& out, uint32_t value) {
    appendU16BE(out, static_cast<uint16_t>(value >> 16));
    appendU16BE(out, static_cast<uint16_t>(value));
}

// Reads fields one after the other from bytes whose length the caller has
// checked against the layout.
class BigEndianReader {
  public:
    explicit BigEndianReader(const uint8_t* in) : at_(in) {}
    uint8_t u8() { return *at_++; }
    uint16_t u16() {
        const uint16_t value = getU16BE(at_);
        at_ += 2;
        return value;
    }
    uint32_t u32() {
        const uint32_t value = getU32BE(at_);
        at_ += 4;
        return value;
    }
    template <class Byte>
    void bytes(Byte* out, int count) {
        for (int i = 0; i < count; ++i) out[i] = static_cast<Byte>(*at_++);
    }

  private:
    const uint8_t* at_;
};

// Appends fields one after the other.
class BigEndianWriter {
  public:
    explicit BigEndianWriter(std::vector<uint8_t>& out) : out_(out) {}
    void u8(uint8_t value) { out_.push_back(value); }
    void u16(uint16_t value) { appendU16BE(out_, value); }
    void u32(uint32_t value) { appendU32BE(out_, value); }
    template <class Byte>
    void bytes(const Byte* in, int count) {
        for (int i = 0; i < count; ++i) out_.push_back(static_cast<uint8_t>(in[i]));
    }
    void zeros(int count) { out_.insert(out_.end(), static_cast<std::size_t>(count), 0); }

  private:
    std::vector<uint8_t>& out_;
};

// A fixed record is written and read by one function that visits its fields
// in layout order with either of these, so that the two directions can never
// disagree on an offset:
//   template <class Fields, class Record> void visitFields(Fields& f, Record& r) {
//       f.u16(r.version); f.bytes(r.name, 32); ...
//   }
struct FieldWriter {
    BigEndianWriter out;
    void u8(uint8_t value) { out.u8(value); }
    void u16(uint16_t value) { out.u16(value); }
    void u32(uint32_t value) { out.u32(value); }
    template <class Byte>
    void bytes(const Byte* in, int count) {
        out.bytes(in, count);
    }
};

struct FieldReader {
    BigEndianReader in;
    void u8(uint8_t& value) { value = in.u8(); }
    void u16(uint16_t& value) { value = in.u16(); }
    void u32(uint32_t& value) { value = in.u32(); }
    template <class Byte>
    void bytes(Byte* out, int count) {
        in.bytes(out, count);
    }
};
