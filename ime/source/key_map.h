// The optional "[KeyMapTable]" section: four rows of key values ("RT13").
#pragma once

#include "ime/mabrel_context.h"

int parseKeyMapTable(CMabrel& mabrel);
