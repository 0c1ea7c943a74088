// The input-method source that compiles back to a database's records: the
// sections and keys the compiler reads, in the CharSet's own bytes, lines
// ended by LF.
#pragma once

#include <string>

#include "ime/mabrel_context.h"

// The names the source gives its keyboard pictures.
struct PictureNames {
    std::string standard;
    std::string highDensity;
};

std::string writeImeSource(const CMabrel& mabrel, const PictureNames& pictures);

// A value-list item that the value-list grammar reads back as `pair`: its
// bytes where they can stand, "0xNN" for a single byte that cannot. Empty
// when no item reads back as it (two bytes of which one cannot stand).
std::string valueItem(const ValuePair& pair);
