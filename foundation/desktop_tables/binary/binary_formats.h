// The decoders of the desktop binary table formats. Each turns the bytes of
// one table into the text its own format's dumper writes (a .gtab into .cin
// text, an .mb into fcitx text, ...), for the text readers to read: every
// rule of names, keys and entries stays with them.
#pragma once

#include <string_view>

#include "foundation/desktop_tables/binary/table_bytes.h"

enum class Decoded {
    kOtherFormat,     // the bytes are no table of this format
    kDecoded,         // `text` holds the table's text form
    kDamaged,         // the format's, but its counts or offsets lead past the end
    kLibraryMissing,  // the format's, but the library that reads it is not installed
};

// hime and gcin ".gtab", either byte order, 32- and 64-bit keys. `name` is
// the file's name, whose stem becomes the table's English name.
Decoded decodeGtab(std::string_view name, std::string_view bytes, TableText& text);

// fcitx 4 ".mb": as mb2txt writes it, rules, prompt and phrase-building
// records included.
Decoded decodeFcitxMb(std::string_view name, std::string_view bytes, TableText& text);

// SCIM's binary tables: as scim-make-table writes their text, header and
// records with their frequencies.
Decoded decodeScimBinary(std::string_view name, std::string_view bytes, TableText& text);

// fcitx 5's ".main.dict" (libime's tables), plain or zstd-compressed: as
// libime_tabledict -d writes them.
Decoded decodeLibimeTable(std::string_view name, std::string_view bytes, TableText& text);

// ibus-table's SQLite databases, read through SQLite (loaded when one is
// given): the ibus-table text of their settings and phrases.
Decoded decodeIbusTable(std::string_view name, std::string_view bytes, TableText& text);
