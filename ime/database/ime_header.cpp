#include "ime/database/ime_header.h"

#include <cassert>

#include "foundation/big_endian.h"

namespace {

// Both directions walk the fields in layout order through one function, so
// that the two can never disagree on an offset.
template <class Fields, class Header>
void visitFields(Fields& field, Header& h) {
    field.u16(h.version);
    field.u16(h.charSet);
    field.u16(h.minHZIndex);
    field.u16(h.maxHZIndex);
    field.u32(h.hzTotal);
    field.bytes(h.id, 4);
    field.bytes(h.reserved1, 4);
    field.u8(h.noSort);
    field.u8(h.codingStyle);
    field.u8(h.indexDepth);
    field.u8(h.codingSubtype);
    field.u16(h.ruleCount);
    field.u16(h.ruleSize);
    field.u16(h.minRuleItems);
    field.u16(h.maxRuleItems);
    field.u16(h.bitsPerCode);
    field.u16(h.codeHeadBytes);
    field.u16(h.codeRestBytes);
    field.u16(h.repeatCount);
    field.u8(h.wildChar);
    field.u8(h.separateChar);
    field.u16(h.autoSelectKeys);
    field.u16(h.maxCodes);
    field.u16(h.usedCodeCount);
    field.bytes(h.usedCodes, 64);
    field.bytes(h.tuneCodes, 16);
    field.bytes(h.fullName, 32);
    field.bytes(h.name, 16);
    field.bytes(h.versionText, 16);
    field.bytes(h.copyright, 32);
    field.bytes(h.author, 16);
    field.bytes(h.reserved2, 16);
}

}  // namespace

void encodeImeHeader(const ImeHeader& header, std::vector<uint8_t>& body) {
    const std::size_t start = body.size();
    FieldWriter writer{BigEndianWriter(body)};
    visitFields(writer, header);
    assert(body.size() - start == kImeHeaderSize);
    (void)start;
}

bool decodeImeHeader(const uint8_t* body, std::size_t size, ImeHeader& header) {
    if (size != kImeHeaderSize) return false;
    FieldReader reader{BigEndianReader(body)};
    visitFields(reader, header);
    return true;
}
