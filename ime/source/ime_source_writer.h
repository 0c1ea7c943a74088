// The input-method source that says what an InputMethod says: the
// sections and keys the compiler reads, in the CharSet's own bytes, lines
// ended by LF.
#pragma once

#include <string>

#include "foundation/utf8_output.h"
#include "ime/input_method.h"

// The names the source gives its keyboard pictures.
struct PictureNames {
    std::string standard;
    std::string highDensity;
};

// The text a source is written in: the CharSet's own bytes, or UTF-8.
enum class TextEncoding { kCharSet, kUtf8 };

// The characters of one code on one [Text] line at most.
inline constexpr std::size_t kCharactersPerLine = 24;

// Whose source it is. A database's says every key it has, each section
// followed by an empty line. An import's says "Encoding=UTF-8" first, then
// its keys in the order a reader of the desktop table looks for them, the
// empty ones left out, then the pictures' names when it has pictures, and
// no empty line; it has no key map or help. It comes in UTF-8 whole.
enum class SourceForm { kDatabase, kImport };

// The source in the CharSet's bytes, but for the pictures' names, which are
// the file system's: where they stand goes into `fileNames` when given. For
// a source that goes to UTF-8, it says "Encoding=UTF-8" after "CharSet="
// and writes no single byte above 0x7F itself.
std::string writeImeSource(const InputMethod& im, const PictureNames& pictures,
                           TextEncoding encoding = TextEncoding::kCharSet,
                           std::vector<KeptBytes>* fileNames = nullptr,
                           SourceForm form = SourceForm::kDatabase);

// A value-list item that the value-list grammar reads back as `pair`: its
// bytes where they can stand, "0xNN" for a single byte that cannot (or, for
// UTF-8, one above 0x7F). Empty when no item reads back as it (two bytes of
// which one cannot stand).
std::string valueItem(const ValuePair& pair, TextEncoding encoding = TextEncoding::kCharSet);
