// Reading an input-method database into the InputMethod record.
#pragma once

#include <cstdint>
#include <vector>

#include "ime/input_method.h"

// Reads the database `image` (the whole file `name`) into `im`, its entries
// in the order the compile numbers them. Returns 0, or 101, 400, 401, 402 or
// 403 after reporting it.
int readInputMethodDatabase(const std::vector<uint8_t>& image, const char* name, InputMethod& im);
