#include "ime/help_text.h"

int parseHelp(CMabrel&) { return 0; }
