#include "ime/key_map.h"

int parseKeyMapTable(CMabrel&) { return 0; }
