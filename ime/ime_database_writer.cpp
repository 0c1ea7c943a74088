#include "ime/ime_database_writer.h"

#include "ime/messages.h"

int writeImeDatabase(CMabrel&, const char* path) { return report(kCreateFileFail, path); }
