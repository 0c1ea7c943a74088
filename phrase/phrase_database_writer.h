// Turns the phrase store into a phrase database file.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "phrase/tosker_context.h"

// The "HEAD" body: the record in big-endian order.
std::array<uint8_t, kHeadRecordSize> encodeHeadRecord(const HeadRecord& head);

// Assembles the "DATA" body of block `block` from the store. Returns 0, 101
// when the store cannot be read, or 906 when the body would not fit.
int buildDataBlock(CTosker& tosker, int block, std::vector<uint8_t>& body);

// Writes the whole database; 0, or 103, 102, 101 or 906 after its message.
int writePhraseDatabase(CTosker& tosker, const char* destinationName);
