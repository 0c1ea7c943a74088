// The "[Description]" section: identity and coding parameters of the input
// method, into ImeHeader, the database name and the display codes.
#pragma once

#include "ime/mabrel_context.h"

int parseDescription(CMabrel& mabrel);
