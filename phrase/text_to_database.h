// The conversion of a phrase list text into a phrase database.
#pragma once

#include "phrase/tosker_context.h"

int convertTextToDatabase(CTosker& tosker, const char* sourceName, const char* destinationName);
