// The optional "[Help]" section: free text shown as help ("tSTR").
#pragma once

#include "ime/mabrel_context.h"

int parseHelp(CMabrel& mabrel);
