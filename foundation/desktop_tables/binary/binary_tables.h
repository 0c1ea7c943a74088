// The binary tables of the desktop input methods, told apart by their
// content and read as the text their own dumpers write.
#pragma once

#include <string>

// When `bytes`, the whole of the file `name`, are a binary table, replaces
// them with the table's text form and sets `format` to what the table was
// recognised as; else leaves both. Returns 0, or after reporting it 403
// (the table is damaged) or 101 (its text would be larger than a file either
// tool reads), or 100 when the library that reads its format is missing.
int decodeBinaryTable(const char* name, std::string& bytes, const char*& format);
