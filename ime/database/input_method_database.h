// An input method as a database file, both ways: the bytes of a database
// read into an InputMethod, and an InputMethod made into the bytes of one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ime/database/ime_layout.h"
#include "ime/input_method.h"

// Reads the database `image` (the whole file `name`) into `im`. Returns 0,
// or 101, 400, 401, 402 or 403 after reporting it, as the decompiler does.
int readInputMethodDatabase(const std::vector<uint8_t>& image, const char* name, InputMethod& im);

// The same for the database file `name`, judged before it is read whole
// (readImeDatabaseImage): 0, or 100, 101, 400, 401, 402 or 403.
int readInputMethodDatabaseFile(const char* name, InputMethod& im);

// The database of `im`, its three dates `date`; empty when the input method
// breaks a limit of the format (604, 903, 904 or 906, reported).
std::vector<uint8_t> encodeInputMethodDatabase(const InputMethod& im, uint32_t date);

// The bytes of the database of `layout`, dated by the run's date (with the
// note that SOURCE_DATE_EPOCH is unusable, where it is).
std::vector<uint8_t> datedImeDatabaseImage(const ImeLayout& layout);

// Writes the database of `layout` to `path`, dated by the run's date.
// Returns 0, or 103 when the destination cannot be written, 102 when the
// writing fails; nothing is left behind on failure.
int writeImeDatabase(const ImeLayout& layout, const char* path);

// Writes the database of `layout` to `path` and the text `otherText` to
// `otherName` together: both or neither; an empty text takes away the plain
// file `otherName` instead (a list an earlier run left). Returns 0, or 105,
// 103 or 102 after its message.
int writeImeDatabaseWith(const ImeLayout& layout, const char* path, const std::string& otherName,
                         std::string otherText);
