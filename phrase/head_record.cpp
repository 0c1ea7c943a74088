// The "HEAD" body, 64 bytes, every number big-endian:
//
//   offset  size  content
//   0       2     version 0x0200
//   2       2     charSet
//   4       2     firstIndex: the first character index with a block
//   6       2     lastIndex: the last character index with a block
//   8       2     blockCount: the number of "DATA" resources
//   10      2     maxPhraseLength
//   12      4     phraseCount
//   16      48    signature
#include "phrase/head_record.h"

#include "foundation/big_endian.h"

namespace {

template <class Fields, class Head>
void visitFields(Fields& field, Head& head) {
    field.u16(head.version);
    field.u16(head.charSet);
    field.u16(head.firstIndex);
    field.u16(head.lastIndex);
    field.u16(head.blockCount);
    field.u16(head.maxPhraseLength);
    field.u32(head.phraseCount);
    field.bytes(head.signature, kSignatureSize);
}

}  // namespace

void encodeHeadRecord(const HeadRecord& head, std::vector<uint8_t>& out) {
    FieldWriter writer{BigEndianWriter(out)};
    visitFields(writer, head);
}

bool decodeHeadRecord(const uint8_t* bytes, std::size_t available, HeadRecord& head) {
    if (available < kHeadRecordSize) return false;
    FieldReader reader{BigEndianReader(bytes)};
    visitFields(reader, head);
    return true;
}
