// The program that makes the tables asks the conversions themselves.
#include "foundation/char_set_tables.h"

const CharSetTable* charSetTable(CharSet) {
    return nullptr;
}
