// Finding the first byte of a text that starts no UTF-8 character, at the
// speed of reading it: a table of millions of lines is checked whole before
// any line of it is read.
#pragma once

#include <cstddef>
#include <string_view>

// The offset of the first byte of `bytes` that starts no UTF-8 character (a
// stray or missing trail byte, an overlong form, a surrogate, a value above
// U+10FFFF, a character cut off by the end), or npos.
std::size_t firstNonUtf8(std::string_view bytes);

// The same, one character at a time: the reading the fast one must agree
// with, kept apart so that tests can hold one against the other.
std::size_t firstNonUtf8ByCharacters(std::string_view bytes);
