// Writes everything a compile gathered as one input-method database.
#pragma once

#include "ime/mabrel_context.h"

int writeImeDatabase(CMabrel& mabrel, const char* path);
