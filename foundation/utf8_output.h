// Texts written in UTF-8 (/u): a database's text, made in its CharSet's
// bytes, turned into UTF-8 as a whole or not at all.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "foundation/char_sets.h"

// Bytes of a text that are not the CharSet's (a file name, as the file
// system gives it): they go into the UTF-8 text as they are.
struct KeptBytes {
    std::size_t offset;
    std::size_t size;
};

// Turns `text`, in the bytes of `charSet` but for the `kept` runs (in the
// order of the text), into UTF-8. Returns 0, or 907 when some characters
// have no UTF-8 form: the first ones are named, all of them counted, and
// `text` is left as it was.
int convertTextToUtf8(CharSet charSet, std::string& text, std::span<const KeptBytes> kept = {});
