// Texts written in UTF-8 (/u): a database's text, made in its CharSet's
// bytes, turned into UTF-8 as a whole or not at all.
#pragma once

#include <string>

#include "foundation/char_sets.h"

// Turns `text`, in the bytes of `charSet`, into UTF-8. Returns 0, or 907
// when some characters have no UTF-8 form: the first ones are named, all of
// them counted, and `text` is left as it was.
int convertTextToUtf8(CharSet charSet, std::string& text);
