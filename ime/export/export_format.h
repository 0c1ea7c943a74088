// The desktop engines an input method is written out for ("Mabrel /e"), and
// what each engine's table text can hold.
#pragma once

#include <string_view>

enum class ExportFormat { kRime, kFcitx5, kFcitx, kCin, kIbus };

// The format named `name` in any letter case; false when none is.
bool exportFormatNamed(std::string_view name, ExportFormat& format);

// The format's name as the command line spells it.
const char* exportFormatName(ExportFormat format);

// Why the engine cannot take `code` as the code of an entry, or nullptr
// when it can.
const char* codeRefusal(ExportFormat format, std::string_view code);

// Whether the format's table says coding rules (of single keys: no engine
// says a rule of whole codes).
bool saysKeyRules(ExportFormat format);
