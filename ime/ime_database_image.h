// The input-method database as bytes: a resource database of type "IMEM",
// creator "dQlt", every resource with id 8888.
//
//   offset        size        content
//   0             78          DatabaseHeader, name = databaseName
//   78            10 x count  ResourceEntry: type, 8888, body offset
//   78 + 10 x count  0 or 2   zero gap when count is even
//   firstBodyOffset           the bodies, in this order, back to back:
//
//   type  present when          body
//   RT11  always                ImeHeader, multi-byte fields big-endian (256)
//   RT12  displayCodes          2 x usedCodeCount
//   RT13  keyMap                120
//   RT14  ruleCount > 0         ruleCount records of ruleSize bytes
//   RT21  keyboardBitmap        bitmapSize
//   tSTR  helpSize > 0          helpSize bytes of helpText
//   RT51  always                HZMap slots minHZIndex .. maxHZIndex + 1
//   RT52  repeatCount > 0       RepeatBlocks slots 0 .. repeatCount
//   RT31  Index table           its size
//   RT41  Bits table            its size
//   RT42  BitsRest (style 1)    its size, one zero byte added when odd
//   RT32  HZInd (style 2)       its size
//   RT33  HZTab table           its size
#pragma once

#include <cstdint>
#include <vector>

#include "ime/mabrel_context.h"

struct ImeResource {
    char type[5];
    std::vector<uint8_t> body;
};

// The resources the database holds, in directory order.
std::vector<ImeResource> imeResources(const CMabrel& mabrel);

// The whole database file, its three dates `date`.
std::vector<uint8_t> imeDatabaseImage(const CMabrel& mabrel, uint32_t date);
