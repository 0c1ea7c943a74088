// INTERIM: the phrase store of a reading as a PhraseDatabase, until the
// reading fills the record itself.
#pragma once

#include "foundation/phrase_database.h"
#include "phrase/tosker_context.h"

PhraseDatabase phraseDatabaseOfStore(const CTosker& tosker);
